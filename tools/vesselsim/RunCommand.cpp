#include "RunCommand.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "EventScript.h"
#include "FilePaths.h"
#include "ModelReport.h"
#include "ModuleLog.h"
#include "ModuleVessel.h"
#include "PlotWriter.h"
#include "RowSchedule.h"
#include "Simulation.h"
#include "Watch.h"

namespace {

struct UsageError {
  std::string message;
};

std::string currentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? "." : folder.string();
}

// The vessel the watches and events act on: the one named, or the first
// vessel driven by a module.
host::Vessel *chooseVessel(const host::Simulation &sim, const std::string &name) {
  std::string error;
  host::Vessel *vessel = ChooseVessel(sim, name, error);
  if (!error.empty()) throw UsageError{error};
  return vessel;
}

StoredVariable resolveOrFail(const host::Vessel *vessel, const std::string &reference) {
  StoredVariable variable;
  std::string error;
  if (!ResolveNumber(vessel, reference, variable, error)) throw UsageError{error};
  return variable;
}

class Run {
 public:
  explicit Run(const RunOptions &o) : options(o) {}
  int execute();

 private:
  void prepare();
  long long frameCount() const;
  void writeCsvHeader();
  void writeCsvRow(double time);
  void applyDueEvents(double time);
  void checkExpectations(double time);
  // The broken promises and the count of all; the run's exit status.
  int reportExpectations() const;
  void showProgress(long long frame, long long frames, bool last);
  void apply(Event &event);
  void saveScenario(const std::string &file) const;
  void showPanel(int n);
  void showWatchedPanel();
  void click(const Event &event);
  void writePng(const std::string &file) const;
  void plot();
  void finish();

  const RunOptions &options;
  std::string invocationFolder = currentFolder();
  std::unique_ptr<host::Simulation> sim;
  host::Vessel *vessel = nullptr;
  std::vector<ResolvedWatch> watches;
  std::vector<Event> events;
  std::vector<Expectation> expectations;
  std::ofstream csv;
  std::string csvPath;  // the CSV the plot reads: --csv, or a scratch file
  double tolerance = 0.0;
  bool progress = false;
  std::chrono::steady_clock::time_point started, lastShown;
};

void Run::prepare() {
  if (!(options.dt > 0.0) || !std::isfinite(options.dt)) throw UsageError{"--dt must be positive"};
  if ((options.duration < 0.0) == (options.steps < 0))
    throw UsageError{"give exactly one of --duration and --steps"};
  if (options.every < 0.0) throw UsageError{"--every must not be negative"};
  // Known before the run, so a long run is not wasted on a chart of nothing.
  if (!options.plot.empty() && options.watches.empty()) throw UsageError{"--plot needs at least one --watch"};
  tolerance = options.dt / 1e6;

  if (!options.events.empty()) {
    std::string error;
    EventScript script;
    if (!ReadEventScript(AbsolutePath(options.events, invocationFolder), invocationFolder, script, error))
      throw UsageError{error};
    events = script.events;
    expectations = script.expectations;
  }
  // What the run would never reach is a mistake, not something to pass over.
  const double end = static_cast<double>(frameCount()) * options.dt;
  for (const Event &event : events)
    if (event.time > end + tolerance) throw UsageError{event.Said("it comes after the run's end")};
  for (const Expectation &expectation : expectations)
    if (expectation.to > end + tolerance) throw UsageError{expectation.Said("it comes after the run's end")};
  const std::string scenario = AbsolutePath(options.scenario, invocationFolder);
  std::error_code entered;
  std::filesystem::current_path(options.root, entered);
  if (entered) throw UsageError{"cannot enter root folder " + options.root};

  sim = std::make_unique<host::Simulation>();
  if (options.quiet) sim->messageSink = [](const std::string &) {};
  std::string error;
  if (!sim->loadScenario(scenario, error)) throw UsageError{error};
  // The row at time 0 shows the state as loaded.
  vessel = chooseVessel(*sim, options.vessel);

  for (const std::string &text : options.watches) {
    TypedReference ref;
    if (!ref.parse(text, error)) throw UsageError{error};
    watches.push_back({ref, resolveOrFail(vessel, ref.reference)});
  }
  for (Expectation &expectation : expectations) {
    std::string refusal;
    if (!ResolveNumber(vessel, expectation.target.reference, expectation.variable, refusal))
      throw UsageError{expectation.Said(refusal)};
  }
  for (const Event &event : events) {
    if (event.kind == Event::Kind::Group && vessel == nullptr) throw UsageError{event.Said("no vessel for this event")};
    if (event.kind == Event::Kind::Set) resolveOrFail(vessel, event.target.reference);
    if (event.kind != Event::Kind::Save && event.kind != Event::Kind::Group && event.kind != Event::Kind::Png &&
        (vessel == nullptr || vessel->instance == nullptr))
      throw UsageError{event.Said("the event needs a vessel driven by a module")};
  }
  if (!options.png.empty() && options.panel < 0) throw UsageError{"--png needs --panel"};
  if (options.panel >= 0) showPanel(options.panel);
  else showWatchedPanel();
  csvPath = !options.csv.empty() ? AbsolutePath(options.csv, invocationFolder)
                                  : (!options.plot.empty() ? ScratchPath("plot", "csv") : "");
  if (!csvPath.empty()) {
    csv.open(csvPath, std::ios::binary);
    if (!csv) throw UsageError{"cannot write " + csvPath};
    writeCsvHeader();
  }
}

long long Run::frameCount() const {
  if (options.steps >= 0) return options.steps;
  return static_cast<long long>(std::ceil(options.duration / options.dt - 1e-6));
}

void Run::writeCsvHeader() {
  csv << "time";
  for (const ResolvedWatch &w : watches) csv << ',' << w.ref.reference;
  csv << '\n';
}

void Run::writeCsvRow(double time) {
  csv << ShortestValue(ValueType::Double, time);
  for (const ResolvedWatch &w : watches) csv << ',' << ShortestValue(w.shownType(), w.variable.read());
  csv << '\n';
}

void Run::applyDueEvents(double time) {
  for (Event &event : events) {
    if (!event.applied && event.time <= time + tolerance) {
      event.applied = true;
      apply(event);
    }
  }
}

void Run::checkExpectations(double time) {
  for (Expectation &expectation : expectations)
    if (expectation.Covers(time, tolerance)) expectation.Check(time, expectation.variable.read());
}

int Run::reportExpectations() const {
  if (expectations.empty()) return 0;
  int broken = 0;
  for (const Expectation &expectation : expectations) {
    if (!expectation.Broken()) continue;
    ++broken;
    std::cout << expectation.Failure() << '\n';
  }
  std::cout << expectations.size() << (expectations.size() == 1 ? " expectation, " : " expectations, ")
            << expectations.size() - broken << " held, " << broken << " broken\n";
  return broken > 0 ? 1 : 0;
}

// "t = 1200 s of 7200 s, 310000 steps/s", rewritten in place twice a second;
// cleared at the end.
void Run::showProgress(long long frame, long long frames, bool last) {
  const auto now = std::chrono::steady_clock::now();
  if (last) {
    std::cout << "\r" << std::string(60, ' ') << "\r" << std::flush;
    return;
  }
  if (now - lastShown < std::chrono::milliseconds(500)) return;
  lastShown = now;
  const double seconds = std::chrono::duration<double>(now - started).count();
  char line[96];
  std::snprintf(line, sizeof line, "\r  t = %.0f s of %.0f s, %.0f steps/s   ", frame * options.dt,
                frames * options.dt, seconds > 0 ? frame / seconds : 0.0);
  std::cout << line << std::flush;
}

void Run::apply(Event &event) {
  switch (event.kind) {
    case Event::Kind::Key:
      PressKey(*vessel, event.keyCode);
      break;
    case Event::Kind::Set: {
      std::string refusal;
      if (!WriteNumber(vessel, resolveOrFail(vessel, event.target.reference), event.value, refusal))
        throw UsageError{event.Said("refused, " + refusal)};
      break;
    }
    case Event::Kind::Save:
      saveScenario(event.file);
      break;
    case Event::Kind::Group:
      vessel->setGroupLevel(static_cast<THGROUP_TYPE>(event.group), event.value);
      break;
    case Event::Kind::Panel:
      showPanel(event.panel);
      break;
    case Event::Kind::Click:
      click(event);
      break;
    case Event::Kind::Png:
      writePng(event.file);
      break;
  }
}

void Run::saveScenario(const std::string &file) const {
  std::string error;
  if (!sim->saveScenario(file, error)) throw UsageError{error};
}

// What an instrument holds moves only while its panel is shown: without
// --panel, the panel of the first watch that names one is shown.
void Run::showWatchedPanel() {
  const std::vector<std::string> names = PanelNames(vessel);
  for (const ResolvedWatch &w : watches) {
    const std::string first = w.ref.reference.substr(0, w.ref.reference.find(':'));
    for (size_t n = 0; n < names.size(); ++n) {
      if (names[n].empty() || strcasecmp(names[n].c_str(), first.c_str()) != 0) continue;
      showPanel(static_cast<int>(n));
      return;
    }
  }
}

void Run::showPanel(int n) {
  if (vessel == nullptr || vessel->instance == nullptr) throw UsageError{"no vessel driven by a module for a panel"};
  if (!sim->panels.showPanel(*vessel, n)) throw UsageError{"vessel " + vessel->name + " has no panel " + std::to_string(n)};
}

// X and Y are within the area, as the module receives them; the click goes
// to that area even where another lies over it, and nowhere else.
void Run::click(const Event &event) {
  if (!sim->panels.panelShown()) throw UsageError{event.Said("click without a panel shown")};
  const auto &areas = sim->panels.areas();
  if (std::none_of(areas.begin(), areas.end(), [&](const host::PanelArea &a) { return a.id == event.panel; }))
    throw UsageError{event.Said("no area " + std::to_string(event.panel) + " on the shown panel")};
  if (!sim->panels.clickArea(event.panel, event.x, event.y, event.right))
    std::cerr << "vesselsim: " << event.Said("nothing took the click") << '\n';
}

void Run::writePng(const std::string &file) const {
  if (!sim->panels.panelShown()) throw UsageError{"no panel shown for " + file};
  std::string error;
  if (!sim->panels.writePng(file, error)) throw UsageError{error};
}

void Run::plot() {
  csv.close();
  std::vector<std::string> names;
  for (const ResolvedWatch &w : watches) names.push_back(w.ref.reference);
  std::string error;
  const bool drawn = WritePlot(csvPath, names, AbsolutePath(options.plot, invocationFolder), error);
  if (options.csv.empty()) std::remove(csvPath.c_str());
  if (!drawn) throw UsageError{error};
}

void Run::finish() {
  for (const ResolvedWatch &w : watches)
    std::cout << w.ref.reference << " = " << FormatValue(w.shownType(), w.variable.read()) << '\n';
  if (!options.save.empty()) saveScenario(AbsolutePath(options.save, invocationFolder));
  if (!options.png.empty()) writePng(AbsolutePath(options.png, invocationFolder));
  if (!options.plot.empty()) plot();
  if (options.describe) DescribeModels(*sim, std::cout);
  // A configuration the module could not read fully still flies: say so.
  const std::string log = ModuleLog();
  if (!log.empty()) std::cerr << "vesselsim: the module's log, Varneldebug.txt:\n" << log;
}

int Run::execute() {
  try {
    prepare();
    const long long frames = frameCount();
    // Only a person at a terminal wants to see the clock run.
    progress = !options.quiet && ::isatty(STDOUT_FILENO) && frames >= 10000;
    started = std::chrono::steady_clock::now();
    RowSchedule rows(options.every > 0.0 ? options.every : options.dt, tolerance);
    for (long long k = 0;; ++k) {
      const double time = k * options.dt;
      if (csv.is_open() && rows.due(time)) writeCsvRow(time);
      checkExpectations(time);
      applyDueEvents(time);
      if (k == frames) break;
      sim->frame((k + 1) * options.dt);
      if (progress && k % 1000 == 999) showProgress(k + 1, frames, false);
    }
    if (progress) showProgress(frames, frames, true);
    finish();
    return reportExpectations();
  } catch (const UsageError &e) {
    std::cerr << "vesselsim: " << e.message << '\n';
    return 2;
  }
}

}  // namespace

int RunScenario(const RunOptions &options) { return Run(options).execute(); }

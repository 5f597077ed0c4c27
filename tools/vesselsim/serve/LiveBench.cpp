#include "LiveBench.h"


#include <strings.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstddef>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <limits>
#include <sstream>

#include "FilePaths.h"
#include "GraphvizSvg.h"
#include "PageJson.h"
#include "KeyNames.h"
#include "ModuleLog.h"
#include "wincanvas.h"
#include "winpath.h"

namespace {

// Simulated seconds of frames one pass of the loop may compute at most, so
// that requests are never kept waiting long.
constexpr double kSliceSeconds = 0.02;
// The panel is rendered at most this often while the clock runs.
constexpr double kRenderSeconds = 0.04;
// Files are looked at this often; a change is taken once a look finds them
// settled, so an editor's save in two writes is read once, whole.
constexpr double kLookSeconds = 0.1;
constexpr size_t kMaxSamples = 20000;
// Event streams open at once: each holds a request thread while it lives.
constexpr int kMaxStreams = 4;

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string ReadWhole(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A finding's place, "FILE:LINE: ": the file, the line, and where the
// message begins; false for a text that does not begin with one.
bool FindingPlace(const std::string &finding, std::string &file, long &line, size_t &message) {
  const size_t colon = finding.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  size_t end = colon + 1;
  while (end < finding.size() && std::isdigit(static_cast<unsigned char>(finding[end]))) ++end;
  if (end == colon + 1 || end - colon > 10 || finding.compare(end, 2, ": ") != 0) return false;
  file = finding.substr(0, colon);
  line = std::stol(finding.substr(colon + 1, end - colon - 1));
  message = end + 2;
  return true;
}

// What a log entry or a finding says, without the line it was at: lines
// above it that move must not make an old mistake look new.
std::string WithoutLineNumber(const std::string &said) {
  const std::string logged = "ERROR AT LINE: ";
  if (said.rfind(logged, 0) == 0) {
    size_t end = logged.size();
    while (end < said.size() && std::isdigit(static_cast<unsigned char>(said[end]))) ++end;
    return logged + said.substr(end);
  }
  std::string file;
  long line;
  size_t message;
  return FindingPlace(said, file, line, message) ? file + ": " + said.substr(message) : said;
}

std::vector<std::string> Sayings(const std::vector<std::string> &findings, const std::string &log) {
  std::vector<std::string> said;
  for (const std::string &finding : findings) said.push_back(WithoutLineNumber(finding));
  std::istringstream lines(log);
  for (std::string entry; std::getline(lines, entry);) said.push_back(WithoutLineNumber(entry));
  return said;
}

// Whether the files now read with a log entry or a finding the vessel flying
// did not have: a file saved half-way, a line mistyped.
bool ReadsWorse(const ClassCheck &now, const ClassCheck &flying) {
  const std::vector<std::string> before = Sayings(flying.findings, flying.log);
  for (const std::string &said : Sayings(now.findings, now.log))
    if (std::find(before.begin(), before.end(), said) == before.end()) return true;
  return false;
}

// The text of the line a finding ("FILE:LINE: message") points at, or "".
std::string LineFound(const std::string &finding) {
  std::string path, line;
  long number;
  size_t message;
  if (!FindingPlace(finding, path, number, message)) return "";
  std::ifstream file(ResolveWindowsPath(path.c_str()));
  for (; number > 0 && std::getline(file, line); --number) {
  }
  return file ? line : "";
}

// A name that is a file name on every system and reaches no other folder:
// letters, digits, '_', and after the first character ' ' and '-'.
// A letter of the host's code page (1252) beyond ASCII's: À to ÿ but for
// the multiplication and division signs.
bool IsAccentedLetter(unsigned char c) { return c >= 0xC0 && c != 0xD7 && c != 0xF7; }

bool IsPlainName(const std::string &name) {
  if (name.empty() || name.size() > 64) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (!std::isalnum(c) && !IsAccentedLetter(c) && c != '_' && (i == 0 || (c != ' ' && c != '-'))) return false;
  }
  return true;
}

}  // namespace

LiveBench::LiveBench(const ServeOptions &o, const std::string &scenarioPath) : options(o) {
  sim = std::make_unique<host::Simulation>();
  sim->messageSink = [](const std::string &) {};
  std::string error;
  if (!sim->loadScenario(scenarioPath, error)) throw Refusal{error};
  choosePanelVessel();
  for (const std::string &text : options.watches) watchLocked(text);
  panelNames = PanelNames(vessel);
  if (vessel != nullptr && sim->panels.showPanel(*vessel, 0)) note("panel 0");
  recheck();
  flying = check;
  files.watch(flying.files);
}

LiveBench::~LiveBench() { stop(); }

void LiveBench::choosePanelVessel() {
  std::string error;
  vessel = ChooseVessel(*sim, options.vessel, error);
  if (!error.empty()) throw Refusal{error};
}

void LiveBench::start() { simThread = std::thread([this] { run(); }); }

void LiveBench::stop() {
  {
    std::lock_guard<std::mutex> guard(lock);
    stopping = true;
  }
  changes.notify_all();
  if (simThread.joinable()) simThread.join();
}

bool LiveBench::stopped() {
  std::lock_guard<std::mutex> guard(lock);
  return stopping;
}

// What it throws reaches the request's thread.
template <typename Work>
auto LiveBench::onClock(Work work) -> decltype(work()) {
  std::packaged_task<decltype(work())()> task(std::move(work));
  auto done = task.get_future();
  {
    std::lock_guard<std::mutex> guard(lock);
    if (stopping) throw Refusal{"the bench is stopping"};
    tasks.emplace_back([&task] { task(); });
  }
  changes.notify_all();
  return done.get();
}

void LiveBench::runTasks() {
  while (!tasks.empty()) {
    const std::function<void()> task = std::move(tasks.front());
    tasks.pop_front();
    task();
  }
}

// Requests are served between slices of frames; those that came as the
// bench stopped are served before the thread ends, so none waits for ever.
void LiveBench::run() {
  std::unique_lock<std::mutex> guard(lock);
  double last = Now();
  while (!stopping) {
    runTasks();
    const double now = Now();
    const double before = sim->simTime;
    advance(now - last);
    last = now;
    if (sim->simTime != before) record();
    if (renderWanted || (sim->simTime != before && now - lastRender >= kRenderSeconds)) renderPanel();
    if (now - lastLook >= kLookSeconds) lookAtFiles();
    const bool idle = tasks.empty() && stepsWanted == 0 && (paused || rate > 0);
    changes.wait_for(guard, std::chrono::milliseconds(idle ? 5 : 0));
  }
  runTasks();
}

void LiveBench::advance(double wallSeconds) {
  const double began = Now();
  for (; stepsWanted > 0 && Now() - began < kSliceSeconds; --stepsWanted) stepFrame();
  if (paused || stepsWanted > 0) return;
  lag = rate > 0 ? lag + wallSeconds * rate : std::numeric_limits<double>::infinity();
  while (lag >= options.dt && Now() - began < kSliceSeconds) {
    stepFrame();
    lag -= options.dt;
  }
  // A clock that cannot keep up runs as fast as it can, not in bursts after.
  lag = std::min(lag, options.dt);
}

void LiveBench::stepFrame() {
  sim->frame(static_cast<double>(++frameCount) * options.dt);
  ++version;
}

// The picture is composed and compared pixel by pixel; only a changed one
// is encoded and counted as new.
void LiveBench::renderPanel() {
  renderWanted = false;
  lastRender = Now();
  if (schematic.Follow(vessel)) ++version;
  std::string error;
  HBITMAP canvas = sim->panels.panelShown() ? sim->panels.composePicture(error) : nullptr;
  std::vector<uint32_t> now;
  const int width = wincanvas::width(canvas), height = wincanvas::height(canvas);
  for (int y = 0; y < height; ++y) now.insert(now.end(), wincanvas::row(canvas, y), wincanvas::row(canvas, y) + width);
  now.push_back(static_cast<uint32_t>(width));
  if (now != pixels) {
    pixels.swap(now);
    png.clear();
    if (canvas != nullptr) wincanvas::encodePng(canvas, png, error);
    ++panelVersion;
    ++version;
    changes.notify_all();
  }
  if (canvas != nullptr) DeleteObject(canvas);
}

void LiveBench::record() {
  Sample sample{sim->simTime, {}};
  for (const ResolvedWatch &w : watches) sample.values.push_back(w.variable.read());
  series.push_back(std::move(sample));
  // A full record keeps every other sample: it covers twice the time at half
  // the detail, so the start of a long session stays in it.
  if (series.size() > kMaxSamples) {
    std::deque<Sample> thinned;
    for (size_t i = 0; i < series.size(); i += 2) thinned.push_back(std::move(series[i]));
    series.swap(thinned);
  }
  changes.notify_all();
}

void LiveBench::lookAtFiles() {
  const double now = Now();
  lastLook = now;
  std::string currentLog = ModuleLog();
  if (currentLog != log) {
    log.swap(currentLog);
    ++version;
  }
  // A file that is gone for a moment (an editor that saves by renaming, a
  // checkout) is waited for, and read once it is back.
  if (files.changed() || !files.allThere()) {
    if (changeSeen < 0) changeSeen = now;
    showMissing();
    return;
  }
  if (changeSeen < 0) return;
  reload();
  changeSeen = -1.0;
}

// The page says which file it waits for while one is gone.
void LiveBench::showMissing() {
  const std::string missing = files.missing();
  if (missing.empty()) return;
  const std::string waiting = "waiting for " + missing + ", which is missing: the vessel flies on as it was";
  if (reloadStatus == waiting) return;
  reloadStatus = waiting;
  ++version;
}

void LiveBench::recheck() {
  const size_t logBefore = ModuleLog().size();
  check = CheckClass(vessel != nullptr ? vessel->className : std::string());
  // The log goes on across every vessel the bench makes: the check's own
  // entries are what it added.
  check.log = check.log.size() > logBefore ? check.log.substr(logBefore) : std::string();
  findingLines.clear();
  for (const std::string &finding : check.findings) findingLines.push_back(LineFound(finding));
  ++version;
}

// The files are read afresh, and compared with what the vessel flying was
// built from, however many refused versions came between.
void LiveBench::reload() {
  if (vessel == nullptr) return;
  recheck();
  const ClassCheck before = flying;
  if (!check.loaded || ReadsWorse(check, flying)) {
    reloadStatus = "the files no longer read: the last good vessel flies on";
    if (!check.loaded) check.log = check.error;
    return;
  }
  const std::string saved = ScratchPath("serve", "scn");
  std::string error;
  if (!sim->saveScenario(saved, error)) {
    reloadStatus = error;
    return;
  }
  const bool rebuilt = rebuild(saved);
  std::remove(saved.c_str());
  if (!rebuilt) return;
  flying = check;
  files.watch(flying.files);
  reloadSeconds = Now() - changeSeen;
  session.push_back("# at " + ShortestValue(ValueType::Double, sim->simTime) +
                    " s the vessel was rebuilt from changed files: a replay flies the files as they are now");
  const std::string kept = takeChangedVolumes(before);
  reloadStatus = kept.empty() ? "reloaded" : "reloaded; kept from the flight: " + kept;
  ++reloads;
}

namespace {

// What a reload keeps of the flight: every number the vessel holds but its
// flight state, which the host keeps (what panels and instruments hold, the
// custom ship variables, and the whole plant, temperatures, timers and
// currents included).
std::vector<std::pair<std::string, double>> HeldByTheVessel(const host::Vessel *vessel) {
  std::vector<std::pair<std::string, double>> held;
  StoredVariable variable;
  std::string error;
  for (const std::string &reference : ListReferences(vessel)) {
    const bool flight = reference.rfind("SHIP:", 0) == 0 && reference.rfind("SHIP:CUSTOM", 0) != 0;
    if (!flight && ResolveNumber(vessel, reference, variable, error)) held.emplace_back(reference, variable.read());
  }
  return held;
}

// Whether the files build `reference` (a plant variable) alike before and
// after; what they do not build at all is not the plant's, and is alike.
bool BuiltAlike(const std::string &reference, const ClassCheck &built, const ClassCheck &rebuilt) {
  const auto was = built.builtValues.find(reference), now = rebuilt.builtValues.find(reference);
  const bool before = was != built.builtValues.end(), after = now != rebuilt.builtValues.end();
  return before == after && (!before || was->second == now->second);
}

// What the flight held goes back into the rebuilt vessel, but for what of
// the plant the files now build otherwise: a changed file can change its
// objects.
void GiveBack(const host::Vessel *vessel, const std::vector<std::pair<std::string, double>> &held,
              const ClassCheck &built, const ClassCheck &rebuilt) {
  StoredVariable variable;
  std::string error;
  for (const auto &[reference, value] : held)
    if (BuiltAlike(reference, built, rebuilt) && ResolveNumber(vessel, reference, variable, error))
      WriteNumber(vessel, variable, value, error);
}

}  // namespace

// A tank volume the files changed is the new one, unless the flight had
// changed it too: that one is kept, and named.
std::string LiveBench::takeChangedVolumes(const ClassCheck &before) {
  std::string kept;
  StoredVariable volume;
  std::string error;
  constexpr char kVolume[] = ":VOLUME";
  for (const auto &[reference, wanted] : check.builtValues) {
    const bool tankVolume = reference.size() > 7 && reference.compare(reference.size() - 7, 7, kVolume) == 0;
    const auto was = before.builtValues.find(reference);
    if (!tankVolume || was == before.builtValues.end() || was->second == wanted ||
        !ResolveNumber(vessel, reference, volume, error))
      continue;
    if (volume.read() == was->second && WriteNumber(vessel, volume, wanted, error)) continue;
    kept += (kept.empty() ? "" : ", ") + reference + " " + ShortestValue(ValueType::Double, volume.read()) +
            " (the files say " + ShortestValue(ValueType::Double, wanted) + ")";
  }
  return kept;
}

// The new host is made before the old one goes, so the module stays loaded
// and its clock runs on from the same time.
bool LiveBench::rebuild(const std::string &savedPath) {
  const int panel = sim->panels.shownPanel();
  const auto held = HeldByTheVessel(vessel);
  auto rebuilt = std::make_unique<host::Simulation>();
  rebuilt->messageSink = [](const std::string &) {};
  std::string error;
  if (!rebuilt->resumeScenario(savedPath, *sim, error)) {
    reloadStatus = error;
    return false;
  }
  host::Vessel *chosen = ChooseVessel(*rebuilt, options.vessel, error);
  if (!error.empty()) {
    reloadStatus = error;
    return false;
  }
  sim->panels.hidePanel();
  sim = std::move(rebuilt);
  vessel = chosen;
  // Nothing may read the old vessel once the lock is let go.
  schematic.FollowRebuilt(vessel);
  ++version;
  panelNames = PanelNames(vessel);
  GiveBack(vessel, held, flying, check);
  if (vessel != nullptr && panel >= 0) sim->panels.showPanel(*vessel, panel);
  resolveWatches();
  renderWanted = true;
  return true;
}

// A reload makes the vessel anew.
void LiveBench::resolveWatches() {
  for (ResolvedWatch &w : watches) RefreshWatch(vessel, w);
}

StoredVariable LiveBench::resolveOrRefuse(const std::string &reference) const {
  StoredVariable variable;
  std::string error;
  if (!ResolveNumber(vessel, reference, variable, error)) throw Refusal{error};
  return variable;
}

nlohmann::json LiveBench::flightData() const {
  if (vessel == nullptr) return nullptr;
  const VECTOR3 &v = vessel->rvel;
  const auto level = [this](THGROUP_TYPE type) {
    return vessel->thrusterGroupLevel(vessel->model.findGroup(type));
  };
  return {{"name", vessel->name},
          {"altitude", vessel->altitude()},
          {"speed", std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z)},
          {"mass", vessel->mass()},
          {"main", level(THGROUP_MAIN)},
          {"retro", level(THGROUP_RETRO)},
          {"hover", level(THGROUP_HOVER)}};
}

// The shown panel's areas that take the mouse, for the page to outline.
nlohmann::json LiveBench::shownAreas() const {
  nlohmann::json areas = nlohmann::json::array();
  for (const host::PanelArea &area : sim->panels.areas()) {
    if (area.mouseEvent == PANEL_MOUSE_IGNORE) continue;
    const RECT &r = area.rect;
    areas.push_back({{"id", area.id}, {"x", r.left}, {"y", r.top}, {"w", r.right - r.left}, {"h", r.bottom - r.top}});
  }
  return areas;
}

nlohmann::json LiveBench::state() {
  std::lock_guard<std::mutex> guard(lock);
  nlohmann::json watched = nlohmann::json::array();
  for (const ResolvedWatch &w : watches) {
    const double value = w.variable.read();
    watched.push_back({{"ref", w.ref.reference},
                       {"value", std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr)},
                       {"shown", FormatValue(w.shownType(), value)}});
  }
  const host::PanelNeighbours &n = sim->panels.neighbours();
  return {{"version", version},
          {"time", sim->simTime},
          {"paused", paused},
          {"rate", rate},
          {"dt", options.dt},
          {"flight", flightData()},
          {"panel", sim->panels.shownPanel()},
          {"panelNames", panelNames},
          {"panelVersion", panelVersion},
          {"neighbours", {{"left", n.left}, {"right", n.right}, {"top", n.top}, {"bottom", n.bottom}}},
          {"watches", watched},
          {"log", log},
          {"findings", check.findings},
          {"findingLines", findingLines},
          {"areas", shownAreas()},
          {"checkLog", check.log},
          {"files", check.files},
          {"reload", {{"status", reloadStatus}, {"seconds", reloadSeconds}, {"count", reloads}}},
          {"schematic", schematicState()}};
}

// The schematic's version and, element by element, the values that colour
// it: {"o3": {"pressure": 101300, "temperature": 295, ...}, ...}.
nlohmann::json LiveBench::schematicState() const {
  nlohmann::json values = nlohmann::json::object();
  for (const LiveSchematic::Reading &r : schematic.Read())
    values[r.element][r.key] = std::isfinite(r.value) ? nlohmann::json(r.value) : nlohmann::json(nullptr);
  return {{"version", schematic.Version()}, {"values", values}};
}

// Graphviz draws outside the lock: the clock runs on while it does.
std::string LiveBench::schematicSvg() {
  std::unique_lock<std::mutex> guard(lock);
  if (drawnSchematicVersion == schematic.Version()) return drawnSchematic;
  const uint64_t drawing = schematic.Version();
  const std::string dot = schematic.Dot();
  guard.unlock();
  std::string error;
  const std::string svg = RenderSvg(dot, error);
  guard.lock();
  if (schematic.Version() == drawing) {
    drawnSchematic = svg;
    drawnSchematicVersion = drawing;
  }
  return svg;
}

void LiveBench::watchElement(const std::string &element) {
  onClock([&] {
    const std::vector<std::string> references = schematic.MainVariables(element);
    if (references.empty()) throw Refusal{"the schematic has no element " + element + " with variables to watch"};
    for (const std::string &reference : references) watchLocked(reference);
    changedLocked();
  });
}

uint64_t LiveBench::waitForChange(uint64_t seen, int ms) {
  std::unique_lock<std::mutex> guard(lock);
  changes.wait_for(guard, std::chrono::milliseconds(ms), [&] { return stopping || version != seen; });
  return version;
}

bool LiveBench::openStream() {
  std::lock_guard<std::mutex> guard(lock);
  if (streams >= kMaxStreams) return false;
  ++streams;
  return true;
}

void LiveBench::closeStream() {
  std::lock_guard<std::mutex> guard(lock);
  --streams;
}

bool LiveBench::panelPng(std::string &picture) {
  std::lock_guard<std::mutex> guard(lock);
  picture = png;
  return !png.empty();
}

void LiveBench::note(const std::string &event) {
  session.push_back(ShortestValue(ValueType::Double, sim->simTime) + " " + event);
}

std::string LiveBench::sessionEvents() {
  std::lock_guard<std::mutex> guard(lock);
  std::string text = "# What was done on the live bench, for vesselsim run --events on " + options.scenario +
                     " --root " + options.root + " --dt " + ShortestValue(ValueType::Double, options.dt) +
                     "\n# a --duration of " + ShortestValue(ValueType::Double, sim->simTime) +
                     " s ends where the bench is now\n";
  for (const std::string &line : session) text += line + "\n";
  return text;
}

void LiveBench::changedLocked() {
  ++version;
  renderWanted = true;
  changes.notify_all();
}

// The whole request is read and checked before any of it is done.
void LiveBench::setClock(const nlohmann::json &request) {
  std::lock_guard<std::mutex> guard(lock);
  const double wanted = request.value("rate", rate);
  if (!(wanted == 0 || (wanted >= 1 && wanted <= 1000)))
    throw Refusal{"rate must be 0 (as fast as it goes) or 1 to 1000"};
  const int steps = request.contains("step") ? IntegerField(request, "step", 1, 100000) : 0;
  const bool pause = request.value("paused", paused);
  // A pause asked for alone also stops the steps still to go.
  const bool halt = request.value("paused", false) && !request.contains("step");
  rate = wanted;
  paused = pause;
  stepsWanted = halt ? 0 : stepsWanted + steps;
  lag = 0.0;
  changedLocked();
}

void LiveBench::showPanel(int id) {
  onClock([&] {
    if (vessel == nullptr || vessel->instance == nullptr) throw Refusal{"no vessel driven by the module"};
    if (!sim->panels.showPanel(*vessel, id))
      throw Refusal{"vessel " + vessel->name + " has no panel " + std::to_string(id)};
    note("panel " + std::to_string(id));
    changedLocked();
  });
}

bool LiveBench::mouse(int x, int y, bool right, const std::string &action) {
  return onClock([&] {
    if (action != "down" && action != "up" && action != "click") throw Refusal{"action must be down, up or click"};
    bool taken = true;
    // A run replays a press as a click on its area, pressed and released at
    // once.
    const host::PanelArea *area = action != "up" ? sim->panels.pressedArea(x, y, right) : nullptr;
    if (area != nullptr)
      note("click " + std::to_string(area->id) + " " + std::to_string(x - area->rect.left) + " " +
           std::to_string(y - area->rect.top) + (right ? " right" : ""));
    if (action == "down") taken = sim->panels.buttonDown(x, y, right);
    else if (action == "up") sim->panels.buttonUp();
    else taken = sim->panels.click(x, y, right);
    changedLocked();
    return taken;
  });
}

void LiveBench::key(const std::string &browserCode) {
  onClock([&] {
    const int code = KeyCodeFromBrowserCode(browserCode);
    if (code == 0) throw Refusal{"no host key for " + browserCode};
    if (vessel == nullptr || vessel->callbacks == nullptr) throw Refusal{"no vessel takes keys"};
    PressKey(*vessel, code);
    note("key " + std::to_string(code));
    changedLocked();
  });
}

void LiveBench::groupLevel(const std::string &group, double level) {
  onClock([&] {
    const int type = ThrusterGroupFromName(group.c_str());
    if (type < 0) throw Refusal{"no thruster group " + group};
    if (!(level >= 0 && level <= 1)) throw Refusal{"level must be 0 to 1"};
    if (vessel == nullptr) throw Refusal{"no vessel"};
    vessel->setGroupLevel(static_cast<THGROUP_TYPE>(type), level);
    note("group " + group + " " + ShortestValue(ValueType::Double, level));
    changedLocked();
  });
}

void LiveBench::addWatch(const std::string &text) {
  onClock([&] {
    watchLocked(text);
    changedLocked();
  });
}

void LiveBench::watchLocked(const std::string &text) {
  TypedReference ref;
  std::string error;
  if (!ref.parse(text, error)) throw Refusal{error};
  const StoredVariable variable = resolveOrRefuse(ref.reference);
  for (const ResolvedWatch &w : watches)
    if (w.ref.reference == ref.reference) return;
  watches.push_back({ref, variable});
  // The record so far keeps its columns; the new one has no past.
  for (Sample &sample : series) sample.values.push_back(std::nan(""));
}

void LiveBench::removeWatch(const std::string &reference) {
  std::lock_guard<std::mutex> guard(lock);
  const auto gone = std::find_if(watches.begin(), watches.end(),
                                 [&](const ResolvedWatch &w) { return w.ref.reference == reference; });
  if (gone == watches.end()) throw Refusal{"no watch " + reference};
  const auto column = gone - watches.begin();
  watches.erase(gone);
  for (Sample &sample : series) sample.values.erase(sample.values.begin() + column);
  changedLocked();
}

void LiveBench::writeVariable(const std::string &text, const std::string &value) {
  onClock([&] {
    TypedReference ref;
    std::string error;
    if (!ref.parse(text, error)) throw Refusal{error};
    const StoredVariable variable = resolveOrRefuse(ref.reference);
    double number = 0.0;
    if (!ParseValue(ref.type, value, number)) throw Refusal{RefusedValue(value)};
    std::string refusal;
    if (!WriteNumber(vessel, variable, number, refusal)) throw Refusal{refusal};
    const char *typed = ref.type == ValueType::Int ? "int=" : ref.type == ValueType::Float ? "float=" : "";
    note(std::string("set ") + typed + ref.reference + " " + ShortestValue(ref.type, number));
    changedLocked();
  });
}

// The record gains a promise that the watched value is what it is now, for
// a replay to check: an integer exactly, a number within a hundred-thousandth
// of itself (a held press replays as a click, a little apart).
void LiveBench::expectNow(const std::string &reference) {
  onClock([&] {
    const auto watch = std::find_if(watches.begin(), watches.end(),
                                    [&](const ResolvedWatch &w) { return w.ref.reference == reference; });
    if (watch == watches.end()) throw Refusal{reference + " is not watched"};
    const double value = watch->variable.read();
    if (!std::isfinite(value)) throw Refusal{reference + " has no value to expect: its object is gone"};
    const bool whole = watch->variable.type == ValueType::Int;
    note("expect " + reference + " = " + ShortestValue(watch->shownType(), value) +
         (whole ? "" : " " + ShortestValue(ValueType::Double, std::fabs(value) * 1e-5)));
  });
}

std::vector<std::string> LiveBench::references(const std::string &prefix) {
  return onClock([&] {
    std::vector<std::string> found;
    for (const std::string &reference : ListReferences(vessel))
      if (strncasecmp(reference.c_str(), prefix.c_str(), prefix.size()) == 0) found.push_back(reference);
    return found;
  });
}

std::string LiveBench::seriesCsv(size_t last, size_t points) {
  std::lock_guard<std::mutex> guard(lock);
  std::string csv = "time";
  for (const ResolvedWatch &w : watches) csv += "," + w.ref.reference;
  csv += "\n";
  const size_t first = last > 0 && last < series.size() ? series.size() - last : 0;
  const size_t count = series.size() - first;
  const size_t stride = points > 0 && count > points ? (count + points - 1) / points : 1;
  // The newest sample is always in, whatever the stride.
  for (size_t k = first + (count - 1) % stride; k < series.size(); k += stride) {
    const Sample &s = series[k];
    csv += ShortestValue(ValueType::Double, s.time);
    for (size_t i = 0; i < s.values.size(); ++i)
      csv += "," + (std::isnan(s.values[i]) ? std::string() : ShortestValue(watches[i].shownType(), s.values[i]));
    csv += "\n";
  }
  return csv;
}

std::string LiveBench::scenarioText() {
  return onClock([&] {
    const std::string path = ScratchPath("serve", "scn");
    std::string error;
    if (!sim->saveScenario(path, error)) throw Refusal{error};
    std::string text = ReadWhole(path);
    std::remove(path.c_str());
    return text;
  });
}

std::string LiveBench::saveScenario(const std::string &name) {
  if (!IsPlainName(name)) throw Refusal{"a scenario name is letters, digits, spaces, '-' and '_' (at most 64)"};
  return onClock([&] {
    std::error_code made;
    std::filesystem::create_directories("Scenarios", made);
    const std::string path = "Scenarios/" + name + ".scn";
    std::string error;
    if (!sim->saveScenario(path, error)) throw Refusal{error};
    return path;
  });
}

// A scenario flown live for the browser bench: the simulation on a thread of
// its own at a chosen rate, the shown panel rendered whenever it changes,
// watched variables recorded, and the vessel rebuilt with its state kept when
// one of the files it is built from changes. The clock's thread alone calls
// into the module and the host: a request that acts on the vessel is handed
// to it and answered from there (the attitude ball's drawing context belongs
// to the thread that made it). What only reads takes the one lock.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "CheckCommand.h"
#include "FileWatch.h"
#include "LiveSchematic.h"
#include "Simulation.h"
#include "ModuleVessel.h"
#include "Watch.h"

struct ServeOptions {
  std::string scenario;
  std::string root = ".";
  int port = 8080;
  std::string bind = "127.0.0.1";
  double dt = 0.02;
  std::string vessel;
  std::vector<std::string> watches;
};

// A request the bench refuses, with the reason the page shows.
struct Refusal {
  std::string reason;
};

class LiveBench {
 public:
  // Loads the scenario (the current folder is the host's root); throws
  // Refusal when it cannot.
  LiveBench(const ServeOptions &options, const std::string &scenarioPath);
  ~LiveBench();
  LiveBench(const LiveBench &) = delete;
  LiveBench &operator=(const LiveBench &) = delete;

  void start();
  // Stops the clock's thread and ends every wait for a change.
  void stop();
  bool stopped();

  // What the page shows, as one object (see the bench's guide).
  nlohmann::json state();
  // Waits up to `ms` for a state newer than `seen`; the newest version.
  uint64_t waitForChange(uint64_t seen, int ms);
  // A page's event stream: false when as many are open as the bench serves.
  bool openStream();
  void closeStream();
  // The shown panel's latest picture (PNG); false when none is shown.
  bool panelPng(std::string &png);

  // Each throws Refusal with the reason when it cannot do what is asked.
  void setClock(const nlohmann::json &request);
  void showPanel(int id);
  bool mouse(int x, int y, bool right, const std::string &action);
  void key(const std::string &browserCode);
  void groupLevel(const std::string &group, double level);
  void addWatch(const std::string &text);
  void removeWatch(const std::string &reference);
  void writeVariable(const std::string &text, const std::string &value);
  // An "expect REF = VALUE" line in the record, at the time and value now.
  void expectNow(const std::string &reference);
  std::vector<std::string> references(const std::string &prefix);
  // The recorded series, its last `last` samples (all when 0), thinned
  // evenly to at most `points` rows (all when 0). A value the record does
  // not have (a watch added later) is an empty field.
  std::string seriesCsv(size_t last, size_t points);
  // The plant's schematic as it stands, drawn once a version; "" when
  // Graphviz could not draw it.
  std::string schematicSvg();
  // Watches the main variables of a schematic element ("o3").
  void watchElement(const std::string &element);
  std::string scenarioText();
  // What the author did since the bench started, as an events file that
  // `vesselsim run` replays on the scenario to the same state.
  std::string sessionEvents();
  std::string saveScenario(const std::string &name);

 private:
  struct Sample {
    double time;
    std::vector<double> values;
  };

  template <typename Work>
  auto onClock(Work work) -> decltype(work());
  void runTasks();
  void run();
  void advance(double wallSeconds);
  void stepFrame();
  void renderPanel();
  void record();
  void lookAtFiles();
  void showMissing();
  void reload();
  void recheck();
  bool rebuild(const std::string &savedPath);
  std::string takeChangedVolumes(const ClassCheck &before);
  void resolveWatches();
  void watchLocked(const std::string &text);
  void changedLocked();
  void note(const std::string &event);
  void choosePanelVessel();
  nlohmann::json flightData() const;
  nlohmann::json shownAreas() const;
  nlohmann::json schematicState() const;
  StoredVariable resolveOrRefuse(const std::string &reference) const;

  const ServeOptions options;
  std::mutex lock;
  std::condition_variable changes;
  std::thread simThread;
  bool stopping = false;
  std::deque<std::function<void()>> tasks;  // for the clock's thread
  int streams = 0;

  std::unique_ptr<host::Simulation> sim;
  host::Vessel *vessel = nullptr;
  bool paused = false;
  double rate = 1.0;  // 0: as fast as it goes
  int stepsWanted = 0;
  long long frameCount = 0;  // the clock is frameCount x dt, as a run's is
  std::vector<std::string> session;  // events-file lines
  double lag = 0.0;  // simulated seconds the clock is behind

  std::vector<ResolvedWatch> watches;
  std::vector<std::string> panelNames;  // by number
  std::deque<Sample> series;

  std::vector<uint32_t> pixels;  // of the picture shown, its width last
  std::string png;
  uint64_t version = 1;       // bumped whenever anything the page shows changes
  uint64_t panelVersion = 0;  // bumped when the picture changes
  bool renderWanted = true;
  double lastRender = -1.0;

  ClassCheck check;   // the files as last read
  std::vector<std::string> findingLines;  // the line each finding points at
  ClassCheck flying;  // what the vessel flying was built from
  FileWatch files;    // flying's files
  double lastLook = 0.0;
  double changeSeen = -1.0;  // wall time a change was first seen
  std::string reloadStatus = "loaded";
  double reloadSeconds = 0.0;
  int reloads = 0;
  std::string log;  // the module's, as last looked at

  LiveSchematic schematic;
  std::string drawnSchematic;        // its SVG,
  uint64_t drawnSchematicVersion = 0;  // of this version
};

// The headless host: the world, its vessels and the modules that drive them,
// advanced one frame at a time. The oapi functions act on the running one.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Bodies.h"
#include "ClassFile.h"
#include "ModuleLibrary.h"
#include "PanelHost.h"
#include "ScenarioFile.h"
#include "Vessel.h"

namespace host {

class Simulation {
 public:
  Simulation();
  ~Simulation();
  Simulation(const Simulation &) = delete;
  Simulation &operator=(const Simulation &) = delete;

  // The simulation the oapi functions act on: the one most recently created
  // of those still alive.
  static Simulation *current();

  // Reads a scenario from the working folder's point of view and restores its
  // vessels; false with a message when the file cannot be used.
  bool loadScenario(const std::string &path, std::string &error);
  bool saveScenario(const std::string &path, std::string &error) const;
  // Reads a scenario that `earlier` saved as the same session going on: the
  // clock runs on from the earlier one's time, and the date counts from the
  // earlier one's start, so the time flown is not added to it twice.
  bool resumeScenario(const std::string &path, const Simulation &earlier, std::string &error);

  // One frame: physics to `newTime`, every module vessel's time step, then
  // the shown panel's redraws.
  void frame(double newTime);

  // A new vessel of `className`: driven by the class's module when its class
  // file names one, a plain body otherwise.
  Vessel *createVessel(const std::string &name, const std::string &className);
  // What the host tells a module's vessel that was created while flying
  // (oapiCreateVessel), its state already applied: that state, then that it
  // is complete.
  void finishRuntimeCreation(Vessel &vessel);
  // A new vessel of `className` in a circular orbit `altitude` above the
  // planet, over its equator on +x, moving at `speedFactor` times circular
  // speed: where tests and benchmarks build module objects on a plain body.
  Vessel *createOrbitingVessel(const std::string &name, const std::string &className, double altitude,
                               double speedFactor = 1.0);
  Vessel *findVessel(const std::string &name) const;
  const std::vector<std::unique_ptr<Vessel>> &vessels() const { return vesselList; }

  // The object behind a handle, or null for a handle the host never gave out.
  Object *object(OBJHANDLE handle) const;
  Vessel *vessel(OBJHANDLE handle) const;

  MeshFile *loadMesh(const std::string &name);
  SURFHANDLE particleTexture(const std::string &name);

  // Host messages (a missing mesh, a class without module) go here; stderr by default.
  void report(const std::string &message) const;
  std::function<void(const std::string &)> messageSink;

  Star star;
  Planet planet;
  double simTime = 0.0;
  double sysStep = 0.0;
  char debugString[256] = "";
  // The 2D panel on screen, and where the module's panel registrations go.
  PanelHost panels;

 private:
  // The module of the class's class file; null for a plain body, which the
  // class file's standard keys build into `vessel`.
  ModuleLibrary *moduleForClass(const std::string &className, Vessel &vessel, ClassFile &file);
  ModuleLibrary *moduleNamed(const std::string &name, const std::string &className);
  void takeCallbacks(Vessel &vessel);
  void readWorld(const std::vector<std::string> &lines);
  void writeWorld(std::string &out) const;
  void restoreVessel(const ShipBlock &block);

  Simulation *previous;  // the one created before this one, still alive
  std::vector<std::unique_ptr<Vessel>> vesselList;
  // Every vessel's handle, sorted: a module's calls are looked up here, in a
  // table small enough to stay in the cache for a whole fleet's frame.
  std::vector<const Object *> vesselHandles;
  std::map<std::string, std::unique_ptr<ModuleLibrary>> modules;
  std::map<std::string, std::unique_ptr<MeshFile>> meshes;
  std::map<std::string, std::unique_ptr<std::string>> particleTextures;
  std::vector<std::string> description;
  std::vector<std::string> environment;
  // The scenario's date when it starts (its "Date MJD"), in days.
  double startMjd = 51544.5;
  // The modules whose vessels were found to be plain, each told of once.
  std::set<const ModuleLibrary *> plainModules;
};

// What the oapi functions and the VESSEL members act on, in the current
// simulation: the object or vessel behind a handle, and the panel host. Null
// without a simulation, or for a handle it never gave out.
Object *runningObject(OBJHANDLE handle);
Vessel *runningVessel(OBJHANDLE handle);
PanelHost *runningPanels();

}  // namespace host

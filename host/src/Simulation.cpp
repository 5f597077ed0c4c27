#include "Simulation.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "ClassFile.h"
#include "VesselAPI.h"
#include "WindowsFiles.h"
#include "winpath.h"

namespace host {

namespace {

Simulation *running = nullptr;

std::string formatted(const char *format, double a, double b = 0, double c = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

Simulation::Simulation() : previous(running) { running = this; }

Simulation::~Simulation() {
  // The panel's module goes with its vessel; no event may reach it after.
  panels.hidePanel();
  for (auto &v : vesselList)
    if (v->instance != nullptr && v->module->ovcExit != nullptr) v->module->ovcExit(v->instance);
  vesselList.clear();
  modules.clear();
  // Out of the chain of live simulations, wherever this one is in it.
  for (Simulation **link = &running; *link != nullptr; link = &(*link)->previous) {
    if (*link == this) {
      *link = previous;
      break;
    }
  }
}

Simulation *Simulation::current() { return running; }

Object *runningObject(OBJHANDLE handle) { return running != nullptr ? running->object(handle) : nullptr; }

Vessel *runningVessel(OBJHANDLE handle) { return running != nullptr ? running->vessel(handle) : nullptr; }

PanelHost *runningPanels() { return running != nullptr ? &running->panels : nullptr; }

void Simulation::report(const std::string &message) const {
  if (messageSink) {
    messageSink(message);
  } else {
    std::cerr << "host: " << message << '\n';
  }
}

// A class without a module (an ejected stage, a payload) is built, as the
// real host builds it, from its class file's standard keys.
ModuleLibrary *Simulation::moduleForClass(const std::string &className, Vessel &vessel, ClassFile &file) {
  if (!ClassFile::read("Config\\Vessels\\" + className + ".cfg", file)) {
    report("class " + className + " has no class file; its vessels are plain bodies");
    return nullptr;
  }
  if (!file.module.empty()) return moduleNamed(file.module, className);
  file.applyTo(vessel.model);
  if (!file.meshName.empty())
    if (MeshFile *mesh = loadMesh(file.meshName)) vessel.model.meshes.push_back({mesh, _V(0, 0, 0)});
  vessel.focusEnabled = file.enableFocus;
  return nullptr;
}

ModuleLibrary *Simulation::moduleNamed(const std::string &name, const std::string &className) {
  auto found = modules.find(name);
  if (found != modules.end()) return found->second.get();
  std::string error;
  std::unique_ptr<ModuleLibrary> module = ModuleLibrary::load(name, error);
  if (!module) report("module " + name + " of class " + className + " not loaded: " + error);
  ModuleLibrary *result = module.get();
  modules[name] = std::move(module);
  return result;
}

Vessel *Simulation::createOrbitingVessel(const std::string &name, const std::string &className, double altitude,
                                         double speedFactor) {
  Vessel *vessel = createVessel(name, className);
  const double r = planet.radius + altitude;
  vessel->rpos = _V(r, 0, 0);
  vessel->rvel = _V(0, 0, -std::sqrt(kGravitationalConstant * planet.planetMass / r) * speedFactor);
  return vessel;
}

// The class file names the module. Its vessel gets the class file through
// clbkSetClassCaps before the host reads anything else of it.
Vessel *Simulation::createVessel(const std::string &name, const std::string &className) {
  vesselList.push_back(std::make_unique<Vessel>(name, className, planet));
  Vessel *vessel = vesselList.back().get();
  const Object *handle = vessel;
  vesselHandles.insert(std::lower_bound(vesselHandles.begin(), vesselHandles.end(), handle, std::less<>()), handle);
  ClassFile classFile;
  if (ModuleLibrary *module = moduleForClass(className, *vessel, classFile)) {
    vessel->module = module;
    vessel->instance = module->ovcInit(vessel->handle(), 1);
    if (vessel->instance != nullptr && vessel->instance != vessel->interfaceAddress) {
      // Any member call through such a pointer would act on something that is
      // not the vessel's interface.
      report("module " + module->name + " handed back vessel " + name + " at another address than its VESSEL's");
      if (module->ovcExit != nullptr) module->ovcExit(vessel->instance);
      vessel->instance = nullptr;
    }
    if (vessel->instance == nullptr) {
      report("module " + module->name + " did not create vessel " + name);
      vessel->module = nullptr;
      return vessel;
    }
    takeCallbacks(*vessel);
    if (vessel->callbacks != nullptr) {
      ScenarioBlockReader reader(classFile.lines);
      vessel->callbacks->clbkSetClassCaps(reader.handle());
    }
  }
  return vessel;
}

// As the 2016 host: only an interface of version 1 or more (a VESSEL2) is
// sent events; a plain VESSEL is flown by the host alone.
void Simulation::takeCallbacks(Vessel &vessel) {
  if (vessel.instance->Version() >= 1) {
    vessel.callbacks = static_cast<VESSEL2 *>(vessel.instance);
  } else if (plainModules.insert(vessel.module).second) {
    report(vessel.name + " is a plain VESSEL: the host calls none of its callbacks");
  }
}

void Simulation::finishRuntimeCreation(Vessel &vessel) {
  if (vessel.callbacks == nullptr) return;
  VESSELSTATUS2 status;
  std::memset(&status, 0, sizeof status);
  status.version = 2;
  vessel.fillStatus(status);
  vessel.callbacks->clbkSetStateEx(&status);
  vessel.callbacks->clbkPostCreation();
}

Vessel *Simulation::findVessel(const std::string &name) const {
  for (const auto &v : vesselList)
    if (strcasecmp(v->name.c_str(), name.c_str()) == 0) return v.get();
  return nullptr;
}

Object *Simulation::object(OBJHANDLE handle) const {
  if (handle == nullptr) return nullptr;
  if (handle == static_cast<const Object *>(&star)) return const_cast<Star *>(&star);
  if (handle == static_cast<const Object *>(&planet)) return const_cast<Planet *>(&planet);
  return vessel(handle);
}

// Every call a module makes with a handle comes here: a lookup, not a walk
// through the vessels, so that a frame of N vessels costs N times one.
Vessel *Simulation::vessel(OBJHANDLE handle) const {
  const Object *object = static_cast<const Object *>(handle);
  if (!std::binary_search(vesselHandles.begin(), vesselHandles.end(), object, std::less<>())) return nullptr;
  return static_cast<Vessel *>(const_cast<Object *>(object));
}

MeshFile *Simulation::loadMesh(const std::string &name) {
  auto found = meshes.find(name);
  if (found != meshes.end()) return found->second.get();
  std::unique_ptr<MeshFile> mesh;
  if (windowsFileExists("Meshes\\" + name + ".msh")) {
    mesh = std::make_unique<MeshFile>(MeshFile{name});
  } else {
    report("mesh " + name + " not found (Meshes/" + name + ".msh)");
  }
  MeshFile *result = mesh.get();
  meshes[name] = std::move(mesh);
  return result;
}

SURFHANDLE Simulation::particleTexture(const std::string &name) {
  auto &texture = particleTextures[name];
  if (!texture) texture = std::make_unique<std::string>(name);
  return texture.get();
}

void Simulation::frame(double newTime) {
  const double dt = newTime - simTime;
  sysStep = dt;
  simTime = newTime;
  // Vessels created during this frame (ejected stages) start with the next.
  const size_t count = vesselList.size();
  const double mjd = startMjd + simTime / 86400.0;
  for (size_t i = 0; i < count; ++i)
    if (VESSEL2 *v = vesselList[i]->callbacks) v->clbkPreStep(simTime, dt, mjd);
  for (size_t i = 0; i < count; ++i) vesselList[i]->integrate(dt);
  for (size_t i = 0; i < count; ++i)
    if (VESSEL2 *v = vesselList[i]->callbacks) v->clbkPostStep(simTime, dt, mjd);
  panels.frame();
}

bool Simulation::loadScenario(const std::string &path, std::string &error) {
  ScenarioFile file;
  if (!file.read(path, error)) return false;
  description = file.description;
  environment = file.environment;
  for (const std::string &line : environment) std::sscanf(line.c_str(), "Date MJD %lf", &startMjd);
  readWorld(file.world);
  for (const ShipBlock &block : file.ships) restoreVessel(block);
  return true;
}

bool Simulation::resumeScenario(const std::string &path, const Simulation &earlier, std::string &error) {
  simTime = earlier.simTime;
  if (!loadScenario(path, error)) return false;
  environment = earlier.environment;
  startMjd = earlier.startMjd;
  return true;
}

void Simulation::restoreVessel(const ShipBlock &block) {
  Vessel *vessel = createVessel(block.name, block.className);
  ParsedStatus status;
  if (vessel->callbacks != nullptr) {
    ScenarioBlockReader reader(block.lines);
    vessel->callbacks->clbkLoadStateEx(reader.handle(), &status);
  } else {
    for (const std::string &line : block.lines) status.parseLine(line.c_str());
  }
  // As the simulator does, the host applies what its own lines said after the
  // module has read the block, so propellants the module created get their levels.
  vessel->applyStatus(status);
  if (vessel->callbacks != nullptr) vessel->callbacks->clbkPostCreation();
}

void Simulation::readWorld(const std::vector<std::string> &lines) {
  for (const std::string &line : lines) {
    char key[32] = "", word[64] = "";
    double a, b, c;
    if (std::sscanf(line.c_str(), "%31s", key) != 1) continue;
    const char *rest = line.c_str() + std::strlen(key);
    if (strcasecmp(key, "PLANET") == 0 && std::sscanf(rest, "%63s", word) == 1) planet.name = word;
    else if (strcasecmp(key, "MASS") == 0 && std::sscanf(rest, "%lf", &a) == 1 && a > 0) planet.planetMass = a;
    else if (strcasecmp(key, "RADIUS") == 0 && std::sscanf(rest, "%lf", &a) == 1 && a > 0) planet.radius = a;
    else if (strcasecmp(key, "POSITION") == 0 && std::sscanf(rest, "%lf %lf %lf", &a, &b, &c) == 3) planet.position = _V(a, b, c);
    else if (strcasecmp(key, "ROTATION") == 0 && std::sscanf(rest, "%lf", &a) == 1) planet.rotationPeriod = a;
    else if (strcasecmp(key, "ATMOSPHERE") == 0 && std::sscanf(rest, "%lf %lf %lf", &a, &b, &c) == 3 && c > 0) {
      planet.surfaceDensity = a;
      planet.surfacePressure = b;
      planet.scaleHeight = c;
    } else {
      report("unknown world line: " + line);
    }
  }
}

void Simulation::writeWorld(std::string &out) const {
  out += "BEGIN_WORLD\n  PLANET " + planet.name + "\n";
  out += formatted("  MASS %.10g\n", planet.planetMass);
  out += formatted("  RADIUS %.10g\n", planet.radius);
  out += formatted("  POSITION %.10g %.10g %.10g\n", planet.position.x, planet.position.y, planet.position.z);
  out += formatted("  ROTATION %.10g\n", planet.rotationPeriod);
  out += formatted("  ATMOSPHERE %.10g %.10g %.10g\n", planet.surfaceDensity, planet.surfacePressure,
                   planet.scaleHeight);
  out += "END_WORLD\n\n";
}

bool Simulation::saveScenario(const std::string &path, std::string &error) const {
  std::string out = "BEGIN_DESC\n";
  for (const std::string &line : description) out += line + "\n";
  out += "END_DESC\n\nBEGIN_ENVIRONMENT\n";
  for (const std::string &line : environment) {
    double mjd;
    if (std::sscanf(line.c_str(), "Date MJD %lf", &mjd) == 1) {
      out += formatted("  Date MJD %.10f\n", mjd + simTime / 86400.0);
    } else {
      out += "  " + line + "\n";
    }
  }
  out += "END_ENVIRONMENT\n\n";
  writeWorld(out);
  out += "BEGIN_SHIPS\n";
  for (const auto &v : vesselList) {
    ScenarioWriter writer;
    if (v->callbacks != nullptr) {
      v->callbacks->clbkSaveState(writer.handle());
    } else {
      v->writeDefaultState(writer);
    }
    out += v->name + ":" + v->className + "\n" + writer.text + "END\n";
  }
  out += "END_SHIPS\n";
  // Line ends are "\n" on every platform, so a scenario is the same file
  // wherever it was saved.
  std::ofstream file(path, std::ios::binary);
  if (!(file << out)) {
    error = "cannot write scenario " + path;
    return false;
  }
  return true;
}

}  // namespace host

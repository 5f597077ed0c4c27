// The oapi functions, acting on the running simulation.
#include <cstdio>

#include "Simulation.h"

using host::Simulation;

double oapiGetMass(OBJHANDLE hObj) {
  host::Object *object = host::runningObject(hObj);
  return object != nullptr ? object->mass() : 0.0;
}

double oapiGetSize(OBJHANDLE hObj) {
  host::Object *object = host::runningObject(hObj);
  return object != nullptr ? object->size() : 0.0;
}

BOOL oapiGetAirspeed(OBJHANDLE hVessel, double *airspeed) {
  host::Vessel *vessel = host::runningVessel(hVessel);
  if (vessel == nullptr || airspeed == nullptr) return FALSE;
  *airspeed = host::length(vessel->airspeedVector());
  return TRUE;
}

BOOL oapiGetHeading(OBJHANDLE hVessel, double *heading) {
  host::Vessel *vessel = host::runningVessel(hVessel);
  if (vessel == nullptr || heading == nullptr) return FALSE;
  *heading = vessel->heading();
  return TRUE;
}

OBJHANDLE oapiCreateVessel(const char *name, const char *classname, const VESSELSTATUS &status) {
  Simulation *sim = Simulation::current();
  if (sim == nullptr || name == nullptr || classname == nullptr) return nullptr;
  host::Vessel *vessel = sim->createVessel(name, classname);
  vessel->applyStatus(status);
  sim->finishRuntimeCreation(*vessel);
  return vessel->handle();
}

const MESHHANDLE oapiLoadMeshGlobal(const char *fname) {
  Simulation *sim = Simulation::current();
  return sim != nullptr && fname != nullptr ? sim->loadMesh(fname) : nullptr;
}

SURFHANDLE oapiRegisterParticleTexture(char *name) {
  Simulation *sim = Simulation::current();
  return sim != nullptr && name != nullptr ? sim->particleTexture(name) : nullptr;
}

bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line) {
  return scn != nullptr && static_cast<host::ScenarioBlockReader *>(scn)->next(line);
}

void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string) {
  if (scn != nullptr) static_cast<host::ScenarioWriter *>(scn)->item(item, string);
}

void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i) {
  char value[16];
  std::snprintf(value, sizeof value, "%d", i);
  oapiWriteScenario_string(scn, item, value);
}

void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d) {
  char value[32];
  std::snprintf(value, sizeof value, "%.10g", d);
  oapiWriteScenario_string(scn, item, value);
}

double oapiGetSimTime() {
  Simulation *sim = Simulation::current();
  return sim != nullptr ? sim->simTime : 0.0;
}

double oapiGetSysStep() {
  Simulation *sim = Simulation::current();
  return sim != nullptr ? sim->sysStep : 0.0;
}

char *oapiDebugString() {
  static char orphan[256];
  Simulation *sim = Simulation::current();
  return sim != nullptr ? sim->debugString : orphan;
}

// A vessel module of the oldest kind: its vessel is a plain VESSEL, which the
// 2016 host flies by itself and never calls. Its older entry points would
// leave a mark in the saved scenario, were they called.
#include <Orbitersdk.h>

DLLCLBK VESSEL *ovcInit(OBJHANDLE hVessel, int flightModel) { return new VESSEL(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL *vessel) { delete vessel; }

DLLCLBK void ovcSaveState(VESSEL *vessel, FILEHANDLE scn) {
  char item[] = "CALLED";
  char value[] = "ovcSaveState";
  oapiWriteScenario_string(scn, item, value);
}

DLLCLBK void ovcTimestep(VESSEL *vessel, double simTime) { vessel->SetEmptyMass(1.0); }

// The host's scenario writers take their item and text as `char *`, though
// they only read them; the module's items are literals and its texts are
// kept as const. This is the one place that hands them over.
#pragma once

#include <Orbitersdk.h>

inline void WriteScenarioString(FILEHANDLE scn, const char *item, const char *text) {
  oapiWriteScenario_string(scn, const_cast<char *>(item), const_cast<char *>(text));
}

inline void WriteScenarioInt(FILEHANDLE scn, const char *item, int value) {
  oapiWriteScenario_int(scn, const_cast<char *>(item), value);
}

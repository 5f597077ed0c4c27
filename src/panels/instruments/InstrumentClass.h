// Instrument looks read from class files "config\NAME.prd": one record type
// for every kind, whose numbered slots mean what the kind makes of them.
#pragma once

#include <cstdint>

struct InstrumentClass {
  char tag[25] = "";        // the opening line, "<TOGGLE>" and what follows
  char kind[27] = "";       // from CLASS
  int32_t I[8] = {};
  double D[5] = {};
  int32_t bitmap = 0;       // surface index
  int32_t resource1 = 0;    // MASK1 surface or COLOR pen
  int32_t resource2 = 0;    // MASK2 surface or NOCOL pen
  int32_t font = 0;
  char ballTexture[44] = "";
};

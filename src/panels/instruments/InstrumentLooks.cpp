#include "panels/instruments/InstrumentLooks.h"

#include "panels/instruments/InstrumentClass.h"
#include "panels/instruments/Instrument.h"

AreaLook AreaLook::Of(const InstrumentClass &c) {
  return {BoundedCoordinate(c.I[0]), BoundedCoordinate(c.I[1]), c.bitmap};
}

// One side's table: LAYOUT_TABLE names it, the include path chooses the
// headers it is laid out from.
#include <Orbitersdk.h>

#include "StructLayout.h"

struct VesselMembers : VESSEL {
  using VESSEL::flightmodel;
  using VESSEL::version;
  using VESSEL::vessel;
};

#define LAYOUT_SIZE(type) {"sizeof(" #type ")", sizeof(type)},
#define LAYOUT_OFFSET(type, member) {#type "::" #member, offsetof(type, member)},

extern const LayoutEntry LAYOUT_TABLE[] = {LAYOUT_STRUCTS(LAYOUT_SIZE, LAYOUT_OFFSET){nullptr, 0}};

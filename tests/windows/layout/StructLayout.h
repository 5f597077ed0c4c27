// Every struct the module hands to the host, member by member: one table of
// sizes and offsets is compiled against our host headers, one against the
// host SDK's, both by the win32 compiler, and CompareLayouts.cpp sets them
// side by side.
#pragma once

#include <cstddef>

struct LayoutEntry {
  const char *what;
  size_t value;
};

// The VESSEL's members are the host's (protected): a class of no members of
// its own lays them out as VESSEL does and may name them.
#define LAYOUT_STRUCTS(STRUCT, MEMBER)                                                                   \
  STRUCT(VECTOR3) MEMBER(VECTOR3, x) MEMBER(VECTOR3, y) MEMBER(VECTOR3, z)                               \
  STRUCT(VESSELSTATUS) MEMBER(VESSELSTATUS, rpos) MEMBER(VESSELSTATUS, rvel) MEMBER(VESSELSTATUS, vrot)  \
  MEMBER(VESSELSTATUS, arot) MEMBER(VESSELSTATUS, fuel) MEMBER(VESSELSTATUS, eng_main)                   \
  MEMBER(VESSELSTATUS, eng_hovr) MEMBER(VESSELSTATUS, rbody) MEMBER(VESSELSTATUS, base)                  \
  MEMBER(VESSELSTATUS, port) MEMBER(VESSELSTATUS, status) MEMBER(VESSELSTATUS, vdata)                    \
  MEMBER(VESSELSTATUS, fdata) MEMBER(VESSELSTATUS, flag)                                                 \
  STRUCT(VESSELSTATUS2) MEMBER(VESSELSTATUS2, version) MEMBER(VESSELSTATUS2, flag)                       \
  MEMBER(VESSELSTATUS2, rbody) MEMBER(VESSELSTATUS2, base) MEMBER(VESSELSTATUS2, port)                   \
  MEMBER(VESSELSTATUS2, status) MEMBER(VESSELSTATUS2, rpos) MEMBER(VESSELSTATUS2, rvel)                  \
  MEMBER(VESSELSTATUS2, vrot) MEMBER(VESSELSTATUS2, arot) MEMBER(VESSELSTATUS2, surf_lng)                \
  MEMBER(VESSELSTATUS2, surf_lat) MEMBER(VESSELSTATUS2, surf_hdg) MEMBER(VESSELSTATUS2, nfuel)           \
  MEMBER(VESSELSTATUS2, fuel) MEMBER(VESSELSTATUS2, nthruster) MEMBER(VESSELSTATUS2, thruster)           \
  MEMBER(VESSELSTATUS2, ndockinfo) MEMBER(VESSELSTATUS2, dockinfo) MEMBER(VESSELSTATUS2, xpdr)           \
  STRUCT(VESSELSTATUS2::FUELSPEC) MEMBER(VESSELSTATUS2::FUELSPEC, idx) MEMBER(VESSELSTATUS2::FUELSPEC, level) \
  STRUCT(VESSELSTATUS2::THRUSTSPEC) MEMBER(VESSELSTATUS2::THRUSTSPEC, idx)                               \
  MEMBER(VESSELSTATUS2::THRUSTSPEC, level)                                                               \
  STRUCT(VESSELSTATUS2::DOCKINFOSPEC) MEMBER(VESSELSTATUS2::DOCKINFOSPEC, idx)                           \
  MEMBER(VESSELSTATUS2::DOCKINFOSPEC, ridx) MEMBER(VESSELSTATUS2::DOCKINFOSPEC, rvessel)                 \
  STRUCT(PARTICLESTREAMSPEC) MEMBER(PARTICLESTREAMSPEC, flags) MEMBER(PARTICLESTREAMSPEC, srcsize)       \
  MEMBER(PARTICLESTREAMSPEC, srcrate) MEMBER(PARTICLESTREAMSPEC, v0) MEMBER(PARTICLESTREAMSPEC, srcspread) \
  MEMBER(PARTICLESTREAMSPEC, lifetime) MEMBER(PARTICLESTREAMSPEC, growthrate)                            \
  MEMBER(PARTICLESTREAMSPEC, atmslowdown) MEMBER(PARTICLESTREAMSPEC, ltype)                              \
  MEMBER(PARTICLESTREAMSPEC, levelmap) MEMBER(PARTICLESTREAMSPEC, lmin) MEMBER(PARTICLESTREAMSPEC, lmax) \
  MEMBER(PARTICLESTREAMSPEC, atmsmap) MEMBER(PARTICLESTREAMSPEC, amin) MEMBER(PARTICLESTREAMSPEC, amax)  \
  MEMBER(PARTICLESTREAMSPEC, tex)                                                                        \
  STRUCT(MFDSPEC) MEMBER(MFDSPEC, pos) MEMBER(MFDSPEC, nbt_left) MEMBER(MFDSPEC, nbt_right)              \
  MEMBER(MFDSPEC, bt_yofs) MEMBER(MFDSPEC, bt_ydist)                                                     \
  STRUCT(VesselMembers) MEMBER(VesselMembers, vessel) MEMBER(VesselMembers, flightmodel)                 \
  MEMBER(VesselMembers, version)

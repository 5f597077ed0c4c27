#include "ModelReport.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace {

std::string vec(const VECTOR3 &v) {
  char text[96];
  std::snprintf(text, sizeof text, "(%g, %g, %g)", v.x, v.y, v.z);
  return text;
}

// The host's names of the thruster group types.
std::string groupName(THGROUP_TYPE type) {
  static const char *const kNames[] = {
      "THGROUP_MAIN",          "THGROUP_RETRO",        "THGROUP_HOVER",         "THGROUP_ATT_PITCHUP",
      "THGROUP_ATT_PITCHDOWN", "THGROUP_ATT_YAWLEFT",  "THGROUP_ATT_YAWRIGHT",  "THGROUP_ATT_BANKLEFT",
      "THGROUP_ATT_BANKRIGHT", "THGROUP_ATT_RIGHT",    "THGROUP_ATT_LEFT",      "THGROUP_ATT_UP",
      "THGROUP_ATT_DOWN",      "THGROUP_ATT_FORWARD",  "THGROUP_ATT_BACK"};
  if (type == THGROUP_USER) return "THGROUP_USER";
  const int index = static_cast<int>(type);
  return index >= 0 && index < static_cast<int>(std::size(kNames)) ? kNames[index] : "type " + std::to_string(index);
}

// What made a resource, as the vessel's module says; "" when it cannot say.
std::string madeBy(const host::Vessel &v, const host::Propellant &p) {
  if (v.module == nullptr || v.module->bench.describeResource == nullptr || v.instance == nullptr) return "";
  char text[64] = "";
  v.module->bench.describeResource(v.instance, const_cast<host::Propellant *>(&p), text, sizeof text);
  return text[0] != '\0' ? std::string(", ") + text : "";
}

template <typename List, typename Item>
int indexOf(const List &list, const Item *item) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == item) return static_cast<int>(i);
  return -1;
}

void describe(const host::Vessel &v, std::ostream &out) {
  const host::VesselModel &m = v.model;
  out << "vessel " << v.name << " (" << v.className << ")";
  out << (v.module != nullptr ? " module " + v.module->name : std::string(" plain body")) << '\n';
  out << "  empty mass " << m.emptyMass << " kg, total mass " << v.mass() << " kg, size " << m.size
      << " m\n";
  if (v.module == nullptr)
    out << "  inertia " << vec(m.pmi) << ", cw (" << m.cw[0] << ", " << m.cw[1] << ", " << m.cw[2] << ", " << m.cw[3]
        << "), cross sections " << vec(m.crossSections) << (v.focusEnabled ? "" : ", no focus") << '\n';
  out << "  meshes " << m.meshes.size() << '\n';
  for (const auto &mesh : m.meshes) out << "    " << mesh.mesh->name << " at " << vec(mesh.offset) << '\n';
  out << "  propellant resources " << m.propellants.size() << '\n';
  for (size_t i = 0; i < m.propellants.size(); ++i) {
    const host::Propellant &p = *m.propellants[i];
    out << "    [" << i << "] " << p.mass << " of " << p.maxMass << " kg, efficiency " << p.efficiency << madeBy(v, p)
        << '\n';
  }
  out << "  thrusters " << m.thrusters.size() << '\n';
  for (size_t i = 0; i < m.thrusters.size(); ++i) {
    const host::Thruster &t = *m.thrusters[i];
    out << "    [" << i << "] at " << vec(t.position) << " towards " << vec(t.direction) << ", "
        << t.maxThrust << " N, isp " << t.isp << ", propellant " << indexOf(m.propellants, t.resource)
        << ", level " << t.level << '\n';
  }
  out << "  thruster groups " << m.groups.size() << '\n';
  for (const auto &g : m.groups) {
    out << "    " << groupName(g->type) << ":";
    for (const host::Thruster *t : g->thrusters) out << ' ' << indexOf(m.thrusters, t);
    out << '\n';
  }
  out << "  docks " << m.docks.size() << '\n';
  for (const auto &d : m.docks)
    out << "    at " << vec(d->position) << " towards " << vec(d->direction) << (d->docked ? " docked" : "") << '\n';
}

// The shown panel's areas, for finding the AREA of a click event.
void describePanel(const host::PanelHost &panels, std::ostream &out) {
  if (!panels.panelShown()) return;
  const host::Extent size = panels.extent();
  out << "panel " << panels.shownPanel() << ", " << size.width << " x " << size.height << ", areas "
      << panels.areas().size() << '\n';
  for (const host::PanelArea &a : panels.areas())
    out << "  area " << a.id << " at (" << a.rect.left << ", " << a.rect.top << ") to (" << a.rect.right << ", "
        << a.rect.bottom << "), redraw " << a.drawEvent << ", mouse " << a.mouseEvent << '\n';
}

}  // namespace

void DescribeModels(const host::Simulation &sim, std::ostream &out) {
  for (const auto &v : sim.vessels()) describe(*v, out);
  describePanel(sim.panels, out);
}

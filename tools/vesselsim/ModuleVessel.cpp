#include "ModuleVessel.h"

#include <VesselAPI.h>

host::Vessel *ChooseVessel(const host::Simulation &sim, const std::string &name, std::string &error) {
  if (!name.empty()) {
    host::Vessel *vessel = sim.findVessel(name);
    if (vessel == nullptr) error = "no vessel named " + name;
    return vessel;
  }
  for (const auto &v : sim.vessels())
    if (v->instance != nullptr) return v.get();
  return nullptr;
}

bool ResolveNumber(const host::Vessel *vessel, const std::string &reference, StoredVariable &variable,
                   std::string &error) {
  const bool resolves =
      vessel != nullptr && vessel->instance != nullptr && vessel->module->bench.resolveReference != nullptr;
  const char *typeName = nullptr;
  variable.address = resolves ? vessel->module->bench.resolveReference(vessel->instance, reference.c_str(), &typeName,
                                                                 &variable.life, &variable.generation)
                              : nullptr;
  if (variable.address == nullptr) {
    error = "reference does not resolve: " + reference;
    return false;
  }
  if (variable.setType(typeName)) return true;
  error = "reference names no number: " + reference;
  return false;
}

bool WriteNumber(const host::Vessel *vessel, const StoredVariable &variable, double value, std::string &refusal) {
  const double before = variable.read();
  variable.write(value);
  if (vessel->module->bench.plantFault == nullptr) return true;
  char fault[256];
  vessel->module->bench.plantFault(vessel->instance, fault, sizeof fault);
  if (fault[0] == '\0') return true;
  variable.write(before);
  refusal = fault;
  return false;
}

namespace {

// A watch whose name finds nothing in the vessel made anew: its variable's
// life has ended, so it reads NaN and takes no write.
void ReadGone(ResolvedWatch &watch) {
  static const uint32_t ended = 1;
  watch.variable = StoredVariable{};
  watch.variable.life = &ended;
}

}  // namespace

void RefreshWatch(const host::Vessel *vessel, ResolvedWatch &watch) {
  std::string error;
  if (!ResolveNumber(vessel, watch.ref.reference, watch.variable, error)) ReadGone(watch);
}

std::vector<std::string> ListReferences(const host::Vessel *vessel) {
  std::vector<std::string> references;
  if (vessel == nullptr || vessel->instance == nullptr || vessel->module->bench.listReferences == nullptr) return references;
  const auto collect = [](void *context, const char *reference) {
    static_cast<std::vector<std::string> *>(context)->push_back(reference);
  };
  vessel->module->bench.listReferences(vessel->instance, collect, &references);
  return references;
}

// A vessel has up to ten panels.
constexpr int kPanelsAtMost = 10;

std::vector<std::string> PanelNames(const host::Vessel *vessel) {
  std::vector<std::string> names;
  if (vessel == nullptr || vessel->instance == nullptr || vessel->module->bench.panelName == nullptr) return names;
  char name[64];
  for (int n = 0; n < kPanelsAtMost; ++n) {
    vessel->module->bench.panelName(vessel->instance, n, name, sizeof name);
    names.push_back(name);
  }
  while (!names.empty() && names.back().empty()) names.pop_back();
  return names;
}

void PressKey(const host::Vessel &vessel, int keyCode) {
  VESSEL2 *callbacks = vessel.callbacks;
  if (callbacks == nullptr) return;
  char keyState[256] = {};
  keyState[keyCode & 0xFF] = static_cast<char>(0x80);
  callbacks->clbkConsumeBufferedKey(keyCode, true, keyState);
  keyState[keyCode & 0xFF] = 0;
  callbacks->clbkConsumeBufferedKey(keyCode, false, keyState);
}


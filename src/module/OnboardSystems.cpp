#include "module/OnboardSystems.h"

#include "config/text/Keywords.h"
#include "module/ModuleLog.h"

void OnboardSystems::Step(const StepInputs &inputs) {
  thermal.Step(inputs);
  fluid.RefreshAll(inputs.dt);
  electric.RefreshAll(inputs.dt);
  std::string logEntries;
  fluid.KeepBodiesFinite(logEntries);
  electric.KeepBodiesFinite(logEntries);
  AppendToModuleLog(logEntries);
}

std::string OnboardSystems::Fault() const {
  std::string fault = fluid.Fault();
  return fault.empty() ? electric.Fault() : fault;
}

void OnboardSystems::RemoveStage(int n) {
  fluid.RemoveStage(n, &electric);
  electric.RemoveStage(n, nullptr);
}

void OnboardSystems::SaveToScenario(FILEHANDLE scn) const {
  fluid.SaveToScenario(scn);
  electric.SaveToScenario(scn);
}

bool OnboardSystems::LoadFromScenario(const char *line, FILEHANDLE scn, std::string &logEntries) {
  SystemList *list = MatchKeyword(line, "<HYDRAULIC>")  ? static_cast<SystemList *>(&fluid)
                     : MatchKeyword(line, "<ELECTRIC>") ? &electric
                                                        : nullptr;
  if (list != nullptr) list->LoadFromScenario(scn, logEntries);
  return list != nullptr;
}

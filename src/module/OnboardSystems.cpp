#include "module/OnboardSystems.h"

#include "config/ScenarioLines.h"
#include "config/text/Keywords.h"
#include "module/ModuleLog.h"

namespace {

// The scenario's record of the fixed step, "STEP REMAINDER".
constexpr char kSystemsStepTag[] = "SYSTEMS_STEP";

}  // namespace

void OnboardSystems::Step(const StepInputs &inputs) {
  std::string logEntries;
  thermal.Face(inputs);
  if (fixedStep.Fixed()) {
    for (long n = fixedStep.StepsFor(inputs.dt, logEntries); n > 0; --n) Advance(fixedStep.Length(), logEntries);
  } else {
    Advance(inputs.dt, logEntries);
  }
  AppendToModuleLog(logEntries);
}

void OnboardSystems::Advance(double dt, std::string &logEntries) {
  thermal.Exchange(dt);
  fluid.RefreshAll(dt);
  electric.RefreshAll(dt);
  fluid.KeepBodiesFinite(logEntries);
  electric.KeepBodiesFinite(logEntries);
}

bool OnboardSystems::DependsOnFrameRate() const {
  return !fixedStep.Fixed() && !(fluid.Objects().empty() && electric.Objects().empty());
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
  if (fixedStep.Fixed()) WriteScenarioString(scn, kSystemsStepTag, fixedStep.Record().c_str());
  fluid.SaveToScenario(scn);
  electric.SaveToScenario(scn);
}

bool OnboardSystems::LoadFromScenario(const char *line, FILEHANDLE scn, std::string &logEntries) {
  if (const char *record = AfterKeyword(line, kSystemsStepTag)) {
    fixedStep.Restore(record);
    return true;
  }
  SystemList *list = MatchKeyword(line, "<HYDRAULIC>")  ? static_cast<SystemList *>(&fluid)
                     : MatchKeyword(line, "<ELECTRIC>") ? &electric
                                                        : nullptr;
  if (list != nullptr) list->LoadFromScenario(scn, logEntries);
  return list != nullptr;
}

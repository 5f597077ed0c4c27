#include "systems/electric/ElectricObject.h"

#include <cstdarg>
#include <cstdio>

#include "config/ConfigText.h"

VariableRef ElectricObject::ResolveVariable(const char *keyword) {
  if (MatchKeyword(keyword, "VOLTS")) return VariableRef::To(voltage);
  if (MatchKeyword(keyword, "AMPS")) return VariableRef::To(current);
  if (MatchKeyword(keyword, "RESET")) return VariableRef::To(resetCommand);
  if (MatchKeyword(keyword, "SRC")) return VariableRef::Link(&source);
  return {};
}

void ElectricObject::WriteItem(FILEHANDLE scn, const char *item, const char *format, ...) {
  char value[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(value, sizeof value, format, args);
  va_end(args);
  oapiWriteScenario_string(scn, item, value);
}

void SourceDraw::Start(ElectricObject *source) {
  if (drawing || source == nullptr) return;
  source->AddLoad(amps);
  drawing = 1;
}

void SourceDraw::Stop(ElectricObject *source) {
  if (!drawing) return;
  if (source != nullptr) source->RemoveLoad(amps);
  drawing = 0;
}

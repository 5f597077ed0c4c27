#include "systems/electric/SwitchedConsumer.h"

#include "config/ConfigText.h"

SwitchedConsumer::SwitchedConsumer(const char *consumerName, int32_t consumerMode, ElectricObject *consumerSource,
                                   float amps)
    : ElectricObject(consumerName), mode(consumerMode), on(consumerMode), draw(amps) {
  source = consumerSource;
}

VariableRef SwitchedConsumer::ResolveVariable(const char *keyword) {
  if (MatchKeyword(keyword, "PUMP")) return VariableRef::To(mode);
  if (MatchKeyword(keyword, "ISON")) return VariableRef::To(on);
  return {};
}

void SwitchedConsumer::DropReference(SystemObject *object) {
  if (object != source) return;
  source = nullptr;
  draw.drawing = 0;
}

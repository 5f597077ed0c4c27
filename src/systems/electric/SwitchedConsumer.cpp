#include "systems/electric/SwitchedConsumer.h"

#include "config/text/Keywords.h"

SwitchedConsumer::SwitchedConsumer(const char *consumerName, int32_t consumerMode, ElectricObject *consumerSource,
                                   float amps)
    : ElectricObject(consumerName), mode(consumerMode), on(consumerMode), draw(amps) {
  source = consumerSource;
}

void SwitchedConsumer::Publish(VariableTable &table) { table.Add("PUMP", mode).Add("ISON", on); }

void SwitchedConsumer::DropReference(SystemObject *object) {
  if (object != source) return;
  source = nullptr;
  draw.drawing = 0;
}

#include "systems/electric/PowerBus.h"
#include "systems/PlantSketch.h"

namespace {

const PowerBus::Kind kDcBus = {"    <DC> ", "DC bus", kDcVoltage, 3.0, 25.0, 30.0, 1.0};
const PowerBus::Kind kAcBus = {"    <AC> ", "AC bus", kAcVoltage, 6.0, 30.0, 45.0, kAcVoltage / kDcVoltage};

}  // namespace

PowerBus::PowerBus(const char *busName, ElectricObject *busSource, const Kind &busKind)
    : ElectricObject(busName), load(busKind.idleDraw), kind(busKind) {
  source = busSource;
  voltage = kind.initialVoltage;
  if (source != nullptr) source->AddLoad(SourceSide(kind.idleDraw));
}

PowerBus::~PowerBus() {
  if (state == kBusConnected && source != nullptr) source->RemoveLoad(SourceSide(load));
}

DCBus::DCBus(const char *busName, ElectricObject *busSource) : PowerBus(busName, busSource, kDcBus) {}

ACBus::ACBus(const char *busName, ElectricObject *busSource) : PowerBus(busName, busSource, kAcBus) {}

void PowerBus::AddLoad(float amps) {
  load += amps;
  if (state == kBusConnected && source != nullptr) source->AddLoad(SourceSide(amps));
}

void PowerBus::RemoveLoad(float amps) {
  load -= amps;
  if (state == kBusConnected && source != nullptr) source->RemoveLoad(SourceSide(amps));
}

void PowerBus::Connect(ElectricObject *newSource) {
  if (state == kBusConnected && source != nullptr) source->RemoveLoad(SourceSide(load));
  source = newSource;
  if (state == kBusConnected && source != nullptr) source->AddLoad(SourceSide(load));
}

// The reset command is a level: held at 1 it reconnects the bus every time
// it finds it disconnected, held at -1 it keeps it tripping.
void PowerBus::Refresh(double dt) {
  if (state == kBusConnected) {
    voltage = source != nullptr ? source->voltage * kind.voltageRatio : 0.0;
    current = load;
    if (voltage < kind.lowerLimit || voltage > kind.upperLimit) inBand = 0;
  }
  if (state == kBusConnected && inBand == 0) state = kBusDisconnecting;
  if (state == kBusDisconnected && resetCommand == 1) state = kBusReconnecting;
  if (state == kBusConnected && resetCommand == -1) state = kBusDisconnecting;
  if (state == kBusDisconnecting) Disconnect();
  if (state == kBusReconnecting) Reconnect();
}

void PowerBus::Disconnect() {
  if (source != nullptr) source->RemoveLoad(SourceSide(load));
  voltage = current = 0.0;
  state = kBusDisconnected;
  inBand = 0;
}

void PowerBus::Reconnect() {
  if (source != nullptr) source->AddLoad(SourceSide(load));
  state = kBusConnected;
  inBand = 1;
}

void PowerBus::DropReference(SystemObject *object) {
  if (object != source) return;
  source = nullptr;
  state = kBusDisconnecting;
}

void PowerBus::Record(ScenarioRecord &record) { record.Real(load).Int(state).Int(inBand); }

// A bus saved disconnected carries nothing, as it did when it tripped.
void PowerBus::Restored() {
  if (state == kBusDisconnected) voltage = current = 0.0;
}

void PowerBus::Sketch(PlantSketch &sketch) const {
  sketch.kind = kind.sketchKind;
  sketch.Link("source", source, true);
}

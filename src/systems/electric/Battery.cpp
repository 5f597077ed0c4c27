#include "systems/electric/Battery.h"

#include <algorithm>

#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"

namespace {

constexpr float kChargingDraw = 30.0f;
// A full battery told to charge starts again below this share of its
// capacity, not at every joule its consumers take.
constexpr double kRechargeBelow = 0.99;
// A battery pack's body: 25 kg of cells at about 1 J/(g K), room temperature.
constexpr PowerSource::Body kPack = {25000.0, 1.0, 0.2, 290.0};

}  // namespace

Battery::Battery(const char *batteryName, ElectricObject *chargingSource, double capacityJoules)
    : PowerSource(batteryName, kPack), charge(capacityJoules), capacity(capacityJoules) {
  source = chargingSource;
}

Battery::~Battery() {
  if (source != nullptr && charging != 0) source->RemoveLoad(kChargingDraw);
}

void Battery::Connect(ElectricObject *newSource) {
  if (source != nullptr && charging != 0) source->RemoveLoad(kChargingDraw);
  source = newSource;
  if (source != nullptr && charging != 0) source->AddLoad(kChargingDraw);
}

// Full voltage down to a charge of exactly 0; the step that first goes below
// it still delivers. Charging stops once it fills the battery, its draw
// leaving the source, and starts again once the charge has fallen below 99 %
// while charging is still commanded: a full battery stores nothing more.
void Battery::Refresh(double dt) {
  current = loadTotal;
  voltage = kDcVoltage;
  if (charge < 0) current = voltage = 0.0;
  charge -= current * voltage * dt;
  if (chargeCommand == 1 && source != nullptr && charging == 0 && charge < capacity * kRechargeBelow) {
    source->AddLoad(kChargingDraw);
    charging = 1.0;
  }
  if (chargeCommand == -1 && charging != 0) StopCharging();
  if (charging == 0) return;
  if (source == nullptr) {
    chargeCommand = -1;
    return;
  }
  charge += source->voltage * kChargingDraw * dt;
  if (charge < capacity) return;
  charge = capacity;
  StopCharging();
}

void Battery::StopCharging() {
  if (source != nullptr) source->RemoveLoad(kChargingDraw);
  charging = 0.0;
}

// A source that goes takes the charging draw registered with it along.
void Battery::DropReference(SystemObject *object) {
  if (object != source) return;
  source = nullptr;
  charging = 0.0;
}

void Battery::Publish(VariableTable &table) {
  ElectricObject::Publish(table);
  table.Add("LOADING", charging).Add("LOAD", chargeCommand).Add("CHARGE", charge);
}

void Battery::Record(ScenarioRecord &record) {
  record.Real(charging, " %0.0f").Real(charge).Real(loadTotal).Int(chargeCommand);
}

// The charging flag is as it was saved, whatever the command: the draw it
// stands for is in the source's restored load exactly when it was charging
// (a command given in the frame of the save acts at the next step, as it
// would have). A battery whose source is gone (a separation deleted it) keeps
// the command and does not charge, as it did before the save.
void Battery::Restored() { charging = charging != 0 && source != nullptr ? 1.0 : 0.0; }

void Battery::Sketch(PlantSketch &sketch) const {
  sketch.kind = "battery";
  sketch.label = std::string(ExactNumber(capacity / 1e6).text) + " MJ";
  sketch.Link("charging source", source, true);
}

#include "systems/electric/FuelCell.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"
#include "systems/fluid/FluidTank.h"

namespace {

constexpr PowerSource::Body kCellBody = {7500.0, 0.15, 0.35, 290.0};
constexpr double kReactionHeat = 190.0;        // J per g of reactants
constexpr double kGramsPerAmpSecond = 0.607639 / 100.0;
constexpr float kStartThreshold = 0.96f;
constexpr float kMinimumStartVoltageLevel = 0.3f;

// Liquid of `type` in the tank behind `port`; none without a port.
double AvailableLiquid(const FluidValve *port, int type) {
  if (port == nullptr) return 0.0;
  const Substance &s = port->owner->contents.substances[type];
  return std::max(0.0, s.mass - s.vapourMass);
}

// Takes `used` g of substance `type` from the tank behind `port`. The reactant
// leaves with its share of the substance's energy, as a valve's take moves
// energy with mass, so a tank the cell drains does not heat up; its vapour
// stays as it is until the tank's own refresh.
void TakeReactant(const FluidValve *port, int type, double used) {
  if (port == nullptr) return;
  FluidContents &contents = port->owner->contents;
  Substance &s = contents.substances[type];
  const double energy = s.mass > 0.0 ? s.energy * used / s.mass : 0.0;
  s.mass -= used;
  s.energy -= energy;
  contents.energy -= energy;
}

}  // namespace

FuelCell::FuelCell(const char *cellName, const Vec3 &place, FluidValve *oxygen, FluidValve *hydrogen,
                   FluidValve *water, float rated)
    : PowerSource(cellName, kCellBody),
      oxygenInput(oxygen),
      hydrogenInput(hydrogen),
      waterOutput(water),
      ratedCurrent(rated) {
  position = place;
}

// Takes up to `factor` of the rated demand: hydrogen and oxygen in 1 to 5 by
// mass, as far as the tanks' liquid goes. A negative demand (consumers that
// handed back more than they drew, a negative rating) reacts nothing.
void FuelCell::React(double dt, double factor) {
  demand = std::max(0.0, ratedCurrent * dt * factor * kGramsPerAmpSecond);
  const double hydrogen = AvailableLiquid(hydrogenInput, H2);
  const double oxygen = AvailableLiquid(oxygenInput, O2);
  hydrogenUsed = demand / 6.0 < hydrogen ? demand / 6.0 : hydrogen;
  oxygenUsed = 5.0 * hydrogenUsed < oxygen ? 5.0 * hydrogenUsed : oxygen;
  reactionLevel = demand != 0.0 ? static_cast<float>((hydrogenUsed + oxygenUsed) / demand) : 0.0f;
  TakeReactant(oxygenInput, O2, oxygenUsed);
  TakeReactant(hydrogenInput, H2, hydrogenUsed);
  DeliverWater();
  AddHeat((oxygenUsed + hydrogenUsed) * kReactionHeat);
  if (hydrogenUsed != 0.0) dph += (oxygenUsed / (demand * hydrogenUsed + 0.01) - 0.4) / 100000.0 * dt;
  if (dph < 0) dph = 0;
}

void FuelCell::DeliverWater() {
  FluidContents product;
  Substance water;
  water.mass = oxygenUsed + hydrogenUsed;
  water.SetTemperature(temperature, kSubstances[H2O]);
  product.AddSubstance(H2O, water);
  if (waterOutput != nullptr) waterOutput->Put(product);
}

bool FuelCell::DemandFactor(double &factor, double &nominalVoltage) const {
  const double health = 1.0 - std::log(1.0 + dph);
  factor = loadTotal / ratedCurrent / health;
  nominalVoltage = kDcVoltage;
  if (!(health > 0.0) || !std::isfinite(factor)) return false;
  if (factor > 1.0) {
    nominalVoltage = kDcVoltage / factor;
    factor = 1.0;
  }
  return true;
}

void FuelCell::Refresh(double dt) {
  if (startCommand == -1) state = kCellOff;
  if (startCommand == 1) state = kCellStarting;
  if (purgeCommand == 1 && state == kCellRunning) state = kCellPurging;
  switch (state) {
    case kCellOff:
      voltage = current = 0.0;
      reactionLevel *= 0.2f;
      oxygenUsed = hydrogenUsed = 0.0;
      running = 1.0;
      break;
    case kCellStarting:
      React(dt, 1.0);
      state = kCellOff;
      if (reactionLevel > kStartThreshold) {
        state = kCellRunning;
        startCommand = 2;
      }
      current = loadTotal;
      if (reactionLevel > kMinimumStartVoltageLevel) voltage = reactionLevel * kDcVoltage;
      running = 1.0;
      break;
    case kCellRunning:
      RunningStep(dt, 1.0);
      if (reactionLevel == 0.0f) state = kCellOff;
      break;
    case kCellPurging:
      RunningStep(dt, 6.0);
      dph *= 0.98;
      state = kCellRunning;
      break;
    default:
      break;
  }
}

// A cell too degraded to deliver gives nothing and is off.
void FuelCell::RunningStep(double dt, double demandScale) {
  double factor, nominal;
  running = 0.0;
  if (!DemandFactor(factor, nominal)) {
    voltage = current = 0.0;
    reactionLevel = 0.0f;
    return;
  }
  voltage = nominal;
  React(dt, demandScale * factor);
  voltage = reactionLevel * voltage;
  if (reactionLevel != 0.0f) current = loadTotal;
}

void FuelCell::DropReference(SystemObject *object) {
  for (FluidValve **port : {&oxygenInput, &hydrogenInput, &waterOutput})
    if (*port != nullptr && (*port)->owner == object) *port = nullptr;
}

void FuelCell::Publish(VariableTable &table) {
  ElectricObject::Publish(table);
  table.Add("TEMP", temperature).Add("START", startCommand).Add("RUNNING", running).Add("DPH", dph);
}

void FuelCell::Record(ScenarioRecord &record) { record.Int(state).Real(dph).Real(temperature).Real(loadTotal); }

// The body's heat follows its restored temperature.
void FuelCell::Restored() { SetTemperature(temperature); }

void FuelCell::Sketch(PlantSketch &sketch) const {
  sketch.kind = "fuel cell";
  sketch.label = std::string(ExactNumber(ratedCurrent).text) + " A";
  sketch.Port("oxygen", oxygenInput, true);
  sketch.Port("hydrogen", hydrogenInput, true);
  sketch.Port("water", waterOutput, false);
}

#include "systems/electric/Boiler.h"

#include "config/text/ExactNumber.h"
#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"
#include "systems/fluid/FluidTank.h"

namespace {

constexpr double kHeaterVolts = 36.6;
constexpr double kMinimumVoltage = 36.0;
constexpr double kThermostatBand = 5.0;

}  // namespace

Boiler::Boiler(const char *boilerName, int32_t boilerMode, ElectricObject *boilerSource, double setPoint, double watts,
               FluidTank *heated)
    : SwitchedConsumer(boilerName, boilerMode, boilerSource, static_cast<float>(watts / kHeaterVolts)),
      maxT(setPoint),
      tank(heated) {
  current = watts / kHeaterVolts;
}

// Heats below the set point, stops 5 K above it.
void Boiler::Thermostat() {
  if (mode > 0 && tank != nullptr) {
    if (tank->temperature < maxT && on == 0) on = 1;
    if (maxT + kThermostatBand < tank->temperature && on != 0) on = 0;
  }
  if (mode < 0) on = 1;
  if (mode == 0) on = 0;
}

void Boiler::Refresh(double dt) {
  Thermostat();
  if (on != 0) {
    draw.Start(source);
    if (source != nullptr && source->voltage < kMinimumVoltage) draw.Stop(source);
    on = draw.drawing;
    if (on != 0 && tank != nullptr && source != nullptr) tank->AddHeat(current * source->voltage * dt);
  } else {
    draw.Stop(source);
  }
  if (rate != 0) maxT += rate / 10.0 * dt;
}

void Boiler::DropReference(SystemObject *object) {
  SwitchedConsumer::DropReference(object);
  if (object == tank) tank = nullptr;
}

void Boiler::Publish(VariableTable &table) {
  SwitchedConsumer::Publish(table);
  table.Add("HMAX", rate).Add("MAXT", maxT);
}

void Boiler::Record(ScenarioRecord &record) { record.Int(mode).Int(draw.drawing).Real(on).Real(maxT); }

void Boiler::Sketch(PlantSketch &sketch) const {
  sketch.kind = "boiler";
  sketch.label = std::string("set point ") + ExactNumber(maxT).text + " K";
  sketch.Link("source", source, true);
  sketch.Link("heats", tank, false);
}

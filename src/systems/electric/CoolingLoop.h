// A pumped loop that carries heat around a ring of up to six thermal bodies,
// switched by a thermostat on the first.
#pragma once

#include "systems/electric/SwitchedConsumer.h"

class ThermalBody;

constexpr int kMaxLoopBodies = 6;

enum PumpMode : int32_t { kPumpOff = 0, kPumpAutomatic = 1, kPumpForcedOn = -1 };

class CoolingLoop : public SwitchedConsumer {
 public:
  CoolingLoop(const char *loopName, int32_t pumpMode, ElectricObject *loopSource, double heatCapacity,
              double lowerSetPoint, double upperSetPoint);

  // Adds the thermal part of `owner` to the ring; false, adding nothing, for
  // a seventh.
  bool AddBody(SystemObject *owner, ThermalBody *body, double coefficient);
  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  struct RingBody {
    SystemObject *owner;
    ThermalBody *body;
    double coefficient;
  };

  double minT, maxT;
  int32_t minRate = 0, maxRate = 0;  // tenths of a kelvin per second
  double capacity;
  RingBody bodies[kMaxLoopBodies] = {};
  int32_t bodyCount = 0;

 protected:
  void Publish(VariableTable &table) override;
  const char *RecordTag() const override { return "    <COOLING> "; }
  void Record(ScenarioRecord &record) override;

 private:
  void Thermostat();
  void Exchange(double dt);
};

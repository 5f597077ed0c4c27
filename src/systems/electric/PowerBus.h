// Buses: they pass their source's voltage on to their consumers, forward the
// consumers' load to the source, and disconnect when the voltage leaves their
// band. A DC bus passes 28.8 V through; an AC bus is an inverter to 36 V.
#pragma once

#include "systems/electric/ElectricObject.h"

enum BusState : int32_t { kBusConnected = 0, kBusDisconnecting = 1, kBusDisconnected = 2, kBusReconnecting = -1 };

class PowerBus : public ElectricObject {
 public:
  struct Kind {
    const char *scenarioTag;   // "    <DC> "
    const char *sketchKind;    // "DC bus"
    double initialVoltage;
    double idleDraw;           // A on the bus's own side
    double lowerLimit;         // V, inclusive
    double upperLimit;         // V, inclusive
    double voltageRatio;       // bus voltage per source volt
  };

  PowerBus(const char *busName, ElectricObject *busSource, const Kind &busKind);
  // A bus that goes takes its idle draw and its consumers' draws off its
  // source.
  ~PowerBus() override;

  void AddLoad(float amps) override;
  void RemoveLoad(float amps) override;
  void Connect(ElectricObject *newSource) override;
  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  double load;
  int32_t inBand = 1;
  int32_t state = kBusConnected;

 protected:
  // A bus has the common names only, and passes any other over silently.
  int UnknownNameCode() const override { return kNoLogEntry; }
  const char *RecordTag() const override { return kind.scenarioTag; }
  void Record(ScenarioRecord &record) override;
  void Restored() override;

 private:
  // What the source sees for `amps` on this bus: the same power at the
  // source's voltage.
  float SourceSide(double amps) const { return static_cast<float>(amps * kind.voltageRatio); }
  void Disconnect();
  void Reconnect();

  const Kind &kind;
};

class DCBus : public PowerBus {
 public:
  DCBus(const char *busName, ElectricObject *busSource);
};

class ACBus : public PowerBus {
 public:
  ACBus(const char *busName, ElectricObject *busSource);
};

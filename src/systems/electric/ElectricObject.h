// The base of every electric object. Power flows as current: consumers
// register what they draw with their source when they switch on and withdraw
// it when they switch off; voltage is copied the other way every step.
#pragma once

#include <cstdint>

#include "systems/SystemObject.h"
#include "systems/ScenarioRecord.h"

// Voltages of the network.
constexpr double kDcVoltage = 28.8;
constexpr double kAcVoltage = 36.0;

class ElectricObject : public SystemObject {
 public:
  using SystemObject::SystemObject;

  virtual void AddLoad(float amps) {}
  virtual void RemoveLoad(float amps) {}
  // Takes `newSource` as the source; classes that registered a draw move it.
  virtual void Connect(ElectricObject *newSource) { source = newSource; }
  // The object's line of the scenario's electric block: its tag, its name,
  // then the fields `Record` declares. A line of another tag, or with a field
  // missing, changes nothing.
  void SaveState(FILEHANDLE scn) override;
  void LoadStateLine(const char *line);

  ElectricObject *source = nullptr;
  double current = 0.0;   // A
  double voltage = 0.0;   // V
  int32_t resetCommand = 0;

 protected:
  // "VOLTS", "AMPS", "RESET" and "SRC", which every electric object has
  // unless it declares its own table instead.
  void Publish(VariableTable &table) override;
  // The plain buses pass an unknown name over.
  int UnknownNameCode() const override { return kInvalidParameterCount; }
  // The tag the line is written with, blanks included; null: no line.
  virtual const char *RecordTag() const { return nullptr; }
  // The fields after the name, in order; the same declaration writes and reads.
  virtual void Record(ScenarioRecord &record) {}
  // What follows from fields just read back.
  virtual void Restored() {}
};

// A consumer's switched draw on its source: registered once when it switches
// on, withdrawn once when it switches off.
class SourceDraw {
 public:
  explicit SourceDraw(float drawAmps) : amps(drawAmps) {}
  void Start(ElectricObject *source);
  void Stop(ElectricObject *source);

  float amps;
  int32_t drawing = 0;
};

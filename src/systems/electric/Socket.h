// A three-position selector: connects its target to one of three candidate
// sources.
#pragma once

#include "systems/electric/ElectricObject.h"

class Socket : public ElectricObject {
 public:
  // `configured` is 1, 2 or 3 for the first, second and third candidate.
  Socket(const char *socketName, ElectricObject *connected, int configured, ElectricObject *first,
         ElectricObject *second, ElectricObject *third);

  void Refresh(double dt) override;
  void DropReference(SystemObject *object) override;
  void Sketch(PlantSketch &sketch) const override;

  ElectricObject *target;
  ElectricObject *candidates[3];
  int32_t position;       // -1, 0 or 1
  static constexpr int32_t kNoneApplied = -2;
  int32_t applied = kNoneApplied;  // the position last applied

 protected:
  void Publish(VariableTable &table) override;
  const char *RecordTag() const override { return "    <SOCKET>"; }
  void Record(ScenarioRecord &record) override;
  void Restored() override;

 private:
  // The candidate of `at`, or null for a position outside -1 to 1.
  ElectricObject **CandidateAt(int32_t at);
};

#include "systems/electric/Socket.h"

#include "config/text/Keywords.h"
#include "systems/PlantSketch.h"

Socket::Socket(const char *socketName, ElectricObject *connected, int configured, ElectricObject *first,
               ElectricObject *second, ElectricObject *third)
    : ElectricObject(socketName), target(connected), candidates{first, second, third}, position(configured - 2) {}

ElectricObject **Socket::CandidateAt(int32_t at) {
  return at >= -1 && at <= 1 ? &candidates[at + 1] : nullptr;
}

// A position outside -1 to 1 selects nothing: the target keeps its source.
void Socket::Refresh(double dt) {
  if (position == applied) return;
  applied = position;
  ElectricObject **selected = CandidateAt(position);
  if (target != nullptr && selected != nullptr) target->Connect(*selected);
}

void Socket::DropReference(SystemObject *object) {
  if (object == target) target = nullptr;
  for (int32_t at = -1; at <= 1; ++at) {
    ElectricObject *&candidate = *CandidateAt(at);
    if (candidate != object) continue;
    candidate = nullptr;
    if (at == applied && target != nullptr) target->Connect(nullptr);
  }
}

void Socket::Publish(VariableTable &table) {
  table.Add("CONNECT", position);
}

void Socket::Record(ScenarioRecord &record) { record.Int(applied); }

// Restores the selection without moving any load: the saved load totals
// already hold it.
void Socket::Restored() {
  position = applied;
  ElectricObject **selected = CandidateAt(applied);
  if (target != nullptr && selected != nullptr) target->source = *selected;
}

// The candidate it applied is its way, the others ways it could be turned to;
// before its first step, the candidate its position selects.
void Socket::Sketch(PlantSketch &sketch) const {
  sketch.kind = "socket";
  sketch.label = "position " + std::to_string(position + 2);
  sketch.Link("target", target, false);
  const int32_t way = applied != kNoneApplied ? applied : position;
  static const char *const kRoles[] = {"candidate 1", "candidate 2", "candidate 3"};
  for (int32_t i = 0; i < 3; ++i) sketch.Link(kRoles[i], candidates[i], true, way == i - 1);
}

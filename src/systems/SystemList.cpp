#include "systems/SystemList.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <strings.h>

#include "config/ScenarioLines.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "systems/ThermalBody.h"

SystemList::~SystemList() { DeleteAll(); }

// The head goes first, each after the others have forgotten it.
void SystemList::DeleteAll() {
  while (!objects.empty()) Delete(0, nullptr);
}

// Out of the list first, so that only the others are told; every binding
// into it is gone from then on.
void SystemList::Delete(size_t index, SystemList *dependents) {
  const OwnedObject object = std::move(objects[index]);
  objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
  ++*object->life;
  DropEverywhere(object.get(), dependents);
}

bool SystemList::Contains(const void *address) const {
  for (const auto &o : objects)
    if (o.get() == address) return true;
  return false;
}

// The life cell lies in the list's storage, which outlives every object.
void SystemList::Adopt(OwnedObject object) {
  assert(!Contains(object.get()));
  object->life = new (storage.allocate(sizeof(LifeCell), alignof(LifeCell))) LifeCell(0);
  objects.push_back(std::move(object));
}

SystemObject *SystemList::FindByName(const char *text) const {
  for (const auto &o : objects)
    if (MatchKeyword(o->name, text)) return o.get();
  return nullptr;
}

SystemObject *SystemList::FindNamed(const char *name) const {
  for (const auto &o : objects)
    if (strcasecmp(o->name, name) == 0) return o.get();
  return nullptr;
}

VariableRef SystemList::ResolveReference(const char *text, Diagnostics &diagnostics) {
  return Resolve(text, objectWord, diagnostics);
}

VariableRef SystemList::Resolve(const char *text, const char *what, Diagnostics &diagnostics) {
  char buffer[kConfigLineSize];
  std::snprintf(buffer, sizeof buffer, "%s", text);
  char *colon = std::strchr(buffer, ':');
  const bool hasVariable = colon != nullptr && colon != buffer;
  if (hasVariable) *colon = '\0';
  SystemObject *object = FindByName(buffer);
  if (object == nullptr) {
    diagnostics.NoteUnresolved(this, what, buffer);
    diagnostics.LogError(kInvalidComponent);
    return {};
  }
  ReportShadowedName(buffer, object, what, diagnostics);
  const VariableRef variable =
      hasVariable ? object->ResolveVariable(colon + 1, diagnostics) : VariableRef::Object(object);
  return variable.LivingIn(object->life);
}

// A name finds the first object whose name begins with it: one declared
// before the object of exactly that name takes every reference to it.
void SystemList::ReportShadowedName(const char *name, const SystemObject *found, const char *what,
                                    Diagnostics &diagnostics) const {
  if (!diagnostics.FindingsWanted() || strcasecmp(found->name, name) == 0) return;
  if (const SystemObject *exact = FindNamed(name))
    diagnostics.Report(std::string("reference ") + name + " finds " + found->name +
                       ", declared first and named beginning with it: it never reaches the " + what + " " +
                       exact->name);
}

void SystemList::SaveToScenario(FILEHANDLE scn) const {
  WriteScenarioString(scn, blockOpening, "");
  for (const auto &o : objects) o->SaveState(scn);
  WriteScenarioString(scn, blockClosing, "");
}

void SystemList::RefreshAll(double dt) {
  for (const auto &o : objects) o->Refresh(dt);
}

void SystemList::KeepBodiesFinite(std::string &logEntries) {
  for (const auto &o : objects) {
    ThermalBody *body = o->ThermalPart();
    if (body == nullptr || body->HoldsFinite() || body->lapseLogged) continue;
    body->lapseLogged = true;
    logEntries += DebugLog::LostFigure(o->name);
  }
}

std::string SystemList::Fault() const {
  for (const auto &o : objects) {
    std::string fault = o->Fault();
    if (!fault.empty()) return fault;
  }
  return "";
}

void SystemList::ListReferences(const std::string &prefix, std::vector<std::string> &references) const {
  for (const auto &o : objects) {
    references.push_back(prefix + o->name);
    o->ListVariables(references, prefix + o->name + ":");
  }
}

int SystemList::MarkStage(const char *prefix, int n) {
  int marked = 0;
  for (const auto &o : objects) {
    if (!MatchKeyword(o->name, prefix)) continue;
    o->stage = n;
    ++marked;
  }
  return marked;
}

void SystemList::RemoveStage(int n, SystemList *dependents) {
  for (size_t i = 0; i < objects.size();) {
    if (objects[i]->stage <= n) Delete(i, dependents);
    else ++i;
  }
}

void SystemList::DropEverywhere(SystemObject *object, SystemList *dependents) {
  for (const auto &o : objects) o->DropReference(object);
  if (dependents != nullptr)
    for (const auto &o : dependents->objects) o->DropReference(object);
}

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

// Out of the list first, so that only the others are told.
void SystemList::Delete(size_t index, SystemList *dependents) {
  const OwnedObject object = std::move(objects[index]);
  objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
  DropEverywhere(object.get(), dependents);
}

bool SystemList::Contains(const void *address) const {
  for (const auto &o : objects)
    if (o.get() == address) return true;
  return false;
}

void SystemList::Adopt(OwnedObject object) {
  assert(!Contains(object.get()));
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

VariableRef SystemList::ResolveReference(const char *text) {
  Diagnostics quiet;
  return ResolveReference(text, quiet);
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
  VariableRef address = hasVariable ? object->ResolveVariable(colon + 1, diagnostics) : VariableRef::Object(object);
  if (address) Remember(address.address, object);
  return address;
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
  std::vector<std::string> variables;
  for (const auto &o : objects) {
    references.push_back(prefix + o->name);
    variables.clear();
    o->ListVariables(variables);
    for (const std::string &variable : variables) references.push_back(prefix + o->name + ":" + variable);
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

// References are resolved again and again (the bench resolves its watches
// after every event), so each address is kept once.
void SystemList::Remember(const void *address, const SystemObject *object) {
  assert(Contains(object));
  for (const HandedOut &h : handedOut)
    if (h.address == address) return;
  handedOut.push_back({address, object});
}

void SystemList::RemoveStage(int n, SystemList *dependents) {
  handedOut.erase(std::remove_if(handedOut.begin(), handedOut.end(),
                                 [n](const HandedOut &h) { return h.object->stage <= n; }),
                  handedOut.end());
  for (size_t i = 0; i < objects.size();) {
    if (objects[i]->stage <= n) Delete(i, dependents);
    else ++i;
  }
}

void SystemList::AddressesGoingAt(int n, std::vector<const void *> &gone) const {
  for (const HandedOut &h : handedOut)
    if (h.object->stage <= n) gone.push_back(h.address);
}

void SystemList::DropEverywhere(SystemObject *object, SystemList *dependents) {
  for (const auto &o : objects) o->DropReference(object);
  if (dependents != nullptr)
    for (const auto &o : dependents->objects) o->DropReference(object);
}

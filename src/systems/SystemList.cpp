#include "systems/SystemList.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "config/ConfigText.h"
#include "config/Diagnostics.h"

SystemList::~SystemList() { DeleteAll(); }

void SystemList::DeleteAll() {
  while (head != nullptr) {
    SystemObject *object = head;
    head = head->next;
    DropEverywhere(object, nullptr);
    delete object;
  }
}

bool SystemList::Contains(const void *address) const {
  for (SystemObject *o = head; o != nullptr; o = o->next)
    if (o == address) return true;
  return false;
}

void SystemList::Append(SystemObject *object) {
  NoteDefinition(this, object->name);
  object->next = nullptr;
  SystemObject **link = &head;
  while (*link != nullptr) link = &(*link)->next;
  *link = object;
}

SystemObject *SystemList::FindByName(const char *text) const {
  for (SystemObject *o = head; o != nullptr; o = o->next)
    if (MatchKeyword(o->name, text)) return o;
  return nullptr;
}

SystemObject *SystemList::FindNamed(const char *name) const {
  for (SystemObject *o = head; o != nullptr; o = o->next)
    if (strcasecmp(o->name, name) == 0) return o;
  return nullptr;
}

VariableRef SystemList::ResolveReference(const char *text) { return Resolve(text, objectWord); }

VariableRef SystemList::Resolve(const char *text, const char *what) {
  char buffer[kConfigLineSize];
  std::snprintf(buffer, sizeof buffer, "%s", text);
  char *colon = std::strchr(buffer, ':');
  const bool hasVariable = colon != nullptr && colon != buffer;
  if (hasVariable) *colon = '\0';
  SystemObject *object = FindByName(buffer);
  if (object == nullptr) {
    NoteUnresolved(this, what, buffer);
    ReportError(kInvalidComponent);
    return {};
  }
  VariableRef address = hasVariable ? object->ResolveVariable(colon + 1) : VariableRef::Object(object);
  if (address) Remember(address.address, object);
  return address;
}

void SystemList::SaveToScenario(FILEHANDLE scn) const {
  oapiWriteScenario_string(scn, blockOpening, "");
  for (SystemObject *o = head; o != nullptr; o = o->next) o->SaveState(scn);
  oapiWriteScenario_string(scn, blockClosing, "");
}

void SystemList::RefreshAll(double dt) {
  for (SystemObject *o = head; o != nullptr; o = o->next) o->Refresh(dt);
}

void SystemList::MarkStage(const char *prefix, int n) {
  for (SystemObject *o = head; o != nullptr; o = o->next)
    if (MatchKeyword(o->name, prefix)) o->stage = n;
}

// References are resolved again and again (the bench resolves its watches
// after every event), so each address is kept once.
void SystemList::Remember(const void *address, const SystemObject *object) {
  for (const HandedOut &h : handedOut)
    if (h.address == address) return;
  handedOut.push_back({address, object});
}

void SystemList::RemoveStage(int n, SystemList *dependents) {
  handedOut.erase(std::remove_if(handedOut.begin(), handedOut.end(),
                                 [n](const HandedOut &h) { return h.object->stage <= n; }),
                  handedOut.end());
  SystemObject **link = &head;
  while (*link != nullptr) {
    SystemObject *object = *link;
    if (object->stage > n) {
      link = &object->next;
      continue;
    }
    *link = object->next;
    DropEverywhere(object, dependents);
    delete object;
  }
}

void SystemList::AddressesGoingAt(int n, std::vector<const void *> &gone) const {
  for (const HandedOut &h : handedOut)
    if (h.object->stage <= n) gone.push_back(h.address);
}

void SystemList::DropEverywhere(SystemObject *object, SystemList *dependents) {
  for (SystemObject *o = head; o != nullptr; o = o->next) o->DropReference(object);
  if (dependents != nullptr)
    for (SystemObject *o = dependents->head; o != nullptr; o = o->next) o->DropReference(object);
}

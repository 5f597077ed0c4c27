// An ordered list of system objects, owned by it: refreshed in order, searched
// by name prefix, thinned out at each separation.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <memory_resource>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "config/text/Diagnostics.h"
#include "systems/SystemObject.h"

class ParseContext;

class SystemList {
 public:
  // `openingTag` and `closingTag` enclose the list's block of the scenario.
  // `word` names its objects in a check's findings ("fluid object").
  SystemList(const char *openingTag, const char *closingTag, const char *word)
      : blockOpening(openingTag), blockClosing(closingTag), objectWord(word) {}
  SystemList(const SystemList &) = delete;
  SystemList &operator=(const SystemList &) = delete;
  virtual ~SystemList();

  // Makes a T of `args` at the tail; the list owns it from now on.
  template <typename T, typename... Args>
  T *Append(Args &&...args) {
    T *made = new (storage.allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    Adopt(OwnedObject(made));
    return made;
  }
  // The first object whose name begins with `text`, ignoring case.
  SystemObject *FindByName(const char *text) const;
  // The first object named exactly `name`, ignoring case. Scenario records
  // name their object in full, so a record whose object is gone is not put
  // into another whose name merely begins the same way.
  SystemObject *FindNamed(const char *name) const;
  // Makes a T named `objectName` at the tail, as a configuration line
  // defines it: a name cut to fit is said.
  template <typename T, typename... Args>
  T *Define(Diagnostics &diagnostics, const char *objectName, Args &&...args) {
    T *made = Append<T>(objectName, std::forward<Args>(args)...);
    if (std::strcmp(made->name, objectName) != 0) diagnostics.ReportCutName(objectName, made->name, kNameSize - 1);
    diagnostics.NoteDefinition(this, made->name);
    return made;
  }
  // "NAME" gives the object, "NAME:VARIABLE" the address of its variable;
  // null, logged, when no object has the name.
  virtual VariableRef ResolveReference(const char *text, Diagnostics &diagnostics);
  void RefreshAll(double dt);
  // After a step: every object's body that the step left with a NaN or an
  // infinity goes back to its figures of the step before, logged once for
  // that object.
  void KeepBodiesFinite(std::string &logEntries);
  // The first object's fault, or empty when none has one.
  std::string Fault() const;
  // Every object's name and every "NAME:VARIABLE" it publishes, each after
  // `prefix`, in list order.
  void ListReferences(const std::string &prefix, std::vector<std::string> &references) const;

  // The section of the configuration file, from the line after its opening
  // tag up to its closing tag.
  virtual void ParseConfigurationSection(ParseContext &context) = 0;
  // The list's block of the scenario's internals: its tags around the state
  // of each object in list order.
  void SaveToScenario(FILEHANDLE scn) const;
  // Reads the block from the line after its opening tag.
  virtual void LoadFromScenario(FILEHANDLE scn, std::string &logEntries) = 0;
  // True when `address` is an object of this list.
  bool Contains(const void *address) const;
  // Every object whose name begins with `prefix` goes at configuration n;
  // how many there are.
  int MarkStage(const char *prefix, int n);
  // Deletes every object whose stage is n or less. The objects left, and
  // those of `dependents` (a list whose objects point into this one), are
  // told of each deletion first.
  void RemoveStage(int n, SystemList *dependents);

  // An object lives in the list's storage: deleting it only ends its life.
  struct EndLife {
    void operator()(SystemObject *object) const { object->~SystemObject(); }
  };
  using OwnedObject = std::unique_ptr<SystemObject, EndLife>;

  // The objects in list order.
  const std::vector<OwnedObject> &Objects() const { return objects; }

 protected:
  // As ResolveReference; a name that finds nothing is noted for a check as a
  // reference to a `what`.
  VariableRef Resolve(const char *text, const char *what, Diagnostics &diagnostics);
  // Deletes every object, each after the others have forgotten it. A list
  // whose objects reach back into it on destruction calls this from its own
  // destructor, while it is whole.
  void DeleteAll();

 private:
  void Adopt(OwnedObject object);
  void Delete(size_t index, SystemList *dependents);
  void DropEverywhere(SystemObject *object, SystemList *dependents);
  void ReportShadowedName(const char *name, const SystemObject *found, const char *what,
                          Diagnostics &diagnostics) const;

  static constexpr size_t kFirstStorage = 4096;

  const char *blockOpening;
  const char *blockClosing;
  const char *objectWord;
  // The objects lie side by side, in the order a frame refreshes them, away
  // from everything else the vessel allocates: a fleet's frame then reads few
  // cache lines per vessel. What a separation deletes is given back with the
  // list.
  std::pmr::monotonic_buffer_resource storage{kFirstStorage};
  std::vector<OwnedObject> objects;
};

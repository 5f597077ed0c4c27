// A vessel module loaded at run time and its entry points resolved by name.
#pragma once

#include <memory>
#include <string>

#include "DynamicLibrary.h"
#include "OrbiterAPI.h"

class VESSEL;

namespace host {

class ModuleLibrary {
 public:
  // Finds the library of that name in the root's Modules folder, in the
  // running program's Modules folder or beside it, or on the loader's search
  // path.
  static std::unique_ptr<ModuleLibrary> load(const std::string &name, std::string &error);

  std::string name;
  // What the host looks up, as the 2016 host does: the module's own version
  // (0 when it exports none), the vessel's creation and its end. Every other
  // event reaches the vessel through its VESSEL2 interface.
  int moduleVersion = 0;
  VESSEL *(*ovcInit)(OBJHANDLE, int) = nullptr;
  void (*ovcExit)(VESSEL *) = nullptr;

  // The bench's own ways into the module, which the simulator never looks
  // up; each is optional.
  struct BenchEntryPoints {
    // The module's reference resolution. The variable's type name ("int",
    // "float", "double", or null for what is not a number) goes to the third
    // argument, the life of what holds it to the fourth and fifth: the
    // variable is gone once the life's count differs from that generation (a
    // null life lasts as long as the vessel).
    void *(*resolveReference)(VESSEL *, const char *, const char **, const uint32_t **, uint32_t *) = nullptr;
    // A checker's sink for what the module's readers pass over. The sink
    // takes its context, a file (null: the configuration file), a line, a
    // message and a file the line uses (null for a finding).
    using FindingSink = void (*)(void *, const char *, int, const char *, const char *);
    void (*setFindingSink)(FindingSink, void *) = nullptr;
    // What made a propellant resource ("tank NAME", "vent", "" for none the
    // module made), written into the buffer.
    void (*describeResource)(VESSEL *, PROPELLANT_HANDLE, char *, int) = nullptr;
    // What the vessel's configuration built, counted, into the buffer.
    void (*summary)(VESSEL *, char *, int) = nullptr;
    // Reads and builds a vessel class without a host vessel, as a check: every
    // numeric plant variable and its value as built to the sink (context,
    // reference, value), what it built into the buffer.
    void (*checkClass)(const char *, void (*)(void *, const char *, double), void *, char *, int) = nullptr;
    // What in the vessel's plant cannot be as it stands, into the buffer (""
    // for nothing).
    void (*plantFault)(VESSEL *, char *, int) = nullptr;
    // The name of the vessel's panel n into the buffer ("" for none).
    void (*panelName)(VESSEL *, int, char *, int) = nullptr;
    // Every reference resolveReference takes to a ship variable or a system
    // object or variable, one call of the sink (context, reference) each.
    void (*listReferences)(VESSEL *, void (*)(void *, const char *), void *) = nullptr;
    // The vessel's plant as it stands, or a class's as a restore builds it,
    // one call of the sink (context, line) a line, for a drawing.
    void (*describePlant)(VESSEL *, void (*)(void *, const char *), void *) = nullptr;
    void (*describeClassPlant)(const char *, void (*)(void *, const char *), void *) = nullptr;
    // Makes the module's next callback fail inside, as an allocation that
    // fails would; for tests of the boundary.
    void (*failNextCallback)() = nullptr;
  } bench;

 private:
  explicit ModuleLibrary(std::unique_ptr<DynamicLibrary> loaded) : library(std::move(loaded)) {}
  void resolveHostEntryPoints();
  void resolveBenchEntryPoints();
  std::unique_ptr<DynamicLibrary> library;
};

}  // namespace host

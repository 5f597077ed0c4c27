// The root of every simulated onboard object: a name, the stage at whose
// separation it goes, and the operations every list walk calls.
#pragma once

#include <cstdint>
#include <string>

#include <OrbiterAPI.h>

#include "config/VariableRef.h"
#include "config/VariableTable.h"
#include "config/text/Sizes.h"

class PlantSketch;
class ThermalBody;

// Objects stay until the vessel is destroyed unless a separation marks them.
constexpr int32_t kNeverSeparated = 99;

class SystemObject : public VariablePublisher {
 public:
  explicit SystemObject(const char *objectName);
  virtual ~SystemObject();
  SystemObject(const SystemObject &) = delete;
  SystemObject &operator=(const SystemObject &) = delete;

  virtual void Refresh(double dt) {}
  virtual void SaveState(FILEHANDLE scn) {}
  // `object` is about to be deleted: forget every pointer to it.
  virtual void DropReference(SystemObject *object) {}
  virtual ThermalBody *ThermalPart() { return nullptr; }
  // What about the object cannot be as it stands (a body below 0 K), in
  // words; empty when nothing.
  virtual std::string Fault();
  // What a drawing of the plant shows of the object: its kind and links
  // (none: a plain object of no kind).
  virtual void Sketch(PlantSketch &sketch) const {}

  // Cut to a configuration name's size, and kept apart from the object: a
  // frame never reads it, so the figures a frame does read share fewer cache
  // lines with it.
  const char *const name;
  int32_t stage = kNeverSeparated;
  // The object's life as its list keeps it: counted up when it is deleted.
  LifeCell *life = nullptr;
};

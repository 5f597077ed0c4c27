// The fields of an electric object's scenario line after its tag and name,
// declared once by the object (`ElectricObject::Record`): the one declaration
// writes the line and reads it back. A line is taken only when all of its
// fields read; otherwise the object keeps its state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/TextScan.h"

class ElectricRecord {
 public:
  // For writing; `Text` is the line's value, the name first.
  explicit ElectricRecord(const char *name);
  // For reading the fields that follow the name.
  static ElectricRecord Reading(const char *fields);

  // "%i"
  ElectricRecord &Int(int32_t &value);
  // "%0.4f"
  ElectricRecord &Real(double &value);
  // "%0.0f" when written; read as an integer and not kept: a figure the
  // object works out again from its other fields.
  ElectricRecord &WrittenOnly(double value);

  const std::string &Text() const { return text; }
  // After a reading pass: whether every field read. Then the record assigns
  // what it read, in a second pass over the same declaration.
  bool Complete() const { return fields.Count() == declared; }
  void Assign() { mode = Mode::kAssign; }

 private:
  enum class Mode { kWrite, kRead, kAssign };
  ElectricRecord(Mode startMode, const char *line) : mode(startMode), fields(line) {}
  // Writes `value` with `format`, reads a `Read`, or assigns what was read to
  // `target` (none: the field is not kept), as the pass is.
  template <typename Read, typename Stored>
  ElectricRecord &Field(const char *format, Stored value, Stored *target);

  Mode mode;
  std::string text;
  Fields fields;
  std::vector<double> values;
  size_t next = 0;
  int declared = 0;
};

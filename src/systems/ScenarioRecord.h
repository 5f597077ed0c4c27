// The fields of a system object's scenario record after its name, declared
// once by the object: the one declaration writes the record and reads it
// back. Reading takes the fields that read, in order, up to the first that
// does not; an object that takes a record only whole asks `Complete` first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/text/TextScan.h"

class ScenarioRecord {
 public:
  // For writing; `Text` is the record's value, `lead` first.
  explicit ScenarioRecord(const char *lead);
  // For reading the fields of `fields`.
  static ScenarioRecord Reading(const char *fields);

  // Written with `format` (of a double: integers go through "%.0f", which
  // spells every 32-bit integer as "%i" does), read as an integer.
  ScenarioRecord &Int(int32_t &value, const char *format = " %.0f");
  ScenarioRecord &Real(double &value, const char *format = " %0.4f");
  // "%0.0f" when written; read as an integer and not kept: a figure the
  // object works out again from its other fields.
  ScenarioRecord &WrittenOnly(double value);

  const std::string &Text() const { return text; }
  // After a reading pass: whether every field read. `Assign` starts a second
  // pass over the same declaration that assigns the fields that read.
  bool Complete() const { return fields.Count() == declared; }
  void Assign() { mode = Mode::kAssign; }

 private:
  enum class Mode { kWrite, kRead, kAssign };
  ScenarioRecord(Mode startMode, const char *line) : mode(startMode), fields(line) {}
  // Writes `value` with `format`, reads a `Read`, or assigns what was read to
  // `target` (none: the field is not kept), as the pass is.
  template <typename Read, typename Stored>
  ScenarioRecord &Field(const char *format, Stored value, Stored *target);

  Mode mode;
  std::string text;
  Fields fields;
  std::vector<double> values;
  size_t next = 0;
  int declared = 0;
};

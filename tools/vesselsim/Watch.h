// A typed variable of a module vessel, named by a reference such as
// "int=ELECTRIC:BATT:LOAD": read for the CSV and the final lines, written by
// "set" events. The TYPE asked for is how the value is shown and parsed; the
// variable is always read and written as the type the module stores it in.
#pragma once

#include <cstdint>
#include <string>

enum class ValueType { Double, Int, Float };

struct TypedReference {
  ValueType type = ValueType::Double;
  std::string reference;  // without the TYPE= prefix

  // Splits "[TYPE=]REF"; false with a message for an unknown TYPE.
  bool parse(const std::string &text, std::string &error);
};

// A number variable of the module, as the module stores it.
struct StoredVariable {
  void *address = nullptr;
  ValueType type = ValueType::Double;
  // The life of the object that holds it, as the module keeps it: the
  // variable is gone once the count differs from the generation. None: it
  // lasts as long as the vessel.
  const uint32_t *life = nullptr;
  uint32_t generation = 0;

  // The module's name of a number type ("int", "float", "double"); false for
  // anything else, which is not a number.
  bool setType(const char *typeName);
  bool live() const { return life == nullptr || *life == generation; }
  // The stored value; exact for every stored type.
  double read() const;
  // Stores `value` converted to the stored type (integers saturate).
  void write(double value) const;
};

// `value` shown as `type`.
std::string FormatValue(ValueType type, double value);    // "%.6g" or "%d"
std::string ShortestValue(ValueType type, double value);  // round-trips exactly
// Parses `text` as `type`; false when it is not a number of that type (a
// finite one, within a float's range for a float).
bool ParseValue(ValueType type, const std::string &text, double &value);
// Why ParseValue refused `text`.
std::string RefusedValue(const std::string &text);

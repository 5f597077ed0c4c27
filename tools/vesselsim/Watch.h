// A typed variable of a module vessel, named by a reference such as
// "int=ELECTRIC:BATT:LOAD": read for the CSV and the final lines, written by
// "set" events.
#pragma once

#include <string>

enum class ValueType { Double, Int, Float };

struct TypedReference {
  ValueType type = ValueType::Double;
  std::string reference;  // without the TYPE= prefix

  // Splits "[TYPE=]REF"; false with a message for an unknown TYPE.
  bool parse(const std::string &text, std::string &error);
};

// Reads the value at `address` as `type`.
std::string FormatValue(ValueType type, const void *address);   // "%.6g" or "%d"
std::string ShortestValue(ValueType type, const void *address);  // round-trips exactly
// Parses `text` as `type`; false when it is not a number of that type.
bool ParseValue(ValueType type, const std::string &text, double &value);
void WriteValue(ValueType type, void *address, double value);

#include "systems/electric/ElectricRecord.h"

#include <cstdio>

ElectricRecord::ElectricRecord(const char *name) : mode(Mode::kWrite), text(name), fields("") {}

ElectricRecord ElectricRecord::Reading(const char *line) { return ElectricRecord(Mode::kRead, line); }

void ElectricRecord::Append(const char *format, double value) {
  char field[64];
  std::snprintf(field, sizeof field, format, value);
  text += field;
}

ElectricRecord &ElectricRecord::Int(int32_t &value) {
  if (mode == Mode::kWrite) {
    char field[16];
    std::snprintf(field, sizeof field, " %i", value);
    text += field;
  } else if (mode == Mode::kRead) {
    int read = 0;
    ++declared;
    if ((fields >> read).Count() == declared) values.push_back(read);
  } else {
    value = static_cast<int32_t>(values[next++]);
  }
  return *this;
}

ElectricRecord &ElectricRecord::Real(double &value) {
  if (mode == Mode::kWrite) {
    Append(" %0.4f", value);
  } else if (mode == Mode::kRead) {
    double read = 0;
    ++declared;
    if ((fields >> read).Count() == declared) values.push_back(read);
  } else {
    value = values[next++];
  }
  return *this;
}

ElectricRecord &ElectricRecord::WrittenOnly(double value) {
  if (mode == Mode::kWrite) {
    Append(" %0.0f", value);
  } else if (mode == Mode::kRead) {
    int read = 0;
    ++declared;
    if ((fields >> read).Count() == declared) values.push_back(read);
  } else {
    ++next;
  }
  return *this;
}

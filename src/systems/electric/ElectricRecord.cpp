#include "systems/electric/ElectricRecord.h"

#include <cstdio>

ElectricRecord::ElectricRecord(const char *name) : mode(Mode::kWrite), text(name), fields("") {}

ElectricRecord ElectricRecord::Reading(const char *line) { return ElectricRecord(Mode::kRead, line); }

// Integers are written through "%.0f" too, which spells every 32-bit integer
// as "%i" does.
template <typename Read, typename Stored>
ElectricRecord &ElectricRecord::Field(const char *format, Stored value, Stored *target) {
  if (mode == Mode::kWrite) {
    char field[64];
    std::snprintf(field, sizeof field, format, static_cast<double>(value));
    text += field;
  } else if (mode == Mode::kRead) {
    Read read = 0;
    ++declared;
    if ((fields >> read).Count() == declared) values.push_back(read);
  } else {
    const double read = values[next++];
    if (target != nullptr) *target = static_cast<Stored>(read);
  }
  return *this;
}

ElectricRecord &ElectricRecord::Int(int32_t &value) { return Field<int>(" %.0f", value, &value); }

ElectricRecord &ElectricRecord::Real(double &value) { return Field<double>(" %0.4f", value, &value); }

ElectricRecord &ElectricRecord::WrittenOnly(double value) { return Field<int, double>(" %0.0f", value, nullptr); }

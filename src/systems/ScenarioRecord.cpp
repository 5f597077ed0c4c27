#include "systems/ScenarioRecord.h"

#include <cstdio>

ScenarioRecord::ScenarioRecord(const char *lead) : mode(Mode::kWrite), text(lead), fields("") {}

ScenarioRecord ScenarioRecord::Reading(const char *line) { return ScenarioRecord(Mode::kRead, line); }

template <typename Read, typename Stored>
ScenarioRecord &ScenarioRecord::Field(const char *format, Stored value, Stored *target) {
  if (mode == Mode::kWrite) {
    char field[400];  // room for any double in "%f"
    std::snprintf(field, sizeof field, format, static_cast<double>(value));
    text += field;
  } else if (mode == Mode::kRead) {
    Read read = 0;
    ++declared;
    if ((fields >> read).Count() == declared) values.push_back(read);
  } else if (next < values.size()) {
    const double read = values[next++];
    if (target != nullptr) *target = static_cast<Stored>(read);
  }
  return *this;
}

ScenarioRecord &ScenarioRecord::Int(int32_t &value, const char *format) {
  return Field<int>(format, value, &value);
}

ScenarioRecord &ScenarioRecord::Real(double &value, const char *format) {
  return Field<double>(format, value, &value);
}

ScenarioRecord &ScenarioRecord::WrittenOnly(double value) { return Field<int, double>(" %0.0f", value, nullptr); }

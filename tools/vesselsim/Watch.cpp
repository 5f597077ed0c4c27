#include "Watch.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// `value` truncated toward zero and held within int32_t; NaN gives 0.
int32_t SaturatedInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= INT32_MIN) return INT32_MIN;
  if (value >= INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(value);
}

}  // namespace

bool TypedReference::parse(const std::string &text, std::string &error) {
  const size_t equals = text.find('=');
  reference = equals == std::string::npos ? text : text.substr(equals + 1);
  if (equals != std::string::npos) {
    const std::string type_ = text.substr(0, equals);
    if (type_ == "double") {
      type = ValueType::Double;
    } else if (type_ == "int") {
      type = ValueType::Int;
    } else if (type_ == "float") {
      type = ValueType::Float;
    } else {
      error = "unknown type '" + type_ + "' in " + text + " (double, int or float)";
      return false;
    }
  }
  if (reference.empty()) {
    error = "no reference in '" + text + "'";
    return false;
  }
  return true;
}

bool StoredVariable::setType(const char *typeName) {
  if (typeName == nullptr) return false;
  if (std::strcmp(typeName, "int") == 0) {
    type = ValueType::Int;
  } else if (std::strcmp(typeName, "float") == 0) {
    type = ValueType::Float;
  } else if (std::strcmp(typeName, "double") == 0) {
    type = ValueType::Double;
  } else {
    return false;
  }
  return true;
}

// A variable whose object is gone reads NaN: its memory is no longer its own.
double StoredVariable::read() const {
  if (!live()) return std::nan("");
  switch (type) {
    case ValueType::Int:
      return *static_cast<const int32_t *>(address);
    case ValueType::Float:
      return *static_cast<const float *>(address);
    case ValueType::Double:
      break;
  }
  return *static_cast<const double *>(address);
}

void StoredVariable::write(double value) const {
  if (!live()) return;
  switch (type) {
    case ValueType::Int:
      *static_cast<int32_t *>(address) = SaturatedInt(value);
      break;
    case ValueType::Float:
      *static_cast<float *>(address) = static_cast<float>(value);
      break;
    case ValueType::Double:
      *static_cast<double *>(address) = value;
      break;
  }
}

std::string FormatValue(ValueType type, double value) {
  char text[64];
  if (type == ValueType::Int) {
    std::snprintf(text, sizeof text, "%d", SaturatedInt(value));
  } else {
    const double shown = type == ValueType::Float ? static_cast<float>(value) : value;
    std::snprintf(text, sizeof text, "%.6g", shown);
  }
  return text;
}

std::string ShortestValue(ValueType type, double value) {
  char text[64];
  std::to_chars_result result;
  switch (type) {
    case ValueType::Int:
      result = std::to_chars(text, text + sizeof text, SaturatedInt(value));
      break;
    case ValueType::Float:
      result = std::to_chars(text, text + sizeof text, static_cast<float>(value));
      break;
    default:
      result = std::to_chars(text, text + sizeof text, value);
      break;
  }
  return std::string(text, result.ptr);
}

std::string RefusedValue(const std::string &text) {
  return "bad value '" + text + "': a finite number the variable can hold is wanted";
}

bool ParseValue(ValueType type, const std::string &text, double &value) {
  const char *begin = text.c_str();
  char *end;
  if (type == ValueType::Int) {
    // Decimal only: "010" is ten, as an author means it, not eight.
    const long long n = std::strtoll(begin, &end, 10);
    if (*begin == '\0' || *end != '\0' || n < INT32_MIN || n > INT32_MAX) return false;
    value = static_cast<double>(n);
    return true;
  }
  // Only a finite number goes into a variable: a NaN or an infinity written
  // into a tank or a body would spread through the plant into the scenario.
  value = std::strtod(begin, &end);
  if (*begin == '\0' || *end != '\0' || !std::isfinite(value)) return false;
  return type != ValueType::Float || std::fabs(value) <= FLT_MAX;
}

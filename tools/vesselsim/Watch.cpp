#include "Watch.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool TypedReference::parse(const std::string &text, std::string &error) {
  const size_t equals = text.find('=');
  reference = text;
  if (equals == std::string::npos) return !reference.empty();
  const std::string type_ = text.substr(0, equals);
  reference = text.substr(equals + 1);
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
  if (reference.empty()) error = "no reference in " + text;
  return !reference.empty();
}

std::string FormatValue(ValueType type, const void *address) {
  char text[64];
  switch (type) {
    case ValueType::Int:
      std::snprintf(text, sizeof text, "%d", *static_cast<const int32_t *>(address));
      break;
    case ValueType::Float:
      std::snprintf(text, sizeof text, "%.6g", *static_cast<const float *>(address));
      break;
    case ValueType::Double:
      std::snprintf(text, sizeof text, "%.6g", *static_cast<const double *>(address));
      break;
  }
  return text;
}

std::string ShortestValue(ValueType type, const void *address) {
  char text[64];
  std::to_chars_result result;
  switch (type) {
    case ValueType::Int:
      result = std::to_chars(text, text + sizeof text, *static_cast<const int32_t *>(address));
      break;
    case ValueType::Float:
      result = std::to_chars(text, text + sizeof text, *static_cast<const float *>(address));
      break;
    default:
      result = std::to_chars(text, text + sizeof text, *static_cast<const double *>(address));
      break;
  }
  return std::string(text, result.ptr);
}

bool ParseValue(ValueType type, const std::string &text, double &value) {
  const char *begin = text.c_str();
  char *end;
  if (type == ValueType::Int) {
    const long long n = std::strtoll(begin, &end, 0);
    if (*begin == '\0' || *end != '\0' || n < INT32_MIN || n > INT32_MAX) return false;
    value = static_cast<double>(n);
    return true;
  }
  value = std::strtod(begin, &end);
  return *begin != '\0' && *end == '\0';
}

void WriteValue(ValueType type, void *address, double value) {
  switch (type) {
    case ValueType::Int:
      *static_cast<int32_t *>(address) = static_cast<int32_t>(value);
      break;
    case ValueType::Float:
      *static_cast<float *>(address) = static_cast<float>(value);
      break;
    case ValueType::Double:
      *static_cast<double *>(address) = value;
      break;
  }
}

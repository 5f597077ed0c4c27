#include "Expectation.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A number or "-" for an open bound.
bool ParseBound(const std::string &text, double open, double &bound) {
  if (text == "-") {
    bound = open;
    return true;
  }
  return ParseValue(ValueType::Double, text, bound);
}

// The shortest text that reads back as `value`, written out in figures
// ("300000", not "3e+05") where that stays short.
std::string Shown(double value) {
  const double size = std::fabs(value);
  if (!std::isfinite(value) || (size != 0.0 && (size < 1e-5 || size >= 1e16)))
    return ShortestValue(ValueType::Double, value);
  char text[64];
  *std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed).ptr = '\0';
  return text;
}

}  // namespace

bool Expectation::Parse(std::istringstream &words, double fromTime, double toTime, std::string &error) {
  from = fromTime;
  to = toTime;
  std::string reference, first, second, extra;
  words >> reference >> first >> second;
  if (!target.parse(reference, error)) return false;
  if (first == "=") {
    equals = true;
    const std::string toleranceText = words >> extra ? extra : "0";
    extra.clear();
    if (!ParseValue(ValueType::Double, second, value))
      error = "expected value '" + second + "' is not a number";
    else if (!ParseValue(ValueType::Double, toleranceText, tolerance) || tolerance < 0)
      error = "tolerance '" + toleranceText + "' is not a number of 0 or more";
  } else if (!ParseBound(first, -kInfinity, low) || !ParseBound(second, kInfinity, high)) {
    error = "expect needs REF LOW HIGH (numbers, or - for an open bound) or REF = VALUE [TOLERANCE]";
  } else if (low > high) {
    error = "its low bound is above its high bound";
  }
  if (error.empty() && words >> extra) error = "unexpected '" + extra + "'";
  return error.empty();
}

bool Expectation::Covers(double time, double slack) const {
  if (from == to) return !pointDone && time >= from - slack;
  return time >= from - slack && time <= to + slack;
}

double Expectation::Miss(double v) const {
  if (std::isnan(v)) return kInfinity;
  if (equals) return std::max(0.0, std::fabs(v - value) - tolerance);
  return v < low ? low - v : v > high ? v - high : 0.0;
}

void Expectation::Check(double time, double v) {
  pointDone = true;
  const double miss = Miss(v);
  if (miss == 0.0) return;
  if (!broken) {
    broken = true;
    firstTime = worstTime = time;
    firstValue = worstValue = v;
  } else if (miss > Miss(worstValue)) {
    worstTime = time;
    worstValue = v;
  }
}

std::string Expectation::Promise() const {
  if (equals) return tolerance > 0 ? Shown(value) + " within " + Shown(tolerance) : "exactly " + Shown(value);
  if (std::isinf(low)) return "at most " + Shown(high);
  if (std::isinf(high)) return "at least " + Shown(low);
  return "between " + Shown(low) + " and " + Shown(high);
}

std::string Expectation::Failure() const {
  std::string said = where + ": " + target.reference + " was " + Shown(firstValue) + " at " + Shown(firstTime) +
                     " s, expected " + Promise();
  if (from != to && worstTime != firstTime) said += "; worst " + Shown(worstValue) + " at " + Shown(worstTime) + " s";
  return said;
}

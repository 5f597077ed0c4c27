#include "module/FixedSystemsStep.h"

#include <algorithm>
#include <cmath>

#include "config/text/DebugLog.h"
#include "config/text/ExactNumber.h"
#include "config/text/TextScan.h"

namespace {

// The sum of frames that lie on the step's grid falls a rounding short of a
// whole number of steps as often as not: what lies this close to one counts
// as one.
constexpr double kGridTolerance = 1e-9;

}  // namespace

bool FixedSystemsStep::Valid(double seconds) { return seconds > 0.0 && std::isfinite(seconds); }

void FixedSystemsStep::SetLength(double seconds) {
  length = Valid(seconds) ? seconds : 0.0;
  remainder = 0.0;
}

long FixedSystemsStep::StepsFor(double frame, std::string &logEntries) {
  if (!Fixed() || !(frame > 0.0) || !std::isfinite(frame)) return 0;
  remainder += frame;
  const double whole = std::floor(remainder / length + kGridTolerance);
  // What the tolerance took beyond the sum is no time to keep.
  remainder = std::max(0.0, remainder - whole * length);
  if (whole <= static_cast<double>(kMostStepsAFrame)) return static_cast<long>(whole);
  if (!fellBehind) logEntries += DebugLog::FellBehind(length, frame, whole, kMostStepsAFrame);
  fellBehind = true;
  return kMostStepsAFrame;
}

std::string FixedSystemsStep::Record() const {
  return std::string(ExactNumber(length).text) + " " + ExactNumber(remainder).text;
}

void FixedSystemsStep::Restore(const char *record) {
  double savedLength = 0.0, savedRemainder = 0.0;
  if ((Fields(record) >> savedLength >> savedRemainder).Count() != 2 || savedLength != length) return;
  if (savedRemainder >= 0.0 && savedRemainder < length) remainder = savedRemainder;
}

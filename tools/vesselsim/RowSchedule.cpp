#include "RowSchedule.h"

bool RowSchedule::due(double time) {
  if (!(interval > 0.0)) return true;
  if (time < rowTime() - tolerance) return false;
  while (rowTime() <= time + tolerance) ++row;
  return true;
}

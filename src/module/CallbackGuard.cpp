#include "module/CallbackGuard.h"

namespace {

bool failNext = false;

}  // namespace

void FailNextCallback() { failNext = true; }

bool TakeFailNextCallback() {
  const bool fail = failNext;
  failNext = false;
  return fail;
}

// Nothing thrown inside the module (an allocation that fails) may cross a
// callback into the host: each call ends there, the debug log says so, and
// the host sees the callback's neutral answer. Every way in, the host's
// VESSEL2 callbacks and the exported entry points alike, goes through here.
#pragma once

#include <exception>
#include <new>

#include "config/text/DebugLog.h"
#include "module/ModuleLog.h"

// Makes the next guarded call fail inside, as an allocation that fails would,
// for a test of the boundary.
void FailNextCallback();
// True once after FailNextCallback.
bool TakeFailNextCallback();

template <typename Result, typename Call>
Result Guarded(const char *callback, Result fallback, Call call) {
  try {
    if (TakeFailNextCallback()) throw std::bad_alloc();
    return call();
  } catch (const std::exception &failure) {
    AppendToModuleLog(DebugLog::CallbackFailure(callback, failure.what()));
  } catch (...) {
    AppendToModuleLog(DebugLog::CallbackFailure(callback, "an unknown exception"));
  }
  return fallback;
}

template <typename Call>
void Guarded(const char *callback, Call call) {
  Guarded(callback, true, [&] {
    call();
    return true;
  });
}

#include "config/text/DebugLog.h"

#include "config/text/ExactNumber.h"

namespace {

const char *const kErrorTexts[] = {
    " 01:Object name not found\n",
    " 02:Invalid component\n",
    " 03:Invalid number of parameters\n",
};

}  // namespace

DebugLog::DebugLog(bool empty) : file(std::fopen("Varneldebug.txt", empty ? "w" : "a")) {}

DebugLog::~DebugLog() {
  if (file != nullptr) std::fclose(file);
}

void DebugLog::Write(const std::string &entry) {
  if (file != nullptr) std::fputs(entry.c_str(), file);
}

void DebugLog::WriteLineError(int logLine, const char *lineText, int code) {
  if (file == nullptr || code < 0 || code > kInvalidParameterCount) return;
  std::fprintf(file, "ERROR AT LINE: %i", logLine);
  std::fputs(lineText, file);
  std::fputs(kErrorTexts[code], file);
}

std::string DebugLog::UnplacedRecord(const char *line) {
  return std::string("ERROR IN SCENARIO: ") + line + kErrorTexts[kObjectNameNotFound];
}

std::string DebugLog::LostFigure(const char *object) {
  return std::string("ERROR IN STEP: ") + object +
         " made a number that is not one; it keeps its state of the step before\n";
}

std::string DebugLog::FellBehind(double step, double frame, double needed, long run) {
  return std::string("ERROR IN STEP: the systems fell behind: a frame of ") + ExactNumber(frame).text +
         " s needs " + ExactNumber(needed).text + " steps of " + ExactNumber(step).text + " s; " +
         std::to_string(run) + " were run and the rest of the frame was dropped\n";
}

std::string DebugLog::CallbackFailure(const char *callback, const char *what) {
  return std::string(callback) + " failed inside the module (" + what + "); the call was abandoned\n";
}

std::string DebugLog::MissingFile(const char *fileName) { return std::string("ERROR: cannot open ") + fileName + "\n"; }

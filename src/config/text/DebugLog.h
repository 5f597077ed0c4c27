// The debug log "Varneldebug.txt" in the working folder, open for one reading
// of a configuration or for one entry from outside a reading.
#pragma once

#include <cstdio>
#include <string>

// Error codes of the log's entries for configuration lines.
enum ConfigError : int {
  kObjectNameNotFound = 0,
  kInvalidComponent = 1,
  kInvalidParameterCount = 2,
};

class DebugLog {
 public:
  // `empty`: the run's first use of the log in this folder starts it afresh;
  // every later one appends, so with several vessels nothing is lost.
  explicit DebugLog(bool empty);
  ~DebugLog();
  DebugLog(const DebugLog &) = delete;
  DebugLog &operator=(const DebugLog &) = delete;

  void Write(const std::string &entry);
  // "ERROR AT LINE: N<the line> 0C:<what>".
  void WriteLineError(int logLine, const char *lineText, int code);

  // The entries from outside a reading. A line of the vessel's scenario block
  // that names a tank or object this vessel does not have: its record is
  // dropped rather than put into another, and the line is logged, since it
  // has no line number in a configuration file.
  static std::string UnplacedRecord(const char *line);
  // An object whose step made a NaN or an infinity, and so keeps its state of
  // the step before: logged once for the object.
  static std::string LostFigure(const char *object);
  // A frame so long that the plant's fixed step of `step` seconds would need
  // `needed` steps: `run` of them were run and the rest of the frame's time
  // was dropped. Logged once for the vessel.
  static std::string FellBehind(double step, double frame, double needed, long run);
  // A host callback that failed inside the module (`what` says how) and
  // ended there, so that nothing thrown reaches the host.
  static std::string CallbackFailure(const char *callback, const char *what);
  // A configuration file that could not be opened: the one entry for a
  // reading that names a file instead of a line.
  static std::string MissingFile(const char *fileName);

 private:
  FILE *file;
};

// What a reading of the configuration says about the lines it reads. The
// debug log gets the entries the module has always written (a line that names
// nothing, a line short of fields); a finding sink, when an author's check
// gives one, gets what the readers pass over silently (a line not understood,
// a section left open, a reference to an object only a later line defines)
// and the files the lines use. Without a log and a sink, as when a reference
// is resolved while the vessel flies, nothing is kept and nothing said.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/text/DebugLog.h"

// `file` is null for the configuration file, else the file as the check
// shows it. `usedFile` is null for a finding; for a file a line uses, it is
// the file's path and `message` says what it is ("mesh Meshes/Hull.msh").
using FindingSink = void (*)(void *context, const char *file, int line, const char *message, const char *usedFile);

class Diagnostics {
 public:
  // Says nothing.
  Diagnostics() = default;
  Diagnostics(DebugLog *debugLog, FindingSink sink, void *sinkContext)
      : log(debugLog), findingSink(sink), context(sinkContext) {}
  Diagnostics(const Diagnostics &) = delete;
  Diagnostics &operator=(const Diagnostics &) = delete;

  // The line being read, as the reading moves on: its text as the log shows
  // it, its number as the log counts lines (the tail of an over-long line
  // counting as a line), and its number in the file (`tail`: it is such a tail).
  void AtLine(const char *text, int logNumber, int fileNumber, bool tail);
  int Line() const { return fileLine; }

  // An entry of the debug log for the current line.
  void LogError(int code);
  void LogMissingFile(const char *fileName);

  bool FindingsWanted() const { return findingSink != nullptr; }
  // At the current line: the configuration file's, or the class file's line
  // `SetPlace` names while a class file is read.
  void Report(const std::string &message);
  void ReportAt(int line, const std::string &message);
  void SetPlace(const char *file, int line);
  void ClearPlace() { placeFile.clear(); }
  // After a mistake that puts the rest of the file out of step (a block that
  // swallowed its own closing line), nothing more is reported from this file
  // but what its end reveals.
  void Mute();
  void ReportFileUse(const char *file, int line, const std::string &what, const char *path);
  // A text cut to fit its field.
  void ReportCutName(const char *text, const char *kept, size_t room);
  // A line of fewer than `expected` blank-separated words, its tag included:
  // "WHAT has N of its EXPECTED fields".
  void CheckWordCount(const char *line, size_t expected, const char *what);

  // Object definitions and references in the lists identified by `list`: a
  // reference that found nothing is reported, at the end of the file, when a
  // later line defines an object of that name ("WHAT NAME is defined only
  // later, at line N").
  void NoteDefinition(const void *list, const char *name);
  void NoteUnresolved(const void *list, const char *what, const char *name);
  // A name that must be defined somewhere in the file: "WHAT NAME is not
  // defined" at the end when no line defines it.
  void NoteRequired(const void *list, const char *what, const char *name);
  // What the end of the file reveals, reported even after a mistake muted
  // the rest.
  void ReportLateDefinitions();

 private:
  struct Named {
    const void *list;
    std::string name;
    int line;
    const char *what;
  };
  const Named *FirstDefinition(const Named &reference, bool later) const;

  DebugLog *log = nullptr;
  FindingSink findingSink = nullptr;
  void *context = nullptr;
  const char *lineText = "";
  int logLine = 0;
  int fileLine = 0;
  bool inTail = false;
  std::string placeFile;
  int placeLine = 0;
  bool muted = false;
  std::vector<Named> definitions;
  std::vector<Named> unresolved;
  std::vector<Named> required;
};

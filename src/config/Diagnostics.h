// What the configuration readers pass over silently (a line not understood,
// a line short of fields, a section or block left open, a reference to an
// object only a later line defines) and the files the lines use, reported to
// a sink for an author's check. Without a sink, as in the simulator, nothing
// is kept and nothing is reported; the debug log is the same either way.
#pragma once

#include <cstddef>
#include <string>

// `file` is null for the configuration file, else the file as the check
// shows it. `usedFile` is null for a finding; for a file a line uses, it is
// the file's path and `message` says what it is ("mesh Meshes/Hull.msh").
using FindingSink = void (*)(void *context, const char *file, int line, const char *message, const char *usedFile);

void SetFindingSink(FindingSink sink, void *context);
bool FindingsWanted();

// At the current line: the configuration file's, or the class file's line
// `SetFindingPlace` names while a class file is read.
void ReportFinding(const std::string &message);
void SetFindingPlace(const char *file, int line);
void ClearFindingPlace();
// After a mistake that puts the rest of the file out of step (a block that
// swallowed its own closing line), nothing more is reported from this file
// but what its end reveals.
void MuteFindings();
void ReportFindingAt(int line, const std::string &message);
void ReportFileUse(const char *file, int line, const std::string &what, const char *path);

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
void ReportLateDefinitions();

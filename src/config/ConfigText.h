// The line reader, keyword test and error log shared by every configuration
// parser. The state is module-wide: one parse runs at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "config/Sizes.h"

// Error codes of the debug log.
enum ConfigError : int {
  kObjectNameNotFound = 0,
  kInvalidComponent = 1,
  kInvalidParameterCount = 2,
};

// Reads the next line of `file` into the line buffer, edits it (tabs to
// blanks, comment cut) and returns its first non-blank character, or null for
// a blank line, a comment line or the end of the file. Lines of the
// configuration file being parsed are counted; lines of other files are not.
char *ReadConfigLine(FILE *file);
// True once nothing more can be read from `file`: its end, a read error (a
// folder opened as a file) or no file at all.
bool ConfigFileEnded(FILE *file);

// The lines of a section, or of a block inside one, from the line after its
// opening line (the line just read) to its closing line; a section without
// its closing line ends with the file. Made while reading the configuration
// file, it reports (as a finding) a section the file ends in, and a block
// that runs past the closing line of the section it is in.
class SectionLines {
 public:
  SectionLines(FILE *sectionFile, const char *closingTag);
  ~SectionLines();
  SectionLines(const SectionLines &) = delete;
  SectionLines &operator=(const SectionLines &) = delete;

  // Reads the next line into `line` (null for a blank or comment line).
  // False at the closing line and at the end of the file.
  bool Next(char *&line);
  // Consumes the rest up to and including the closing line.
  void Skip();

 private:
  void NoteRunPastEnclosingClose(const char *line);
  void ReportEndOfFile();

  FILE *file;
  const char *closing;
  int openingLine;
  std::string openingWord;
  bool runPastEnclosingClose = false;
};

// True when `line` is present and starts with `keyword`, ignoring case.
bool MatchKeyword(const char *line, const char *keyword);

// The text after `keyword` when `line` starts with it (as MatchKeyword
// decides), or null when it does not. Formats that read from a character
// past their keyword pass over `separators` more characters (a line that
// ends before them gives "").
const char *AfterKeyword(const char *line, const char *keyword, size_t separators = 0);

// A line tested against keywords in turn: the one that matches leaves the
// text after it in `rest`.
class KeywordLine {
 public:
  explicit KeywordLine(const char *text) : line(text) {}
  bool Is(const char *keyword, size_t separators = 0) {
    rest = AfterKeyword(line, keyword, separators);
    return rest != nullptr;
  }
  const char *line;
  const char *rest = nullptr;
};

// Appends an entry for the current line to the debug log, if it is open.
void ReportError(int code);

// A configuration file that could not be opened: the one entry of the log
// that names a file instead of a line.
void ReportMissingFile(const char *fileName);

// A line of the vessel's scenario block that names a tank or object this
// vessel does not have: its record is dropped rather than put into another,
// and the line is logged, since it has no line number in a configuration file.
void ReportUnplacedRecord(const char *line);
// An object whose step made a NaN or an infinity, and so keeps its state of
// the step before: logged once for the object.
void ReportLostFigure(const char *object);
// A host callback that failed inside the module (`what` says how) and ended
// there, so that nothing thrown reaches the host.
void ReportCallbackFailure(const char *callback, const char *what);

// Marks `file` as the configuration file whose lines are counted, and
// restarts the count at 0.
void BeginConfigurationFile(FILE *file);
void EndConfigurationFile();
// The configuration file's line number of the line just read, as the file
// numbers its lines (the log counts the tail of an over-long line as a line
// of its own; this does not).
int32_t ConfigLineCount();
// Whether the line just read is the tail of an over-long line.
bool ReadingLineTail();

// The debug log "Varneldebug.txt" in the working folder: emptied by the
// run's first OpenDebugLog there and appended to by later ones, complete once
// CloseDebugLog has run.
void OpenDebugLog();
void CloseDebugLog();

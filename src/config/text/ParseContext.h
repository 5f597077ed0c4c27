// One reading of a vessel's configuration file: its lines in memory, the line
// being read, the sections open around it and what the reading says. Every
// reader takes the context of its reading, so readings share nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "config/text/Diagnostics.h"
#include "config/text/Sizes.h"
#include "config/text/SourceText.h"

class SectionLines;

class ParseContext {
 public:
  ParseContext(SourceText &configurationText, Diagnostics &reportTo)
      : diagnostics(reportTo), configuration(configurationText) {}
  // The diagnostics may outlive the reading: they keep no view of its line.
  ~ParseContext() { diagnostics.AtLine("", logLine, fileLine, false); }
  ParseContext(const ParseContext &) = delete;
  ParseContext &operator=(const ParseContext &) = delete;

  // The configuration file's next line, edited (tabs to blanks, comment
  // cut), from its first non-blank character; null for a blank line, a
  // comment line or the end of the file.
  char *NextLine();
  // The next line of another file the configuration uses (a class file),
  // edited the same way; its lines are not counted as the configuration's.
  char *NextLine(SourceText &other);
  // True once nothing more can be read from the configuration file.
  bool Ended() const { return configuration.Ended(); }
  // The configuration file's line number of the line just read, as the file
  // numbers its lines (the log counts the tail of an over-long line as a line
  // of its own; this does not).
  int32_t Line() const { return fileLine; }
  // The line just read, whole: what a section's opening line says.
  const char *CurrentLine() const { return line; }

  Diagnostics &diagnostics;

 private:
  friend class SectionLines;

  char *Edited(const SourceText::Piece *piece);

  SourceText &configuration;
  char line[kConfigLineSize] = "";
  // Lines as the log counts them: the tail of an over-long line counts as a
  // line of its own. The file's own line numbers, for findings, do not count
  // it, and a tail is read as no line of the file (`inTail`).
  int32_t logLine = 0;
  int32_t fileLine = 0;
  bool inTail = false;
  bool nextIsTail = false;
  // The sections and blocks open around the line, outermost first.
  std::vector<SectionLines *> openSections;
  bool endOfFileReported = false;
};

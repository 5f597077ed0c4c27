// The lines of a section, or of a block inside one, from the line after its
// opening line (the line just read) to its closing line; a section without
// its closing line ends with the file. It reports (as a finding) a section
// the file ends in, and a block that runs past the closing line of the
// section it is in.
#pragma once

#include <string>

class ParseContext;

class SectionLines {
 public:
  SectionLines(ParseContext &context, const char *closingTag);
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

  ParseContext &context;
  const char *closing;
  int openingLine;
  std::string openingWord;
  bool runPastEnclosingClose = false;
};

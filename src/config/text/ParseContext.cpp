#include "config/text/ParseContext.h"

#include <cstring>
#include <string>

char *ParseContext::NextLine() {
  const SourceText::Piece *piece = configuration.Take();
  if (piece != nullptr) {
    ++logLine;
    inTail = nextIsTail;
    if (!inTail) ++fileLine;
    nextIsTail = piece->goesOn;
  }
  diagnostics.AtLine(line, logLine, fileLine, inTail);
  if (piece != nullptr && piece->goesOn && !inTail)
    diagnostics.Report("line is longer than " + std::to_string(kConfigLineSize - 1) +
                       " characters: the rest is read as another line");
  return Edited(piece);
}

char *ParseContext::NextLine(SourceText &other) { return Edited(other.Take()); }

// The line buffer is shared by every file read, as the log shows it.
char *ParseContext::Edited(const SourceText::Piece *piece) {
  std::snprintf(line, sizeof line, "%s", piece != nullptr ? piece->text.c_str() : "");
  for (char *p = line; *p != '\0'; ++p) {
    if (*p == '\t') *p = ' ';
  }
  if (char *comment = std::strchr(line, '#')) *comment = '\0';
  char *first = line;
  while (*first == ' ') ++first;
  return *first == '\0' ? nullptr : first;
}

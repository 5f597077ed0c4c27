#include "config/text/SourceText.h"

#include <cstring>

#include "config/text/Sizes.h"
#include "winpath.h"

namespace {

bool IsLineEnd(int c) { return c == '\n' || c == '\r'; }

// Removes a line end ("\n", or "\r\n" from a file written on Windows) from the
// end of the buffer. Returns whether the buffer held a line end.
bool StripLineEnd(char *buffer) {
  size_t length = std::strlen(buffer);
  const bool hadEnd = length > 0 && buffer[length - 1] == '\n';
  while (length > 0 && IsLineEnd(buffer[length - 1])) buffer[--length] = '\0';
  return hadEnd;
}

// A line of exactly 254 characters fills the buffer before its line end is
// read; the line end still belongs to it and must not arrive as an extra
// blank line that would shift every later line number. False when the line
// goes on: its tail is read as the next piece.
bool ConsumePendingLineEnd(FILE *file) {
  int c = std::fgetc(file);
  if (c == '\r') c = std::fgetc(file);
  if (c == '\n' || c == EOF) return true;
  std::ungetc(c, file);
  return false;
}

}  // namespace

// A read error (a folder opened as a file) ends the text as its end does.
SourceText::SourceText(FILE *file) : opened(file != nullptr) {
  char buffer[kConfigLineSize];
  while (file != nullptr && std::fgets(buffer, kConfigLineSize, file) != nullptr) {
    const bool full = std::strlen(buffer) == kConfigLineSize - 1;
    const bool goesOn = !StripLineEnd(buffer) && full && !ConsumePendingLineEnd(file);
    pieces.push_back({buffer, goesOn});
  }
}

SourceText SourceText::OpenWindowsFile(const char *fileName) {
  FILE *file = ::OpenWindowsFile(fileName, "rt");
  SourceText text(file);
  if (file != nullptr) std::fclose(file);
  return text;
}

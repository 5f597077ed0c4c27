// How every reader tells one line from another: by the keyword it starts with,
// ignoring case.
#pragma once

#include <cstddef>

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

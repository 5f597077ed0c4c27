#include "config/text/Keywords.h"

#include <strings.h>

#include <cstring>

bool MatchKeyword(const char *line, const char *keyword) {
  if (line == nullptr || keyword == nullptr) return false;
  return strncasecmp(line, keyword, std::strlen(keyword)) == 0;
}

const char *AfterKeyword(const char *line, const char *keyword, size_t separators) {
  if (!MatchKeyword(line, keyword)) return nullptr;
  const char *rest = line + std::strlen(keyword);
  for (; separators > 0 && *rest != '\0'; --separators) ++rest;
  return rest;
}

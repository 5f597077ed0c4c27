// The host's files are 8-bit text in Windows' Western code page (1252), as
// vessel authors write them: names, comments, scenario lines. The browser
// page, JSON and Graphviz speak UTF-8. What crosses between them is converted
// here, and only here.
#pragma once

#include <string>
#include <string_view>

// `text` read as code page 1252, in UTF-8. The five bytes the code page
// leaves undefined become U+FFFD, so that they show.
std::string Utf8FromHostText(std::string_view text);

// The host's text of UTF-8 `text`; false when `text` is not UTF-8 or holds a
// character code page 1252 has not.
bool HostTextFromUtf8(std::string_view text, std::string &hostText);

#include "config/Diagnostics.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "config/ConfigText.h"

namespace {

FindingSink findingSink = nullptr;
void *sinkContext = nullptr;

struct Named {
  const void *list;
  std::string name;
  int line;
  const char *what;
};

std::vector<Named> definitions;
std::vector<Named> unresolved;
std::vector<Named> required;
std::string placeFile;
int placeLine = 0;
bool muted = false;

}  // namespace

void SetFindingSink(FindingSink sink, void *context) {
  findingSink = sink;
  sinkContext = context;
  definitions.clear();
  unresolved.clear();
  required.clear();
  muted = false;
}

bool FindingsWanted() { return findingSink != nullptr; }

void ReportFindingAt(int line, const std::string &message) {
  if (findingSink != nullptr && !muted) findingSink(sinkContext, nullptr, line, message.c_str(), nullptr);
}

// What the tail of an over-long line gives rise to follows from the one
// finding on its line.
void ReportFinding(const std::string &message) {
  if (findingSink == nullptr || muted || (placeFile.empty() && ReadingLineTail())) return;
  if (placeFile.empty()) ReportFindingAt(ConfigLineCount(), message);
  else findingSink(sinkContext, placeFile.c_str(), placeLine, message.c_str(), nullptr);
}

void SetFindingPlace(const char *file, int line) {
  placeFile = file;
  placeLine = line;
}

void ClearFindingPlace() { placeFile.clear(); }

void MuteFindings() {
  if (findingSink != nullptr) muted = true;
}

// A name that ends in blanks (a comment after it, cut off) is looked for with
// them, and so never found.
void ReportFileUse(const char *file, int line, const std::string &what, const char *path) {
  if (findingSink == nullptr) return;
  const size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == ' ') {
    const std::string message = "file name \"" + std::string(path) + "\" ends in blanks (a comment after it?)";
    findingSink(sinkContext, file, line, message.c_str(), nullptr);
  }
  findingSink(sinkContext, file, line, what.c_str(), path);
}

void CheckWordCount(const char *line, size_t expected, const char *what) {
  if (findingSink == nullptr || line == nullptr) return;
  std::istringstream words(line);
  size_t count = 0;
  for (std::string word; words >> word;) ++count;
  if (count < expected)
    ReportFinding(std::string(what) + " has " + std::to_string(count) + " of its " + std::to_string(expected) +
                  " fields");
}

void NoteDefinition(const void *list, const char *name) {
  if (findingSink != nullptr) definitions.push_back({list, name, ConfigLineCount(), nullptr});
}

void NoteUnresolved(const void *list, const char *what, const char *name) {
  if (findingSink != nullptr && !muted && *name != '\0') unresolved.push_back({list, name, ConfigLineCount(), what});
}

void NoteRequired(const void *list, const char *what, const char *name) {
  if (findingSink != nullptr && !muted) required.push_back({list, name, ConfigLineCount(), what});
}

namespace {

const Named *FirstDefinition(const Named &reference, bool later) {
  for (const Named &definition : definitions)
    if (definition.list == reference.list && (!later || definition.line > reference.line) &&
        MatchKeyword(definition.name.c_str(), reference.name.c_str()))
      return &definition;
  return nullptr;
}

}  // namespace

// A definition matches as the readers resolve names: the object's name
// begins with the reference, ignoring case. What the file's end reveals is
// reported even after a mistake muted the rest.
void ReportLateDefinitions() {
  muted = false;
  for (const Named &reference : unresolved) {
    if (const Named *definition = FirstDefinition(reference, true))
      ReportFindingAt(reference.line, std::string(reference.what) + " " + reference.name +
                                          " is defined only later, at line " + std::to_string(definition->line));
  }
  for (const Named &name : required)
    if (FirstDefinition(name, false) == nullptr)
      ReportFindingAt(name.line, std::string(name.what) + " " + name.name + " is not defined");
  definitions.clear();
  unresolved.clear();
  required.clear();
}

void ReportCutName(const char *text, const char *kept, size_t room) {
  ReportFinding("\"" + std::string(text) + "\" is longer than " + std::to_string(room) + " characters: it is read as \"" +
                kept + "\"");
}

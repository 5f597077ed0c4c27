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

}  // namespace

void SetFindingSink(FindingSink sink, void *context) {
  findingSink = sink;
  sinkContext = context;
  definitions.clear();
  unresolved.clear();
}

bool FindingsWanted() { return findingSink != nullptr; }

void ReportFindingAt(int line, const std::string &message) {
  if (findingSink != nullptr) findingSink(sinkContext, nullptr, line, message.c_str(), nullptr);
}

void ReportFinding(const std::string &message) { ReportFindingAt(ConfigLineCount(), message); }

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
  if (findingSink != nullptr && *name != '\0') unresolved.push_back({list, name, ConfigLineCount(), what});
}

// A definition matches as the readers resolve names: the object's name
// begins with the reference, ignoring case.
void ReportLateDefinitions() {
  for (const Named &reference : unresolved) {
    for (const Named &definition : definitions) {
      if (definition.list != reference.list || definition.line <= reference.line ||
          !MatchKeyword(definition.name.c_str(), reference.name.c_str()))
        continue;
      ReportFindingAt(reference.line, std::string(reference.what) + " " + reference.name +
                                          " is defined only later, at line " + std::to_string(definition.line));
      break;
    }
  }
  definitions.clear();
  unresolved.clear();
}

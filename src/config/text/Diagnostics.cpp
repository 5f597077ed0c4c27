#include "config/text/Diagnostics.h"

#include <cstring>
#include <sstream>

#include "config/text/Keywords.h"

void Diagnostics::AtLine(const char *text, int logNumber, int fileNumber, bool tail) {
  lineText = text;
  logLine = logNumber;
  fileLine = fileNumber;
  inTail = tail;
}

void Diagnostics::LogError(int code) {
  if (log != nullptr) log->WriteLineError(logLine, lineText, code);
}

void Diagnostics::LogMissingFile(const char *fileName) {
  if (log != nullptr) log->Write(DebugLog::MissingFile(fileName));
}

void Diagnostics::ReportAt(int line, const std::string &message) {
  if (findingSink != nullptr && !muted) findingSink(context, nullptr, line, message.c_str(), nullptr);
}

// What the tail of an over-long line gives rise to follows from the one
// finding on its line.
void Diagnostics::Report(const std::string &message) {
  if (findingSink == nullptr || muted || (placeFile.empty() && inTail)) return;
  if (placeFile.empty())
    ReportAt(fileLine, message);
  else
    findingSink(context, placeFile.c_str(), placeLine, message.c_str(), nullptr);
}

void Diagnostics::SetPlace(const char *file, int line) {
  placeFile = file;
  placeLine = line;
}

void Diagnostics::Mute() {
  if (findingSink != nullptr) muted = true;
}

// A name that ends in blanks (a comment after it, cut off) is looked for with
// them, and so never found.
void Diagnostics::ReportFileUse(const char *file, int line, const std::string &what, const char *path) {
  if (findingSink == nullptr) return;
  const size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == ' ') {
    const std::string message = "file name \"" + std::string(path) + "\" ends in blanks (a comment after it?)";
    findingSink(context, file, line, message.c_str(), nullptr);
  }
  findingSink(context, file, line, what.c_str(), path);
}

void Diagnostics::ReportCutName(const char *text, const char *kept, size_t room) {
  if (FindingsWanted())
    Report("\"" + std::string(text) + "\" is longer than " + std::to_string(room) + " characters: it is read as \"" +
           kept + "\"");
}

void Diagnostics::CheckWordCount(const char *line, size_t expected, const char *what) {
  if (findingSink == nullptr || line == nullptr) return;
  std::istringstream words(line);
  size_t count = 0;
  for (std::string word; words >> word;) ++count;
  if (count < expected)
    Report(std::string(what) + " has " + std::to_string(count) + " of its " + std::to_string(expected) + " fields");
}

void Diagnostics::NoteDefinition(const void *list, const char *name) {
  if (findingSink != nullptr) definitions.push_back({list, name, fileLine, nullptr});
}

void Diagnostics::NoteUnresolved(const void *list, const char *what, const char *name) {
  if (findingSink != nullptr && !muted && *name != '\0') unresolved.push_back({list, name, fileLine, what});
}

void Diagnostics::NoteRequired(const void *list, const char *what, const char *name) {
  if (findingSink != nullptr && !muted) required.push_back({list, name, fileLine, what});
}

// A definition matches as the readers resolve names: the object's name
// begins with the reference, ignoring case.
const Diagnostics::Named *Diagnostics::FirstDefinition(const Named &reference, bool later) const {
  for (const Named &definition : definitions)
    if (definition.list == reference.list && (!later || definition.line > reference.line) &&
        MatchKeyword(definition.name.c_str(), reference.name.c_str()))
      return &definition;
  return nullptr;
}

void Diagnostics::ReportLateDefinitions() {
  muted = false;
  for (const Named &reference : unresolved) {
    if (const Named *definition = FirstDefinition(reference, true))
      ReportAt(reference.line, std::string(reference.what) + " " + reference.name + " is defined only later, at line " +
                                   std::to_string(definition->line));
  }
  for (const Named &name : required)
    if (FirstDefinition(name, false) == nullptr)
      ReportAt(name.line, std::string(name.what) + " " + name.name + " is not defined");
  definitions.clear();
  unresolved.clear();
  required.clear();
}

#include "config/ConfigText.h"

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <strings.h>
#include <vector>

#include "config/Diagnostics.h"
#include "config/TextScan.h"

namespace {

char lineBuffer[kConfigLineSize] = "";
// Lines as the log counts them: the tail of an over-long line counts as a
// line of its own. The file's own line numbers, for findings, do not count
// it, and a tail is read as no line of the file (`inTail`).
int32_t lineCount = 0;
int32_t fileLine = 0;
bool inTail = false;
bool nextIsTail = false;
FILE *configurationFile = nullptr;
FILE *debugLog = nullptr;
// The sections and blocks of the configuration file being read, outermost
// first.
std::vector<SectionLines *> openSections;
bool endOfFileReported = false;

const char *const kErrorTexts[] = {
    " 01:Object name not found\n",
    " 02:Invalid component\n",
    " 03:Invalid number of parameters\n",
};

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
// goes on: its tail is read as the next line.
bool ConsumePendingLineEnd(FILE *file) {
  int c = std::fgetc(file);
  if (c == '\r') c = std::fgetc(file);
  if (c == '\n' || c == EOF) return true;
  std::ungetc(c, file);
  return false;
}

}  // namespace

bool ConfigFileEnded(FILE *file) { return file == nullptr || std::feof(file) || std::ferror(file); }

char *ReadConfigLine(FILE *file) {
  if (ConfigFileEnded(file)) return nullptr;
  if (std::fgets(lineBuffer, kConfigLineSize, file) == nullptr) {
    lineBuffer[0] = '\0';
    return nullptr;
  }
  const bool full = std::strlen(lineBuffer) == kConfigLineSize - 1;
  const bool goesOn = !StripLineEnd(lineBuffer) && full && !ConsumePendingLineEnd(file);
  if (file == configurationFile) {
    ++lineCount;
    inTail = nextIsTail;
    if (!inTail) ++fileLine;
    if (goesOn && !inTail)
      ReportFinding("line is longer than " + std::to_string(kConfigLineSize - 1) +
                    " characters: the rest is read as another line");
    nextIsTail = goesOn;
  }

  for (char *p = lineBuffer; *p != '\0'; ++p) {
    if (*p == '\t') *p = ' ';
  }
  if (char *comment = std::strchr(lineBuffer, '#')) *comment = '\0';

  char *first = lineBuffer;
  while (*first == ' ') ++first;
  return *first == '\0' ? nullptr : first;
}

SectionLines::SectionLines(FILE *sectionFile, const char *closingTag)
    : file(sectionFile), closing(closingTag), openingLine(fileLine) {
  if (file != configurationFile) return;
  LineWord word = "";
  Fields(lineBuffer) >> word;
  openingWord = word;
  openSections.push_back(this);
}

SectionLines::~SectionLines() {
  if (!openSections.empty() && openSections.back() == this) openSections.pop_back();
  if (openSections.empty()) endOfFileReported = false;
}

bool SectionLines::Next(char *&line) {
  line = ReadConfigLine(file);
  if (line == nullptr) {
    if (!ConfigFileEnded(file)) return true;
    ReportEndOfFile();
    return false;
  }
  if (MatchKeyword(line, closing)) return false;
  NoteRunPastEnclosingClose(line);
  return true;
}

void SectionLines::Skip() {
  char *line;
  while (Next(line)) {
  }
}

// A block that reads an enclosing section's closing line as one of its own
// lacks its closing line; the section is taken as closed there, as far as
// findings go.
void SectionLines::NoteRunPastEnclosingClose(const char *line) {
  if (runPastEnclosingClose || !FindingsWanted() || openSections.empty() || openSections.back() != this) return;
  for (size_t i = 0; i + 1 < openSections.size(); ++i) {
    if (!MatchKeyword(line, openSections[i]->closing)) continue;
    runPastEnclosingClose = true;
    ReportFindingAt(openingLine, std::string("block has no ") + closing + " line: it reads on past " +
                                     openSections[i]->closing + " at line " + std::to_string(ConfigLineCount()) +
                                     " to the next " + closing + " line or the end of the file");
    return;
  }
}

// The outermost section is the one left open, unless a block ran past its
// closing line (reported then).
void SectionLines::ReportEndOfFile() {
  if (endOfFileReported || openSections.empty() || openSections.back() != this) return;
  endOfFileReported = true;
  for (const SectionLines *s : openSections)
    if (s->runPastEnclosingClose) return;
  const SectionLines &outermost = *openSections.front();
  ReportFindingAt(outermost.openingLine,
                  "section " + outermost.openingWord + " has no " + outermost.closing + " line");
}

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

void ReportError(int code) {
  if (debugLog == nullptr || code < 0 || code > kInvalidParameterCount) return;
  std::fprintf(debugLog, "ERROR AT LINE: %i", lineCount);
  std::fputs(lineBuffer, debugLog);
  std::fputs(kErrorTexts[code], debugLog);
}

void ReportMissingFile(const char *fileName) {
  if (debugLog != nullptr) std::fprintf(debugLog, "ERROR: cannot open %s\n", fileName);
}

void BeginConfigurationFile(FILE *file) {
  configurationFile = file;
  lineCount = 0;
  fileLine = 0;
  inTail = nextIsTail = false;
}

void EndConfigurationFile() {
  ReportLateDefinitions();
  configurationFile = nullptr;
}

int32_t ConfigLineCount() { return fileLine; }

bool ReadingLineTail() { return inTail; }

// The log is emptied the first time a run opens it in a folder; every later
// vessel's entries follow, so with several vessels none of their findings is
// lost.
void OpenDebugLog() {
  static std::set<std::string> foldersEmptied;
  CloseDebugLog();
  std::error_code error;
  const bool first = foldersEmptied.insert(std::filesystem::current_path(error).string()).second;
  debugLog = std::fopen("Varneldebug.txt", first ? "w" : "a");
}

namespace {

// One entry of the log from outside a reading: the log is opened for it when
// no reading has it open.
void AppendToDebugLog(const std::string &entry) {
  const bool wasOpen = debugLog != nullptr;
  if (!wasOpen) OpenDebugLog();
  if (debugLog != nullptr) std::fputs(entry.c_str(), debugLog);
  if (!wasOpen) CloseDebugLog();
}

}  // namespace

void ReportUnplacedRecord(const char *line) {
  AppendToDebugLog(std::string("ERROR IN SCENARIO: ") + line + kErrorTexts[kObjectNameNotFound]);
}

void ReportLostFigure(const char *object) {
  AppendToDebugLog(std::string("ERROR IN STEP: ") + object +
                   " made a number that is not one; it keeps its state of the step before\n");
}

void ReportCallbackFailure(const char *callback, const char *what) {
  AppendToDebugLog(std::string(callback) + " failed inside the module (" + what + "); the call was abandoned\n");
}

void CloseDebugLog() {
  if (debugLog != nullptr) std::fclose(debugLog);
  debugLog = nullptr;
}

#include "config/text/SectionLines.h"

#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/TextScan.h"

SectionLines::SectionLines(ParseContext &parse, const char *closingTag)
    : context(parse), closing(closingTag), openingLine(parse.Line()) {
  LineWord word = "";
  Fields(context.CurrentLine()) >> word;
  openingWord = word;
  context.openSections.push_back(this);
}

SectionLines::~SectionLines() {
  std::vector<SectionLines *> &open = context.openSections;
  if (!open.empty() && open.back() == this) open.pop_back();
  if (open.empty()) context.endOfFileReported = false;
}

bool SectionLines::Next(char *&line) {
  line = context.NextLine();
  if (line == nullptr) {
    if (!context.Ended()) return true;
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
  const std::vector<SectionLines *> &open = context.openSections;
  if (runPastEnclosingClose || !context.diagnostics.FindingsWanted() || open.empty() || open.back() != this) return;
  for (size_t i = 0; i + 1 < open.size(); ++i) {
    if (!MatchKeyword(line, open[i]->closing)) continue;
    runPastEnclosingClose = true;
    context.diagnostics.ReportAt(openingLine, std::string("block has no ") + closing + " line: it reads on past " +
                                                  open[i]->closing + " at line " + std::to_string(context.Line()) +
                                                  " to the next " + closing + " line or the end of the file");
    return;
  }
}

// The outermost section is the one left open, unless a block ran past its
// closing line (reported then).
void SectionLines::ReportEndOfFile() {
  const std::vector<SectionLines *> &open = context.openSections;
  if (context.endOfFileReported || open.empty() || open.back() != this) return;
  context.endOfFileReported = true;
  for (const SectionLines *s : open)
    if (s->runPastEnclosingClose) return;
  const SectionLines &outermost = *open.front();
  context.diagnostics.ReportAt(outermost.openingLine,
                               "section " + outermost.openingWord + " has no " + outermost.closing + " line");
}

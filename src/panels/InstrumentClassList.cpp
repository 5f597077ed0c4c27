#include "panels/InstrumentClassList.h"

#include <cstdio>
#include <cstring>

#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SourceText.h"
#include "config/text/TextScan.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/instruments/Instrument.h"

namespace {

// Reads one keyword line of a class into `c`; false when the line is no
// keyword. Numbers that do not scan leave their slots as they were.
class KeywordReader {
 public:
  KeywordReader(InstrumentClass &target, std::unique_ptr<DrawingResources> &shared, Diagnostics &findings)
      : c(target), resources(shared), diagnostics(findings) {}

  void Apply(const char *line);

 private:
  DrawingResources &Resources() {
    if (!resources) resources = std::make_unique<DrawingResources>();
    return *resources;
  }
  // Class integers are pixel geometry, or colour components that share their
  // slots and are masked to a byte where they are used.
  void Ints(const char *text, int32_t &a, int32_t &b) {
    Fields(text, &diagnostics) >> a >> b;
    a = BoundedCoordinate(a);
    b = BoundedCoordinate(b);
  }
  void Ints(const char *text, int32_t &a, int32_t &b, int32_t &d) {
    Fields(text, &diagnostics) >> a >> b >> d;
    a = BoundedCoordinate(a);
    b = BoundedCoordinate(b);
    d = BoundedCoordinate(d);
  }

  InstrumentClass &c;
  std::unique_ptr<DrawingResources> &resources;
  Diagnostics &diagnostics;
  bool colourRead = false;
};

void KeywordReader::Apply(const char *line) {
  int32_t *I = c.I;
  double *D = c.D;
  KeywordLine keyword(line);
  if (keyword.Is("CLASS")) {
    LineWord kind;
    if ((Fields(keyword.rest, &diagnostics) >> kind).Count() == 1) CopyName(c.kind, kind, &diagnostics);
  } else if (keyword.Is("SIZE")) {
    if (colourRead && MatchKeyword(c.kind, "TEXT"))
      diagnostics.Report("SIZE after COLOR changes the lit colour (they share their numbers): put SIZE first");
    Ints(keyword.rest, I[0], I[1]);
  } else if (keyword.Is("BORDER")) {
    Ints(keyword.rest, I[2], I[3]);
  } else if (keyword.Is("BUTTONSIZE")) {
    Ints(keyword.rest, I[6], I[7]);
  } else if (keyword.Is("BUTTONS")) {
    Ints(keyword.rest, I[4], I[5]);
  } else if (keyword.Is("BUGSIZE")) {
    Ints(keyword.rest, I[2], I[3]);
  } else if (keyword.Is("TRACE")) {
    Fields(keyword.rest, &diagnostics) >> I[4];
  } else if (keyword.Is("BITMAP", 1)) {
    c.bitmap = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("MASK1", 1)) {
    c.resource1 = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("MASK2", 1)) {
    c.resource2 = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("CENTER")) {
    Ints(keyword.rest, I[2], I[3]);
  } else if (keyword.Is("MAX")) {
    Fields(keyword.rest, &diagnostics) >> D[0] >> D[1];
  } else if (keyword.Is("MIN")) {
    Fields(keyword.rest, &diagnostics) >> D[2] >> D[3];
  } else if (keyword.Is("NEEDLE")) {
    Ints(keyword.rest, I[4], I[5]);
  } else if (keyword.Is("FONT")) {
    LineWord face;
    int height;
    if ((Fields(keyword.rest, &diagnostics) >> face >> height).Count() == 2) {
      c.font = Resources().AddFont(face, height);
      D[0] = height;
    }
  } else if (keyword.Is("COLOR")) {
    colourRead = true;
    Ints(keyword.rest, I[0], I[1], I[2]);
    c.resource1 = Resources().AddPen(I[0], I[1], I[2]);
  } else if (keyword.Is("BUTTONCOL")) {
    Fields(keyword.rest, &diagnostics) >> D[0] >> D[1] >> D[2];
  } else if (keyword.Is("NOCOL")) {
    Ints(keyword.rest, I[3], I[4], I[5]);
    c.resource2 = Resources().AddPen(I[3], I[4], I[5]);
  } else if (keyword.Is("BALTEX")) {
    CopyName(c.ballTexture, keyword.rest, &diagnostics);
  } else if (keyword.Is("ZOOM")) {
    Fields(keyword.rest, &diagnostics) >> D[0];
  } else if (keyword.Is("LIGHT")) {
    Fields(keyword.rest, &diagnostics) >> D[1] >> D[2] >> D[3];
  } else if (keyword.Is("AMBIENT", 1)) {
    Ints(keyword.rest, I[2], I[3], I[4]);
  } else if (keyword.Is("LGHTCOL", 1)) {
    Ints(keyword.rest, I[5], I[6], I[7]);
  } else if (keyword.Is("ROTATE")) {
    Fields(keyword.rest, &diagnostics) >> D[4];
  } else if (keyword.Is("BLINK")) {
    Fields(keyword.rest, &diagnostics) >> D[0];
  } else if (!MatchKeyword(line, "</")) {
    LineWord word = "";
    Fields(line, &diagnostics) >> word;
    diagnostics.Report(std::string("keyword ") + word + " is not one a class has");
  }
}

// A class file's lines, counted: the bitmaps and the ball texture a line
// names are reported as used, wherever the line is.
class ClassFileLines {
 public:
  ClassFileLines(ParseContext &parse, SourceText &classText, const char *name)
      : context(parse), text(classText), shown(std::string("config/") + name + ".prd") {}
  ~ClassFileLines() { context.diagnostics.ClearPlace(); }
  const char *Next() {
    const char *line = context.NextLine(text);
    ++number;
    Diagnostics &diagnostics = context.diagnostics;
    if (!diagnostics.FindingsWanted() || line == nullptr) return line;
    diagnostics.SetPlace(shown.c_str(), number);
    KeywordLine keyword(line);
    if (keyword.Is("BITMAP", 1) || keyword.Is("MASK1", 1) || keyword.Is("MASK2", 1))
      diagnostics.ReportFileUse(shown.c_str(), number, std::string("bitmap ") + keyword.rest, keyword.rest);
    else if (keyword.Is("BALTEX", 1))
      diagnostics.ReportFileUse(shown.c_str(), number, std::string("texture ") + keyword.rest, keyword.rest);
    return line;
  }

 private:
  ParseContext &context;
  SourceText &text;
  std::string shown;
  int number = 0;
};

}  // namespace

// A definition runs from a line beginning "<" to one beginning "</"; a file
// or definition that ends early ends with the file.
void InstrumentClassList::LoadClassFile(ParseContext &context, const char *name,
                                        std::unique_ptr<DrawingResources> &resources) {
  char fileName[64];
  std::snprintf(fileName, sizeof fileName, "config\\%s.prd", name);
  SourceText text = SourceText::OpenWindowsFile(fileName);
  Diagnostics &diagnostics = context.diagnostics;
  if (!text.Opened()) {
    diagnostics.Report(std::string("class file ") + fileName + " not found");
    return;
  }
  ClassFileLines lines(context, text, name);
  while (!text.Ended()) {
    const char *line = lines.Next();
    if (line == nullptr || line[0] != '<') continue;
    auto record = std::make_unique<InstrumentClass>();
    CopyName(record->tag, line, &diagnostics);
    if (record->tag[std::strlen(record->tag) - 1] == ' ')
      diagnostics.Report(std::string("tag \"") + record->tag +
                         "\" ends in blanks: a panel line must repeat them to use it");
    KeywordReader keywords(*record, resources, diagnostics);
    do {
      line = lines.Next();
      if (line != nullptr) keywords.Apply(line);
    } while (!MatchKeyword(line, "</") && !text.Ended());
    classes.insert(classes.begin(), std::move(record));
  }
}

const InstrumentClass *InstrumentClassList::FindClass(const char *line) const {
  if (line == nullptr) return nullptr;
  for (const auto &c : classes)
    if (MatchKeyword(line, c->tag)) return c.get();
  return nullptr;
}

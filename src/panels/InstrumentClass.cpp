#include "panels/InstrumentClass.h"

#include <cstdio>
#include <cstring>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"
#include "panels/DrawingResources.h"
#include "panels/instruments/Instrument.h"
#include "winpath.h"

namespace {

// Reads one keyword line of a class into `c`; false when the line is no
// keyword. Numbers that do not scan leave their slots as they were.
class KeywordReader {
 public:
  KeywordReader(InstrumentClass &target, std::unique_ptr<DrawingResources> &shared)
      : c(target), resources(shared) {}

  void Apply(const char *line);

 private:
  DrawingResources &Resources() {
    if (!resources) resources = std::make_unique<DrawingResources>();
    return *resources;
  }
  // Class integers are pixel geometry, or colour components that share their
  // slots and are masked to a byte where they are used.
  static void Ints(const char *text, int32_t &a, int32_t &b) {
    Fields(text) >> a >> b;
    a = BoundedCoordinate(a);
    b = BoundedCoordinate(b);
  }
  static void Ints(const char *text, int32_t &a, int32_t &b, int32_t &d) {
    Fields(text) >> a >> b >> d;
    a = BoundedCoordinate(a);
    b = BoundedCoordinate(b);
    d = BoundedCoordinate(d);
  }

  InstrumentClass &c;
  std::unique_ptr<DrawingResources> &resources;
  bool colourRead = false;
};

void KeywordReader::Apply(const char *line) {
  int32_t *I = c.I;
  double *D = c.D;
  KeywordLine keyword(line);
  if (keyword.Is("CLASS")) {
    LineWord kind;
    if ((Fields(keyword.rest) >> kind).Count() == 1) CopyName(c.kind, kind);
  } else if (keyword.Is("SIZE")) {
    if (colourRead && MatchKeyword(c.kind, "TEXT"))
      ReportFinding("SIZE after COLOR changes the lit colour (they share their numbers): put SIZE first");
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
    Fields(keyword.rest) >> I[4];
  } else if (keyword.Is("BITMAP", 1)) {
    c.bitmap = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("MASK1", 1)) {
    c.resource1 = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("MASK2", 1)) {
    c.resource2 = Resources().AddSurface(keyword.rest);
  } else if (keyword.Is("CENTER")) {
    Ints(keyword.rest, I[2], I[3]);
  } else if (keyword.Is("MAX")) {
    Fields(keyword.rest) >> D[0] >> D[1];
  } else if (keyword.Is("MIN")) {
    Fields(keyword.rest) >> D[2] >> D[3];
  } else if (keyword.Is("NEEDLE")) {
    Ints(keyword.rest, I[4], I[5]);
  } else if (keyword.Is("FONT")) {
    LineWord face;
    int height;
    if ((Fields(keyword.rest) >> face >> height).Count() == 2) {
      c.font = Resources().AddFont(face, height);
      D[0] = height;
    }
  } else if (keyword.Is("COLOR")) {
    colourRead = true;
    Ints(keyword.rest, I[0], I[1], I[2]);
    c.resource1 = Resources().AddPen(I[0], I[1], I[2]);
  } else if (keyword.Is("BUTTONCOL")) {
    Fields(keyword.rest) >> D[0] >> D[1] >> D[2];
  } else if (keyword.Is("NOCOL")) {
    Ints(keyword.rest, I[3], I[4], I[5]);
    c.resource2 = Resources().AddPen(I[3], I[4], I[5]);
  } else if (keyword.Is("BALTEX")) {
    CopyName(c.ballTexture, keyword.rest);
  } else if (keyword.Is("ZOOM")) {
    Fields(keyword.rest) >> D[0];
  } else if (keyword.Is("LIGHT")) {
    Fields(keyword.rest) >> D[1] >> D[2] >> D[3];
  } else if (keyword.Is("AMBIENT", 1)) {
    Ints(keyword.rest, I[2], I[3], I[4]);
  } else if (keyword.Is("LGHTCOL", 1)) {
    Ints(keyword.rest, I[5], I[6], I[7]);
  } else if (keyword.Is("ROTATE")) {
    Fields(keyword.rest) >> D[4];
  } else if (keyword.Is("BLINK")) {
    Fields(keyword.rest) >> D[0];
  } else if (!MatchKeyword(line, "</")) {
    LineWord word = "";
    Fields(line) >> word;
    ReportFinding(std::string("keyword ") + word + " is not one a class has");
  }
}

// A class file's lines, counted: the bitmaps and the ball texture a line
// names are reported as used, wherever the line is.
class ClassFileLines {
 public:
  ClassFileLines(FILE *classFile, const char *name) : file(classFile), shown(std::string("config/") + name + ".prd") {}
  ~ClassFileLines() { ClearFindingPlace(); }
  const char *Next() {
    const char *line = ReadConfigLine(file);
    ++number;
    if (!FindingsWanted() || line == nullptr) return line;
    SetFindingPlace(shown.c_str(), number);
    KeywordLine keyword(line);
    if (keyword.Is("BITMAP", 1) || keyword.Is("MASK1", 1) || keyword.Is("MASK2", 1))
      ReportFileUse(shown.c_str(), number, std::string("bitmap ") + keyword.rest, keyword.rest);
    else if (keyword.Is("BALTEX", 1))
      ReportFileUse(shown.c_str(), number, std::string("texture ") + keyword.rest, keyword.rest);
    return line;
  }

 private:
  FILE *file;
  std::string shown;
  int number = 0;
};

}  // namespace

// A definition runs from a line beginning "<" to one beginning "</"; a file
// or definition that ends early ends with the file.
void InstrumentClassList::LoadClassFile(const char *name, std::unique_ptr<DrawingResources> &resources) {
  char fileName[64];
  std::snprintf(fileName, sizeof fileName, "config\\%s.prd", name);
  FILE *file = OpenWindowsFile(fileName, "rt");
  if (file == nullptr) {
    ReportFinding(std::string("class file ") + fileName + " not found");
    return;
  }
  ClassFileLines lines(file, name);
  while (!ConfigFileEnded(file)) {
    const char *line = lines.Next();
    if (line == nullptr || line[0] != '<') continue;
    auto record = std::make_unique<InstrumentClass>();
    CopyName(record->tag, line);
    if (record->tag[std::strlen(record->tag) - 1] == ' ')
      ReportFinding(std::string("tag \"") + record->tag + "\" ends in blanks: a panel line must repeat them to use it");
    KeywordReader keywords(*record, resources);
    do {
      line = lines.Next();
      if (line != nullptr) keywords.Apply(line);
    } while (!MatchKeyword(line, "</") && !ConfigFileEnded(file));
    classes.insert(classes.begin(), std::move(record));
  }
  std::fclose(file);
}

const InstrumentClass *InstrumentClassList::FindClass(const char *line) const {
  if (line == nullptr) return nullptr;
  for (const auto &c : classes)
    if (MatchKeyword(line, c->tag)) return c.get();
  return nullptr;
}

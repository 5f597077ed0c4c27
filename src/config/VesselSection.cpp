#include "config/VesselSection.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/LineGrammar.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"

namespace {

struct GroupWord {
  const char *word;
  int32_t index;
};

const GroupWord kGroupWords[] = {
    {"THGROUP_MAIN", 0},           {"THGROUP_RETRO", 1},         {"THGROUP_HOVER", 2},
    {"THGROUP_ATT_PITCHUP", 3},    {"THGROUP_ATT_PITCHDOWN", 4}, {"THGROUP_ATT_YAWLEFT", 5},
    {"THGROUP_ATT_YAWRIGHT", 6},   {"THGROUP_ATT_BANKLEFT", 7},  {"THGROUP_ATT_BANKRIGHT", 8},
    {"THGROUP_ATT_RIGHT", 9},      {"THGROUP_ATT_LEFT", 10},     {"THGROUP_ATT_UP", 11},
    {"THGROUP_ATT_DOWN", 12},      {"THGROUP_ATT_FORWARD", 13},  {"THGROUP_ATT_BACK", 14},
    {"THGROUP_USER", kUserGroupIndex},
};

int32_t GroupIndex(const char *word) {
  for (const GroupWord &g : kGroupWords)
    if (MatchKeyword(word, g.word)) return g.index;
  return kNoGroup;
}

constexpr FieldType kWord = FieldType::kWord, kInt = FieldType::kInt, kReal = FieldType::kReal,
                    kVector = FieldType::kVector;

// The header's name keeps its closing ">" until it is copied.
constexpr FieldDeclaration kElementFields[] = {
    {"name", kWord}, {"mesh", kWord}, {"mass", kReal}, {"first configuration", kInt}, {"last configuration", kInt}};
constexpr LineGrammar kElementGrammar("element", kElementFields, false);

constexpr FieldDeclaration kPropellantFields[] = {
    {"name", kWord}, {"capacity", kReal}, {"first configuration", kInt}, {"last configuration", kInt}};
constexpr LineGrammar kPropellantGrammar("propellant tank", kPropellantFields, false);

// Without its exhaust size, a thruster has no visible plume.
constexpr FieldDeclaration kThrusterFields[] = {{"position", kVector},  {"direction", kVector}, {"thrust", kReal},
                                                {"propellant", kWord},  {"isp", kReal},         {"reference isp", kReal},
                                                {"group", kWord},       {"exhaust", FieldType::kPair, true}};
constexpr LineGrammar kThrusterGrammar("thruster", kThrusterFields, false);

// A vector tag of the configuration block and the member it sets.
struct VectorTag {
  const char *tag;
  Vec3 StageConfiguration::*member;
};

const VectorTag kVectorTags[] = {
    {"<CW>", &StageConfiguration::dragCoefficients},
    {"<CROSSSECTION>", &StageConfiguration::crossSections},
    {"<ROTDRAG>", &StageConfiguration::rotationalDrag},
    {"<PMI>", &StageConfiguration::inertia},
    {"<CAMERAOFF>", &StageConfiguration::cameraOffset},
};

bool ParseVectorTag(KeywordLine &keyword, StageConfiguration &stage, Diagnostics &diagnostics) {
  for (const VectorTag &tag : kVectorTags) {
    if (!keyword.Is(tag.tag)) continue;
    ScanVector(keyword.rest, stage.*tag.member, &diagnostics);
    return true;
  }
  return false;
}

// The number of a "<CONFIG n>" line; its tag is matched with its case, as
// the block has always been read.
bool StageNumber(const char *line, int &n, Diagnostics &diagnostics) {
  static const char kTag[] = "<CONFIG";
  return std::strncmp(line, kTag, sizeof kTag - 1) == 0 &&
         (Fields(line + sizeof kTag - 1, &diagnostics) >> n).Count() == 1;
}

// Watches the lines an element takes as its offset lines and its closing
// line: an offset line that is none means the element has fewer than its
// numbers ask for, and the lines after it are read out of step (one finding,
// at the element). When the element takes the block's own closing line, the
// rest of the file is read out of step too, and nothing more is reported.
class ElementLines {
 public:
  ElementLines(const VesselElement &header, ParseContext &context)
      : element(header),
        diagnostics(context.diagnostics),
        headerLine(context.Line()),
        expected(std::max<int64_t>(0, static_cast<int64_t>(header.last) - header.first)) {}
  // A line the element takes as an offset line, and whether it read as one;
  // a blank or comment line stands for an offset not given.
  void Offset(const char *line, bool read) {
    if (line == nullptr) return;
    if (!short_ && read) ++offsets;
    else Short(line);
  }
  void Closing(const char *line) {
    if (MatchKeyword(line, "</ELEMENTS>") || MatchKeyword(line, "</VESSEL>")) Short(line);
  }

 private:
  void Short(const char *line) {
    if (!short_) {
      short_ = true;
      diagnostics.ReportAt(headerLine, "element " + std::string(element.name) + " expects " + std::to_string(expected) +
                                           " offset line" + (expected == 1 ? "" : "s") + ", found " +
                                           std::to_string(offsets));
    }
    if (MatchKeyword(line, "</ELEMENTS>") || MatchKeyword(line, "</VESSEL>")) diagnostics.Mute();
  }

  const VesselElement &element;
  Diagnostics &diagnostics;
  int headerLine;
  int64_t expected;
  int64_t offsets = 0;
  bool short_ = false;
};

}  // namespace

void VesselSection::Read(ParseContext &context) {
  char *line;
  SectionLines section(context, "</VESSEL>");
  while (section.Next(line)) {
    if (MatchKeyword(line, "<ELEMENTS>")) {
      ReadElements(context);
    } else if (MatchKeyword(line, "<PROPELLANTS>")) {
      ReadPropellants(context);
    } else if (MatchKeyword(line, "<CONFIG")) {
      int n = -1;
      // A block for a number outside 0 to 9 is read and dropped.
      StageConfiguration discarded;
      const bool separationForm = MatchKeyword(line, "<CONFIG>");
      const bool valid = !separationForm && StageNumber(line, n, context.diagnostics) && IsConfigurationNumber(n);
      if (valid) {
        set.definedStages |= 1u << n;
        context.diagnostics.NoteDefinition(&set.configurations, std::to_string(n).c_str());
      }
      else if (separationForm)
        context.diagnostics.Report(
            "\"<CONFIG> n\" is the <SEPARATION> form: a stage block of <VESSEL> is \"<CONFIG n>\"");
      ReadStageBlock(context, valid ? set.configurations[n] : discarded);
    } else if (line != nullptr) {
      context.diagnostics.Report("line not understood in <VESSEL>");
    }
  }
  CheckThrusterPropellants(context.diagnostics);
}

// Thrusters find their tank by the first name their propellant begins, in
// the list's order, wherever in the section the tanks are.
void VesselSection::CheckThrusterPropellants(Diagnostics &diagnostics) const {
  for (const auto &[line, propellant] : thrusterPropellants) {
    const PropellantDef *found = nullptr;
    for (const PropellantDef &tank : set.propellants)
      if (found == nullptr && MatchKeyword(tank.name, propellant.c_str())) found = &tank;
    if (found == nullptr)
      diagnostics.ReportAt(line, "thruster propellant " + propellant + " names no tank");
    else if (strcasecmp(found->name, propellant.c_str()) != 0)
      diagnostics.ReportAt(line,
                           "thruster propellant " + propellant + " matches tank " + found->name + " only as a prefix");
  }
}

// An element is a header "<NAME> MESH MASS FIRST LAST", one offset line for
// each configuration from FIRST to LAST - 1, and one closing line. Every line
// after the header counts, blank or not, as the format fixes their number.
void VesselSection::ReadElements(ParseContext &context) {
  char *line;
  SectionLines section(context, "</ELEMENTS>");
  while (section.Next(line)) {
    if (line == nullptr || line[0] != '<') continue;
    const LineDescription header(kElementGrammar, line, line + 1, context.diagnostics);
    if (!header.Complete()) continue;
    VesselElement element;
    element.mass = header.Real(2);
    element.first = header.Int(3);
    element.last = header.Int(4);
    const std::string mesh = header.Word(1);
    context.diagnostics.ReportFileUse(nullptr, context.Line(), "mesh Meshes/" + mesh + ".msh",
                                      ("Meshes\\" + mesh + ".msh").c_str());
    std::string name = header.Name();
    name.pop_back();  // the header's closing ">"
    CopyName(element.name, name.c_str(), &context.diagnostics);
    CopyName(element.meshFile, mesh.c_str(), &context.diagnostics);
    ElementLines lines(element, context);
    for (int64_t n = element.first; n < element.last; ++n) {
      const char *offsetLine = context.NextLine();
      if (offsetLine == nullptr && context.Ended()) break;
      Vec3 offset;
      // An offset line that is none is the element's finding, not the vector's.
      const bool read = offsetLine != nullptr && (Fields(offsetLine) >> offset).Count() == 3;
      lines.Offset(offsetLine, read);
      if (read && IsConfigurationNumber(static_cast<int>(n))) element.offsets[n] = offset;
    }
    lines.Closing(context.NextLine());
    InsertAfterFirst(set.elements, element);
  }
}

void VesselSection::ReadPropellants(ParseContext &context) {
  char *line;
  SectionLines section(context, "</PROPELLANTS>");
  while (section.Next(line)) {
    if (line == nullptr) continue;
    const LineDescription described(kPropellantGrammar, line, line, context.diagnostics);
    if (!described.Complete()) continue;
    PropellantDef tank;
    tank.capacity = described.Real(1);
    tank.first = described.Int(2);
    tank.last = described.Int(3);
    CopyName(tank.name, described.Name(), &context.diagnostics);
    InsertAfterFirst(set.propellants, tank);
  }
}

void VesselSection::ReadStageBlock(ParseContext &context, StageConfiguration &stage) {
  char *line;
  SectionLines section(context, "</CONFIG");
  while (section.Next(line)) {
    if (line == nullptr) continue;
    double size;
    KeywordLine keyword(line);
    if (keyword.Is("<SIZE>")) {
      if ((Fields(keyword.rest, &context.diagnostics) >> size).Count() == 1) stage.size = size;
    } else if (keyword.Is("<TOUCHDOWN>")) {
      ScanVectors(keyword.rest, stage.touchdown, 3, &context.diagnostics);
    } else if (keyword.Is("<DOCK>")) {
      Vec3 parts[3];
      if (ScanVectors(keyword.rest, parts, 3, &context.diagnostics))
        InsertAfterFirst(stage.docks, DockDef{parts[0], parts[1], parts[2]});
    } else if (keyword.Is("<THRUSTERS>")) {
      ReadThrusters(context, stage);
    } else if (!ParseVectorTag(keyword, stage, context.diagnostics)) {
      context.diagnostics.Report("line not understood in <VESSEL>");
    }
  }
}

// "<x y z> <dx dy dz> THRUST PROPELLANT ISP ISPREF GROUP <LENGTH WIDTH>".
void VesselSection::ReadThrusters(ParseContext &context, StageConfiguration &stage) {
  char *line;
  SectionLines section(context, "</THRUSTERS>");
  while (section.Next(line)) {
    if (line == nullptr) continue;
    const LineDescription described(kThrusterGrammar, line, line, context.diagnostics);
    if (!described.Complete()) continue;
    ThrusterDef t;
    t.position = described.Vector(0);
    t.direction = described.Vector(1);
    t.maxThrust = described.Real(2);
    const char *propellant = described.Word(3);
    t.isp = described.Real(4);
    t.ispRef = described.Real(5);
    t.exhaustLength = described.Vector(7).x;
    t.exhaustWidth = described.Vector(7).y;
    CopyName(t.propellant, propellant, &context.diagnostics);
    thrusterPropellants.emplace_back(context.Line(), propellant);
    t.group = GroupIndex(described.Word(6));
    if (t.group == kNoGroup)
      context.diagnostics.Report(std::string("thruster group ") + described.Word(6) + " is not one of the host's groups");
    InsertAfterFirst(stage.thrusters, t);
  }
}

#include "config/VesselSection.h"

#include <cstdio>
#include <cstring>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"

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

bool ParseVectorTag(KeywordLine &keyword, StageConfiguration &stage) {
  for (const VectorTag &tag : kVectorTags) {
    if (!keyword.Is(tag.tag)) continue;
    ScanVector(keyword.rest, stage.*tag.member);
    return true;
  }
  return false;
}

// The number of a "<CONFIG n>" line; its tag is matched with its case, as
// the block has always been read.
bool StageNumber(const char *line, int &n) {
  static const char kTag[] = "<CONFIG";
  return std::strncmp(line, kTag, sizeof kTag - 1) == 0 && (Fields(line + sizeof kTag - 1) >> n).Count() == 1;
}

}  // namespace

void VesselSection::Read(FILE *file) {
  char *line;
  SectionLines section(file, "</VESSEL>");
  while (section.Next(line)) {
    if (MatchKeyword(line, "<ELEMENTS>")) {
      ReadElements(file);
    } else if (MatchKeyword(line, "<PROPELLANTS>")) {
      ReadPropellants(file);
    } else if (MatchKeyword(line, "<CONFIG")) {
      int n = -1;
      // A block for a number outside 0 to 9 is read and dropped.
      StageConfiguration discarded;
      const bool valid = StageNumber(line, n) && IsConfigurationNumber(n);
      ReadStageBlock(file, valid ? set.configurations[n] : discarded);
    } else if (line != nullptr) {
      ReportFinding("line not understood in <VESSEL>");
    }
  }
  for (VesselElement &element : set.elements) element.mesh = oapiLoadMeshGlobal(element.meshFile);
}

// An element is a header "<NAME> MESH MASS FIRST LAST", one offset line for
// each configuration from FIRST to LAST - 1, and one closing line. Every line
// after the header counts, blank or not, as the format fixes their number.
void VesselSection::ReadElements(FILE *file) {
  char *line;
  SectionLines section(file, "</ELEMENTS>");
  while (section.Next(line)) {
    if (line == nullptr || line[0] != '<') continue;
    VesselElement element;
    LineWord name, mesh;
    CheckWordCount(line, 5, "element");
    if ((Fields(line + 1) >> name >> mesh >> element.mass >> element.first >> element.last).Count() != 5) continue;
    ReportFileUse(nullptr, ConfigLineCount(), std::string("mesh Meshes/") + mesh + ".msh",
                  (std::string("Meshes\\") + mesh + ".msh").c_str());
    name[std::strlen(name) - 1] = '\0';  // the header's closing ">"
    CopyName(element.name, name);
    CopyName(element.meshFile, mesh);
    for (int64_t n = element.first; n < element.last; ++n) {
      const char *offsetLine = ReadConfigLine(file);
      if (offsetLine == nullptr && ConfigFileEnded(file)) break;
      Vec3 offset;
      if (IsConfigurationNumber(static_cast<int>(n)) && offsetLine != nullptr &&
          std::sscanf(offsetLine, "<%lf %lf %lf>", &offset.x, &offset.y, &offset.z) == 3)
        element.offsets[n] = offset;
    }
    ReadConfigLine(file);
    InsertAfterFirst(set.elements, element);
  }
}

void VesselSection::ReadPropellants(FILE *file) {
  char *line;
  SectionLines section(file, "</PROPELLANTS>");
  while (section.Next(line)) {
    PropellantDef tank;
    LineWord name;
    CheckWordCount(line, 4, "tank");
    if (line == nullptr || (Fields(line) >> name >> tank.capacity >> tank.first >> tank.last).Count() != 4) continue;
    CopyName(tank.name, name);
    InsertAfterFirst(set.propellants, tank);
  }
}

void VesselSection::ReadStageBlock(FILE *file, StageConfiguration &stage) {
  char *line;
  SectionLines section(file, "</CONFIG");
  while (section.Next(line)) {
    if (line == nullptr) continue;
    double size;
    KeywordLine keyword(line);
    if (keyword.Is("<SIZE>")) {
      if (std::sscanf(keyword.rest, "%lf", &size) == 1) stage.size = size;
    } else if (keyword.Is("<TOUCHDOWN>")) {
      ScanVectors(keyword.rest, stage.touchdown, 3);
    } else if (keyword.Is("<DOCK>")) {
      Vec3 parts[3];
      if (ScanVectors(keyword.rest, parts, 3)) InsertAfterFirst(stage.docks, DockDef{parts[0], parts[1], parts[2]});
    } else if (keyword.Is("<THRUSTERS>")) {
      ReadThrusters(file, stage);
    } else if (!ParseVectorTag(keyword, stage)) {
      ReportFinding("line not understood in <VESSEL>");
    }
  }
}

// "<x y z> <dx dy dz> THRUST PROPELLANT ISP ISPREF GROUP <LENGTH WIDTH>"; a
// line without its exhaust size gets a thruster without a visible plume.
void VesselSection::ReadThrusters(FILE *file, StageConfiguration &stage) {
  char *line;
  SectionLines section(file, "</THRUSTERS>");
  while (section.Next(line)) {
    if (line == nullptr) continue;
    ThrusterDef t;
    LineWord propellant, group;
    CheckWordCount(line, 11, "thruster");
    const int read = (Fields(line) >> t.position >> t.direction >> t.maxThrust >> propellant >> t.isp >> t.ispRef >>
                      group)
                         .Pair(t.exhaustLength, t.exhaustWidth)
                         .Count();
    if (read < 11) continue;
    if (read < 13) t.exhaustLength = t.exhaustWidth = 0.0;
    CopyName(t.propellant, propellant);
    t.group = GroupIndex(group);
    InsertAfterFirst(stage.thrusters, t);
  }
}

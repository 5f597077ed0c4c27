// `vesselsim check`: the module's own log, and the strict findings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "Vesselsim.h"

namespace {

Result Check(const std::string &arguments) { return Vesselsim("check " + arguments); }

const std::string kBroken = std::string("Broken --root ") + TEST_DATA_DIR + "/check";

}  // namespace

TEST(VesselsimCheck, PrintsTheModulesLogAndExitsOneForFindings) {
  const Result r = Check(kBroken);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "ERROR AT LINE: 20FIRST:OUT LATER:IN 02:Invalid component\n"
            "ERROR AT LINE: 27<DCBUS> BUS1 BUS2 02:Invalid component\n"
            "ERROR AT LINE: 29<DCBUS> LOOPED LOOPED 02:Invalid component\n"
            "ERROR AT LINE: 30<DCBUS> SHORT 03:Invalid number of parameters\n");
}

TEST(VesselsimCheck, StrictFindsWhatTheModulePassesOverWithTheirLines) {
  const Result r = Check(kBroken + " --strict");
  EXPECT_EQ(r.status, 1);
  for (const char *finding : {
           "config/broken.prd:4: bitmap Bitmaps\\missing.bmp not found",
           "Config/Broken.cfg:5: mesh Meshes/NoMesh.msh not found",
           "Config/Broken.cfg:10: propellant tank line has 2 of its 4 fields",
           "Config/Broken.cfg:13: line not understood in <VESSEL>",
           "Config/Broken.cfg:20: tank LATER is defined only later, at line 22",
           "Config/Broken.cfg:24: line not understood in <HYDRAULIC>",
           "Config/Broken.cfg:27: electric object BUS2 is defined only later, at line 28",
           "Config/Broken.cfg:30: dc bus line has 2 of its 3 fields",
           "Config/Broken.cfg:33: bitmap Bitmaps\\none.bmp not found",
           "Config/Broken.cfg:34: no instrument class for <NOSUCH>",
           "Config/Broken.cfg:36: the instrument (line 36) overlaps S1 (line 35)",
           "Config/Broken.cfg:39: section <KEYBOARD> has no </KEYBOARD> line",
       })
    EXPECT_NE(r.out.find(std::string(finding) + "\n"), std::string::npos) << finding << "\n" << r.out;
  // A bus fed by itself names what is defined only on its own line: not later.
  EXPECT_EQ(r.out.find("LOOPED is defined"), std::string::npos) << r.out;
  // Instruments side by side, edge to edge, do not overlap.
  EXPECT_EQ(r.out.find("overlaps BESIDE"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("BESIDE (line 37) overlaps S1"), std::string::npos) << r.out;
}

// Each silent mistake in tests/data/check/Config/Mistakes.cfg and its class
// file, once: one finding each, at its own line, and nothing else (the
// mistakes' consequences are no further findings); the log is the module's.
TEST(VesselsimCheck, StrictReportsEachSilentMistakeOnce) {
  // An element short of its offset lines swallows its block's closing line,
  // and the rest of the file is read out of step: one finding says so.
  const Result elements = Check(std::string("Elements --root ") + TEST_DATA_DIR + "/check --strict");
  EXPECT_EQ(
      elements.out,
      "Config/Elements.cfg:4: \"<0.3 abc 0.9>\" is not a vector <x y z>: the value before is kept and the rest of "
      "the line is not read\n"
      "Config/Elements.cfg:7: mesh Meshes/NoMesh.msh not found\n"
      "Config/Elements.cfg:7: element Body expects 2 offset lines, found 1\n");
  const Result r = Check(std::string("Mistakes --root ") + TEST_DATA_DIR + "/check --strict");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "ERROR AT LINE: 51<DIAL> 200 10 SHIP:CUSTOMINT3 DIAL 02:Invalid component\n"
            "config/mistakes.prd:4: keyword SHAPE is not one a class has\n"
            "config/mistakes.prd:9: SIZE after COLOR changes the lit colour (they share their numbers): put SIZE first\n"
            "config/mistakes.prd:11: tag \"<DIAL>   \" ends in blanks: a panel line must repeat them to use it\n"
            "Config/Mistakes.cfg:11: thruster group THGROUP_MIAN is not one of the host's groups\n"
            "Config/Mistakes.cfg:13: number \"big\" does not read: the value before is kept\n"
            "Config/Mistakes.cfg:15: \"<CONFIG> n\" is the <SEPARATION> form: a stage block of <VESSEL> is \"<CONFIG n>\"\n"
            "Config/Mistakes.cfg:10: thruster propellant FUEL names no tank\n"
            "Config/Mistakes.cfg:11: thruster propellant MAI matches tank MAIN only as a prefix\n"
            "Config/Mistakes.cfg:19: \"AVERYLONGTANKNAMEOFTHIRTYCHARS\" is longer than 27 characters: it is read as \"AVERYLONGTANKNAMEOFTHIRTYCH\"\n"
            "Config/Mistakes.cfg:20: substance 7 is not one of the five (0 oxygen, 1 hydrogen, 2 water, 3 nitrogen, 4 carbon dioxide)\n"
            "Config/Mistakes.cfg:26: line is longer than 254 characters: the rest is read as another line\n"
            "Config/Mistakes.cfg:29: key OAPI_KEY_QQ is not in the key table\n"
            "Config/Mistakes.cfg:30: action SEPERATION is not one the module knows (SEPARATION)\n"
            "Config/Mistakes.cfg:34: \"<CONFIG n>\" is the <VESSEL> form: a block of <SEPARATION> is \"<CONFIG> n\"\n"
            "Config/Mistakes.cfg:37: <DELETE> target \"KEPT   \" ends in blanks (a comment after it?): it deletes nothing\n"
            "Config/Mistakes.cfg:40: class file Config/Vessels/NoSuchClass.cfg not found\n"
            "Config/Mistakes.cfg:47: text line has no \"<\": its label is the line from its second character\n"
            "Config/Mistakes.cfg:48: two-position switch starts at 0, between its positions -1 and 1: its first press writes 2\n"
            "Config/Mistakes.cfg:49: two-position switch starts at 0, between its positions -1 and 1: its first press writes 2\n"
            "Config/Mistakes.cfg:50: reference SHIP:CUSTOMINT3 is an integer; this instrument takes a double\n"
            "Config/Mistakes.cfg:49: A (line 49) overlaps AB (line 48)\n"
            "Config/Mistakes.cfg:48: references to instrument AB find A, whose name begins it and which comes later\n"
            "Config/Mistakes.cfg:54: pipe LINK: kind PRG is none of PREG, BURST and PVALVE: it is built as a plain "
            "pipe\n"
            "Config/Mistakes.cfg:57: SYSTEMS_STEP 5 is in seconds: a port moves at most 5 mL a step, so flows run 250 "
            "times slower a second than at 0.02 s while crews breathe as fast (0.005 if milliseconds were meant)\n"
            "Config/Mistakes.cfg:39: object to delete LATER is defined only later, at line 44\n"
            "Config/Mistakes.cfg:31: separation to configuration 5 is not defined\n"
            "Config/Mistakes.cfg:38: object to delete NOTHING is not defined\n");
}

TEST(VesselsimCheck, TheExamplesAreClean) {
  for (const auto &[example, note] : {std::pair{"Kestrel --root kestrel", false},
                                      {"Capsule --root capsule", true},
                                      {"Stack --root stack", false},
                                      {"Steady --root steady", false}}) {
    const std::string arguments = std::string(example);
    const size_t root = arguments.find("--root ") + 7;
    const Result r = Check(arguments.substr(0, root) + EXAMPLES_DIR + "/" + arguments.substr(root) + " --strict");
    EXPECT_EQ(r.status, 0) << example << "\n" << r.out;
    // One line says what the check read; a plant that steps with the frames
    // is noted on a second.
    const std::string name = arguments.substr(0, arguments.find(' '));
    EXPECT_EQ(r.out.find(name + ".cfg: "), 0u) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), note ? 2 : 1) << r.out;
    EXPECT_NE(r.out.find(" configuration"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(": no findings\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(name + ".cfg: note: the systems step once a frame") != std::string::npos, note) << r.out;
  }
  EXPECT_EQ(Check(std::string("Capsule --root ") + EXAMPLES_DIR + "/capsule").out,
            "Capsule.cfg: 1 configuration, 1 propellant tank, 8 fluid tanks, 9 other fluid objects, 11 electric "
            "objects, 5 thrusters, 2 panels with 38 instruments: no findings\n");
  // A path to the file names the root too.
  EXPECT_EQ(Check(std::string(EXAMPLES_DIR) + "/kestrel/Config/Kestrel.cfg").status, 0);
}

// An element line's offset count may be any number: the findings follow the
// module's own reading, which never reaches past the file. Numbers beyond int
// read as the ends of its range, as the 32-bit host reads them on every
// platform, so the first element takes every later line as an offset line:
// one finding at the element, not the cascade its reading causes.
TEST(VesselsimCheck, StrictFindingsFollowTheModulesReading) {
  const std::string root = TempPath("root");
  std::filesystem::create_directories(root + "/Config");
  std::ofstream(root + "/Config/Counts.cfg") << "<VESSEL>\n<ELEMENTS>\n"
                                                "<Body> NoMesh 1000 -9223372036854775808 9223372036854775807\n"
                                                "</VESSEL>\n<VESSEL>\n<SIZ> 3\n</VESSEL>\n"
                                                "<VESSEL>\n<ELEMENTS>\n<Body> NoMesh 1000 0 99999999999999999999\n";
  const Result r = Check("Counts --root " + root + " --strict");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(r.out,
            "Config/Counts.cfg:3: mesh Meshes/NoMesh.msh not found\n"
            "Config/Counts.cfg:3: element Body expects 4294967295 offset lines, found 0\n");
}

TEST(VesselsimCheck, StrictNamesAMissingBallTextureAsWritten) {
  const std::string root = TempPath("root");
  std::filesystem::create_directories(root + "/Config");
  std::filesystem::create_directories(root + "/config");
  std::ofstream(root + "/Config/Ball.cfg") << "Panel: ball\n";
  std::ofstream(root + "/config/ball.prd") << "BALTEX Bitmaps\\noball.bmp\n";
  const Result r = Check("Ball --root " + root + " --strict");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("config/ball.prd:1: texture Bitmaps\\noball.bmp not found\n"), std::string::npos) << r.out;
}

TEST(VesselsimCheck, UnreadableInputIsAUsageError) {
  EXPECT_EQ(Check("NoSuchVessel --root " + std::string(EXAMPLES_DIR) + "/kestrel").status, 2);
  EXPECT_EQ(Check("/tmp/elsewhere/Vessel.cfg").status, 2);
  EXPECT_EQ(Check("").status, 2);
}

#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "../module/WorkingFolder.h"
#include "config/TextScan.h"

namespace {

// A configuration file with the given text, open for reading and counted.
class ConfigFile {
 public:
  explicit ConfigFile(const std::string &text) {
    file = std::tmpfile();
    std::fputs(text.c_str(), file);
    std::rewind(file);
    BeginConfigurationFile(file);
  }
  ~ConfigFile() {
    EndConfigurationFile();
    std::fclose(file);
  }
  std::string Next() {
    const char *line = ReadConfigLine(file);
    return line ? line : "<none>";
  }
  FILE *file;
};


}  // namespace

TEST(ReadConfigLine, SkipsLeadingBlanksCutsCommentsAndKeepsTrailingBlanks) {
  ConfigFile f("   <SIZE> 12  # the size\n\tMESH\tname\n");
  EXPECT_EQ(f.Next(), "<SIZE> 12  ");
  EXPECT_EQ(f.Next(), "MESH name");
  EXPECT_EQ(ConfigLineCount(), 2);
}

TEST(ReadConfigLine, BlankAndCommentLinesReadAsNoneButCount) {
  ConfigFile f("# only a comment\n    \n\nVALUE\n");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "VALUE");
  EXPECT_EQ(ConfigLineCount(), 4);
}

TEST(ReadConfigLine, HashInsideAWordStartsAComment) {
  ConfigFile f("TANK O2#main 12\n");
  EXPECT_EQ(f.Next(), "TANK O2");
}

TEST(ReadConfigLine, LastLineWithoutLineEndAndEveryReadAfterTheEnd) {
  ConfigFile f("FIRST\r\nLAST");
  EXPECT_EQ(f.Next(), "FIRST");
  EXPECT_EQ(f.Next(), "LAST");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(ConfigLineCount(), 2);
}

// 253 characters and the line end fill the buffer exactly; 254 leave the line
// end to be read on its own.
TEST(ReadConfigLine, LinesOf253And254CharactersAreOneLine) {
  for (const size_t length : {253, 254}) {
    const std::string line(length, 'x');
    ConfigFile f(line + "\nNEXT\n");
    EXPECT_EQ(f.Next(), line);
    EXPECT_EQ(f.Next(), "NEXT");
    EXPECT_EQ(ConfigLineCount(), 2) << length;
  }
}

// The tail of an over-long line arrives as a line of its own, which the log
// counts as one; the file's own line numbers (those of findings) do not.
TEST(ReadConfigLine, LongerLineArrivesIn254CharacterPieces) {
  WorkingFolder folder;
  OpenDebugLog();
  {
    ConfigFile f(std::string(254, 'a') + "REST\n");
    EXPECT_EQ(f.Next(), std::string(254, 'a'));
    EXPECT_EQ(f.Next(), "REST");
    ReportError(kInvalidComponent);
    EXPECT_EQ(ConfigLineCount(), 1);
  }
  CloseDebugLog();
  EXPECT_EQ(folder.Read("Varneldebug.txt"), "ERROR AT LINE: 2REST 02:Invalid component\n");
}

TEST(ReadConfigLine, NoFileReadsAsNone) { EXPECT_EQ(ReadConfigLine(nullptr), nullptr); }

TEST(ReadConfigLine, LinesOfOtherFilesAreNotCounted) {
  ConfigFile config("A\nB\n");
  config.Next();
  FILE *classFile = std::tmpfile();
  std::fputs("X\nY\n", classFile);
  std::rewind(classFile);
  EXPECT_STREQ(ReadConfigLine(classFile), "X");
  EXPECT_STREQ(ReadConfigLine(classFile), "Y");
  std::fclose(classFile);
  EXPECT_EQ(ConfigLineCount(), 1);
}

TEST(MatchKeyword, ComparesTheKeywordsLengthIgnoringCase) {
  EXPECT_TRUE(MatchKeyword("<size> 3", "<SIZE>"));
  EXPECT_TRUE(MatchKeyword("<CONFIG 2>", "<CONFIG"));
  EXPECT_TRUE(MatchKeyword("<VESSEL>trailing", "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword("<VESS", "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword(nullptr, "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword("PANELX", "<PANEL>"));
}

TEST(ReportError, WritesLineNumberWholeEditedLineAndMessage) {
  WorkingFolder folder;
  OpenDebugLog();
  {
    ConfigFile f("FIRST\n  SWITCH\tA SHIP:NOPE # why\n");
    f.Next();
    f.Next();
    ReportError(kInvalidComponent);
  }
  {
    // A second file restarts the count: its first line is line 1.
    ConfigFile f("LINE ONE\n");
    f.Next();
    ReportError(kInvalidParameterCount);
    ReportError(kObjectNameNotFound);
    ReportError(7);  // not a code: ignored
  }
  CloseDebugLog();
  EXPECT_EQ(folder.Read("Varneldebug.txt"),
            "ERROR AT LINE: 2  SWITCH A SHIP:NOPE  02:Invalid component\n"
            "ERROR AT LINE: 1LINE ONE 03:Invalid number of parameters\n"
            "ERROR AT LINE: 1LINE ONE 01:Object name not found\n");
}

TEST(ReportError, DoesNothingWhileNoLogIsOpen) {
  WorkingFolder folder;
  OpenDebugLog();
  CloseDebugLog();
  ReportError(kInvalidComponent);
  EXPECT_EQ(folder.Read("Varneldebug.txt"), "");
}

// The field scanner reads what the scanf format it stands for reads, field for
// field and value for value, on good and broken lines alike.
TEST(Fields, ReadWhatTheirScanfFormatReads) {
  for (const char *text : {"FC <1 2 3> 100 O2:OUT 7", "FC <1 2> 100 O2 7", "FC <1 2 3 > 100 X 7", "FC 1 2 3",
                           "  FC   <-1e3 .5 3>5 W 0x10", "", "FC <1 2 3> 1e999 W 010", "FC<1 2 3>7 W 1", "FC <a>"}) {
    LineWord a = "", b = "", c = "", d = "";
    Vec3 v(-1, -1, -1), w(-1, -1, -1);
    double x = -1, y = -1;
    int i = -1, j = -1;
    const int expected = std::sscanf(text, "%254s <%lf %lf %lf> %lf %254s %i", a, &v.x, &v.y, &v.z, &x, b, &i);
    const int read = (Fields(text) >> c >> w >> y >> d >> j).Count();
    EXPECT_EQ(read, std::max(expected, 0)) << text;
    EXPECT_STREQ(a, c) << text;
    EXPECT_STREQ(b, d) << text;
    EXPECT_EQ(std::memcmp(&v, &w, sizeof v), 0) << text;
    EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << text;
    EXPECT_EQ(i, j) << text;
  }
  // Beyond int, an integer reads as the nearest end of the range, as the
  // 32-bit host reads it, whatever this platform's scanf does.
  int low = 0, high = 0;
  EXPECT_EQ((Fields("-9223372036854775808 99999999999") >> low >> high).Count(), 2);
  EXPECT_EQ(low, std::numeric_limits<int>::min());
  EXPECT_EQ(high, std::numeric_limits<int>::max());
}

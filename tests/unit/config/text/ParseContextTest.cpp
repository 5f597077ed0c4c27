#include "config/text/ParseContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>

#include "../../module/WorkingFolder.h"
#include "config/text/Keywords.h"
#include "config/text/SourceText.h"
#include "config/text/TextScan.h"

namespace {

SourceText TextOf(const std::string &text) {
  FILE *file = std::tmpfile();
  std::fputs(text.c_str(), file);
  std::rewind(file);
  SourceText source(file);
  std::fclose(file);
  return source;
}

// A configuration file with the given text, read as a configuration file is,
// its log entries going to `log`.
class ConfigFile {
 public:
  explicit ConfigFile(const std::string &text, DebugLog *log = nullptr)
      : source(TextOf(text)), diagnostics(log, nullptr, nullptr), context(source, diagnostics) {}
  std::string Next() {
    const char *line = context.NextLine();
    return line ? line : "<none>";
  }
  SourceText source;
  Diagnostics diagnostics;
  ParseContext context;
};


}  // namespace

TEST(NextLine, SkipsLeadingBlanksCutsCommentsAndKeepsTrailingBlanks) {
  ConfigFile f("   <SIZE> 12  # the size\n\tMESH\tname\n");
  EXPECT_EQ(f.Next(), "<SIZE> 12  ");
  EXPECT_EQ(f.Next(), "MESH name");
  EXPECT_EQ(f.context.Line(), 2);
}

TEST(NextLine, BlankAndCommentLinesReadAsNoneButCount) {
  ConfigFile f("# only a comment\n    \n\nVALUE\n");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "VALUE");
  EXPECT_EQ(f.context.Line(), 4);
}

TEST(NextLine, HashInsideAWordStartsAComment) {
  ConfigFile f("TANK O2#main 12\n");
  EXPECT_EQ(f.Next(), "TANK O2");
}

TEST(NextLine, LastLineWithoutLineEndAndEveryReadAfterTheEnd) {
  ConfigFile f("FIRST\r\nLAST");
  EXPECT_EQ(f.Next(), "FIRST");
  EXPECT_EQ(f.Next(), "LAST");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.Next(), "<none>");
  EXPECT_EQ(f.context.Line(), 2);
}

// 253 characters and the line end fill the buffer exactly; 254 leave the line
// end to be read on its own.
TEST(NextLine, LinesOf253And254CharactersAreOneLine) {
  for (const size_t length : {253, 254}) {
    const std::string line(length, 'x');
    ConfigFile f(line + "\nNEXT\n");
    EXPECT_EQ(f.Next(), line);
    EXPECT_EQ(f.Next(), "NEXT");
    EXPECT_EQ(f.context.Line(), 2) << length;
  }
}

// The tail of an over-long line arrives as a line of its own, which the log
// counts as one; the file's own line numbers (those of findings) do not.
TEST(NextLine, LongerLineArrivesIn254CharacterPieces) {
  WorkingFolder folder;
  {
    DebugLog log(true);
    ConfigFile f(std::string(254, 'a') + "REST\n", &log);
    EXPECT_EQ(f.Next(), std::string(254, 'a'));
    EXPECT_EQ(f.Next(), "REST");
    f.diagnostics.LogError(kInvalidComponent);
    EXPECT_EQ(f.context.Line(), 1);
  }
  EXPECT_EQ(folder.Read("Varneldebug.txt"), "ERROR AT LINE: 2REST 02:Invalid component\n");
}

TEST(NextLine, NoFileReadsAsNone) {
  SourceText none(nullptr);
  Diagnostics quiet;
  ParseContext context(none, quiet);
  EXPECT_FALSE(none.Opened());
  EXPECT_TRUE(context.Ended());
  EXPECT_EQ(context.NextLine(), nullptr);
}

TEST(NextLine, LinesOfOtherFilesAreNotCounted) {
  ConfigFile config("A\nB\n");
  config.Next();
  SourceText classFile = TextOf("X\nY\n");
  EXPECT_STREQ(config.context.NextLine(classFile), "X");
  EXPECT_STREQ(config.context.NextLine(classFile), "Y");
  EXPECT_EQ(config.context.Line(), 1);
}

TEST(MatchKeyword, ComparesTheKeywordsLengthIgnoringCase) {
  EXPECT_TRUE(MatchKeyword("<size> 3", "<SIZE>"));
  EXPECT_TRUE(MatchKeyword("<CONFIG 2>", "<CONFIG"));
  EXPECT_TRUE(MatchKeyword("<VESSEL>trailing", "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword("<VESS", "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword(nullptr, "<VESSEL>"));
  EXPECT_FALSE(MatchKeyword("PANELX", "<PANEL>"));
}

TEST(LogError, WritesLineNumberWholeEditedLineAndMessage) {
  WorkingFolder folder;
  {
    DebugLog log(true);
    {
      ConfigFile f("FIRST\n  SWITCH\tA SHIP:NOPE # why\n", &log);
      f.Next();
      f.Next();
      f.diagnostics.LogError(kInvalidComponent);
    }
    // A second file restarts the count: its first line is line 1.
    ConfigFile f("LINE ONE\n", &log);
    f.Next();
    f.diagnostics.LogError(kInvalidParameterCount);
    f.diagnostics.LogError(kObjectNameNotFound);
    f.diagnostics.LogError(7);  // not a code: ignored
  }
  EXPECT_EQ(folder.Read("Varneldebug.txt"),
            "ERROR AT LINE: 2  SWITCH A SHIP:NOPE  02:Invalid component\n"
            "ERROR AT LINE: 1LINE ONE 03:Invalid number of parameters\n"
            "ERROR AT LINE: 1LINE ONE 01:Object name not found\n");
}

TEST(LogError, DoesNothingWithoutALog) {
  WorkingFolder folder;
  { DebugLog log(true); }
  ConfigFile f("LINE\n");
  f.Next();
  f.diagnostics.LogError(kInvalidComponent);
  EXPECT_EQ(folder.Read("Varneldebug.txt"), "");
}

// The field scanner reads what the scanf format it stands for reads, field for
// field and value for value, on good lines and on words where numbers belong.
TEST(Fields, ReadWhatTheirScanfFormatReads) {
  for (const char *text :
       {"FC <1 2 3> 100 O2:OUT 7", "FC 1 2 3", "  FC   <-1e3 .5 3>5 W 0x10", "", "FC <1 2 3> 1e999 W 010",
        "FC<1 2 3>7 W 1", "FC <a>", "FC <1 2 3> 1e W", "FC <1 2 3> 0x W"}) {
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
  for (const char *text : {"1e+ 5", "-0x 5", "0x1p 5", "1.5E3 5", "0x1A 5", "inf 5", "infin 5", "nanq 5", ".5 5",
                           "1x 5", "+.e1 5", "1e5x 5", "- 5", "1.e 5"}) {
    double expected[2] = {-1, -1}, read[2] = {-1, -1};
    const int scanned = std::sscanf(text, "%lf %lf", &expected[0], &expected[1]);
    EXPECT_EQ((Fields(text) >> read[0] >> read[1]).Count(), std::max(scanned, 0)) << text;
    EXPECT_EQ(std::memcmp(expected, read, sizeof read), 0) << text;
  }
  // Beyond int, an integer reads as the nearest end of the range, as the
  // 32-bit host reads it, whatever this platform's scanf does.
  int low = 0, high = 0;
  EXPECT_EQ((Fields("-9223372036854775808 99999999999") >> low >> high).Count(), 2);
  EXPECT_EQ(low, std::numeric_limits<int>::min());
  EXPECT_EQ(high, std::numeric_limits<int>::max());
}

// Every vector reads by one rule, wherever it stands: all its numbers or none
// (the value before kept, the line read no further), its ">" optional.
TEST(Fields, AVectorIsAllItsNumbersOrNone) {
  for (const auto &[text, count, kept] :
       {std::tuple{"<1 2> 7", 0, true}, {"<1 2 3 7", 4, false}, {" < 1 2 3 > 7", 4, false}, {"7 <1 2 3>", 0, true}}) {
    Vec3 v(-1, -1, -1);
    double after = -1;
    EXPECT_EQ((Fields(text) >> v >> after).Count(), count) << text;
    EXPECT_EQ(v.x == -1 && v.y == -1 && v.z == -1, kept) << text;
    Vec3 tag(-1, -1, -1);
    EXPECT_EQ(ScanVector(text, tag), !kept) << text;
    EXPECT_EQ(std::memcmp(&tag, &v, sizeof v), 0) << text;
  }
}

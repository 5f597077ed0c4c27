#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../module/WorkingFolder.h"

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

TEST(ReadConfigLine, LineOf254CharactersIsOneLine) {
  const std::string line(254, 'x');
  ConfigFile f(line + "\nNEXT\n");
  EXPECT_EQ(f.Next(), line);
  EXPECT_EQ(f.Next(), "NEXT");
  EXPECT_EQ(ConfigLineCount(), 2);
}

TEST(ReadConfigLine, LongerLineArrivesIn254CharacterPieces) {
  const std::string line = std::string(254, 'a') + "REST";
  ConfigFile f(line + "\n");
  EXPECT_EQ(f.Next(), std::string(254, 'a'));
  EXPECT_EQ(f.Next(), "REST");
  EXPECT_EQ(ConfigLineCount(), 2);
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

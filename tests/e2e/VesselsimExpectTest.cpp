// Promises in events files: each kind broken on purpose, as `vesselsim run`
// reports them (message, summary, exit status) and as `vesselsim test`
// reports a folder of vessel tests, in its lines and in JUnit XML read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Vesselsim.h"

namespace {

const std::string kMinimal = std::string(EXAMPLES_DIR) + "/minimal";

// The minimal vessel flies at 300 km and 7243 m/s.
const char kBroken[] = "# scenario: " EXAMPLES_DIR
                       "/minimal/Scenarios/Minimal.scn\n"
                       "# duration: 4\n"
                       "0 expect SHIP:ALTITUDE 299000 301000\n"
                       "1 expect SHIP:ALTITUDE 310000 320000\n"
                       "2 expect SHIP:AVEL = 7000 10\n"
                       "0..4 expect SHIP:ALTITUDE - 299999\n"
                       "3 expect int=SHIP:CUSTOMINT1 1 -\n";

std::string Written(const std::string &path, const std::string &text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << text;
  return path;
}

int Count(const std::string &text, const std::string &part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Whether `text` has a line that begins with `lead` and ends with `end`: the
// figures between them are the host's to the last bit.
bool HasLine(const std::string &text, const std::string &lead, const std::string &end) {
  for (size_t at = text.find(lead); at != std::string::npos; at = text.find(lead, at + 1)) {
    const size_t close = text.find('\n', at);
    const std::string line = text.substr(at, close == std::string::npos ? std::string::npos : close - at);
    if (line.size() >= lead.size() + end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0)
      return true;
  }
  return false;
}

}  // namespace

TEST(VesselsimExpect, ABrokenPromiseIsReportedAtItsLineAndFailsTheRun) {
  const std::string events = Written(TempPath("broken/broken.events"), kBroken);
  const Result r = Vesselsim("run --quiet --root " + kMinimal + " " + kMinimal + "/Scenarios/Minimal.scn --dt 0.5 " +
                                 "--duration 4 --events " + events,
                             false);
  EXPECT_EQ(r.status, 1) << r.out;
  // The file as the bench names it differs from platform to platform.
  EXPECT_TRUE(HasLine(r.out, "broken.events:4: SHIP:ALTITUDE was ", " at 1 s, expected between 310000 and 320000"))
      << r.out;
  EXPECT_TRUE(HasLine(r.out, "broken.events:5: SHIP:AVEL was 7243.", " at 2 s, expected 7000 within 10")) << r.out;
  // Over an interval: the first frame that broke it, and its worst value.
  EXPECT_TRUE(
      HasLine(r.out, "broken.events:6: SHIP:ALTITUDE was 300000 at 0 s, expected at most 299999; worst ", " at 4 s"))
      << r.out;
  EXPECT_NE(r.out.find("broken.events:7: SHIP:CUSTOMINT1 was 0 at 3 s, expected at least 1\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "5 expectations, 1 held, 4 broken\n");

  // What a run could never check is refused before it flies.
  for (const auto &[line, said] :
       {std::pair<std::string, std::string>{"1 expect SHIP:NOSUCH 0 1", "reference does not resolve"},
        {"5 expect SHIP:ALTITUDE 0 -", "it comes after the run's end"},
        {"2..6 expect SHIP:ALTITUDE 0 -", "it comes after the run's end"},
        {"5 key OAPI_KEY_J", "it comes after the run's end"},
        {"1 expect SHIP:ALTITUDE 2 1", "its low bound is above its high bound"},
        {"3..1 expect SHIP:ALTITUDE 0 1", "bad interval"},
        {"1..2 key OAPI_KEY_J", "only an expectation holds over an interval"}}) {
    const std::string refused = Written(TempPath("refused.events"), line + "\n");
    const Result e = Vesselsim("run --quiet --root " + kMinimal + " " + kMinimal + "/Scenarios/Minimal.scn " +
                               "--duration 4 --events " + refused);
    EXPECT_EQ(e.status, 2) << line;
    EXPECT_NE(e.out.find("refused.events:1: " + said), std::string::npos) << line << "\n" << e.out;
  }
}

TEST(VesselsimExpect, ATestFolderIsReportedFileByFileAndAsJUnit) {
  if (BenchIsWindows()) GTEST_SKIP() << "vesselsim test runs in the Linux build";
  const std::string folder = TempPath("suite");
  std::filesystem::remove_all(folder);
  Written(folder + "/a/broken.events", kBroken);
  Written(folder + "/b/held.events", "# scenario: " + kMinimal +
                                         "/Scenarios/Minimal.scn\n# dt: 0.1\n"
                                         "0..2 expect SHIP:ALTITUDE 299000 301000\n");
  Written(folder + "/c/unflown.events", "# scenario: " + kMinimal +
                                            "/Scenarios/Minimal.scn\n"
                                            "1 expect SHIP:NOSUCH 0 1\n");
  Written(folder + "/d/plain.events", "1 key OAPI_KEY_J\n");  // no header: not a test
  const std::string junit = folder + "/report.xml";
  const Result r = Vesselsim("test " + folder + " --junit " + junit, false);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(r.out.find("FAILED " + folder + "/a/broken.events: 4 of 5 expectations broken ("), 0u) << r.out;
  EXPECT_NE(r.out.find(" s)\n  " + folder + "/a/broken.events:4: SHIP:ALTITUDE was "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nok     " + folder + "/b/held.events: 1 expectation held ("), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nERROR  " + folder + "/c/unflown.events: " + folder +
                       "/c/unflown.events:2: reference does not resolve: SHIP:NOSUCH"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("plain.events"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n3 events files, 6 expectations, 2 held, 4 broken, 1 not flown\n"), std::string::npos)
      << r.out;

  const std::string xml = ReadFile(junit);
  EXPECT_EQ(xml.rfind("<?xml", 0), 0u);
  EXPECT_EQ(Count(xml, "<testsuite "), 3);
  EXPECT_EQ(Count(xml, "<testcase "), 7);
  EXPECT_EQ(Count(xml, "<failure "), 4);
  EXPECT_EQ(Count(xml, "<error "), 1);
  EXPECT_NE(xml.find("<testsuites name=\"vesselsim test\" tests=\"7\" failures=\"4\" errors=\"1\""), std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<testsuite name=\"" + folder + "/a/broken.events\" tests=\"5\" failures=\"4\" errors=\"0\""),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("name=\"5: 2 expect SHIP:AVEL = 7000 10\"><failure message=\"" + folder +
                     "/a/broken.events:5: SHIP:AVEL was 7243."),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("name=\"3: 0..2 expect SHIP:ALTITUDE 299000 301000\"/>"), std::string::npos) << xml;
}

// The configuration snippets of docs/configuration.md read as the module
// reads them: put together into one configuration in a copy of the Kestrel's
// root (whose instrument classes the panel snippet uses), `check --strict`
// finds no mistake of form in them. References to objects the snippets do
// not define, and files they do not ship, are no mistake of form.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Vesselsim.h"

namespace {

std::vector<std::string> FencedBlocks(const std::string &markdown) {
  std::vector<std::string> blocks;
  std::istringstream lines(markdown);
  std::string line, block;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (line.rfind("```", 0) == 0) {
      if (inside) blocks.push_back(block);
      inside = !inside;
      block.clear();
    } else if (inside) {
      block += line + "\n";
    }
  }
  return blocks;
}

bool StartsWithAny(const std::string &text, std::initializer_list<const char *> tags) {
  for (const char *tag : tags)
    if (text.rfind(tag, 0) == 0) return true;
  return false;
}

// A snippet from inside a section gets the section around it; a class file
// snippet goes to the class file; schematics and scenario blocks are no
// configuration.
void Place(const std::string &block, std::string &configuration, std::string &classes) {
  if (block.find("> ... </") != std::string::npos || block.find("<SOURCE>") != std::string::npos) return;
  if (block.find("\nCLASS ") != std::string::npos) {
    classes += block;
  } else if (StartsWithAny(block, {"<ELEMENTS>", "<PROPELLANTS>", "<CONFIG "})) {
    configuration += "<VESSEL>\n" + block + "</VESSEL>\n";
  } else if (StartsWithAny(block, {"<TANK>", "<PIPE>", "<VENT>", "<RADIATOR>", "<CREW>"})) {
    configuration += "<HYDRAULIC>\n" + block + "</HYDRAULIC>\n";
  } else if (StartsWithAny(block, {"<FCELL>", "<BATTERY>", "<DCBUS>", "<ACBUS>", "<SOCKET>", "<COOLING>"})) {
    configuration += "<ELECTRIC>\n" + block + "</ELECTRIC>\n";
  } else if (block.rfind("<", 0) == 0 || block.rfind("SYSTEMS_STEP", 0) == 0) {
    configuration += block;
  }
}

}  // namespace

TEST(DocsSnippets, EveryConfigurationSnippetReadsWithoutAMistakeOfForm) {
  std::string configuration = "Panel: kestrel\nPanel: docs\n", classes;
  for (const std::string &block : FencedBlocks(ReadFile(std::string(EXAMPLES_DIR) + "/../docs/configuration.md")))
    Place(block, configuration, classes);
  ASSERT_NE(classes, "");
  const std::string root = TempPath("root");
  ASSERT_EQ(std::system(("rm -rf " + root + " && cp -r " + EXAMPLES_DIR + "/kestrel " + root).c_str()), 0);
  std::ofstream(root + "/Config/Docs.cfg") << configuration;
  std::ofstream(root + "/config/docs.prd") << classes;
  const Result r = Vesselsim("check Docs --root " + root + " --strict");
  for (const char *mistake : {"not understood", " fields", "has no ", "no instrument class", "outside every section",
                              "03:Invalid number of parameters", "ends in blanks"})
    EXPECT_EQ(r.out.find(mistake), std::string::npos) << mistake << "\n" << configuration << r.out;
}

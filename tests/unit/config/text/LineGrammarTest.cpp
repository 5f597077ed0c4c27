#include "config/text/LineGrammar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/text/Diagnostics.h"

namespace {

void Collect(void *context, const char *, int, const char *message, const char *) {
  static_cast<std::vector<std::string> *>(context)->push_back(message);
}

constexpr FieldDeclaration kPumpFields[] = {{"name", FieldType::kWord},
                                            {"stage", FieldType::kInt, false, 1, 3, "is no stage"},
                                            {"position", FieldType::kVector},
                                            {"head", FieldType::kReal, true, 0, 1e6, "is no head"}};
constexpr LineGrammar kPump("pump", kPumpFields);

struct Described {
  explicit Described(const char *text) : diagnostics(nullptr, Collect, &findings) {
    diagnostics.AtLine(text, 7, 7, false);
    description.emplace_back(kPump, text, text + 6, diagnostics);
  }
  const LineDescription &operator*() const { return description.front(); }
  std::vector<std::string> findings;
  Diagnostics diagnostics;
  std::vector<LineDescription> description;
};

}  // namespace

// One declaration reads the line, says whether it is whole, counts the words
// a whole line has and names the field whose number is out of its range.
TEST(LineGrammar, OneDeclarationReadsCountsAndChecksALine) {
  EXPECT_EQ(kPump.RequiredWords(), 6u);
  const Described whole("<PUMP> P1 2 <1 2 3> 5.5");
  EXPECT_TRUE((*whole).Complete());
  EXPECT_EQ((*whole).Read(), 6);
  EXPECT_STREQ((*whole).Name(), "P1");
  EXPECT_EQ((*whole).Int(1), 2);
  EXPECT_EQ((*whole).Vector(2).z, 3);
  EXPECT_EQ((*whole).Real(3), 5.5);
  EXPECT_TRUE(whole.findings.empty());

  // The optional head may be left out; a short line is not whole, and what it
  // did give that lies out of range is said, by field.
  const Described noHead("<PUMP> P2 9 <1 2 3>");
  EXPECT_TRUE((*noHead).Complete());
  EXPECT_FALSE((*noHead).Given(3));
  EXPECT_EQ(noHead.findings, std::vector<std::string>{"pump P2 at stage 9 is no stage"});
  const Described shortLine("<PUMP> P3 -1");
  EXPECT_FALSE((*shortLine).Complete());
  EXPECT_EQ(shortLine.findings,
            (std::vector<std::string>{"pump line has 3 of its 6 fields", "pump P3 at stage -1 is no stage"}));

  // A number that does not read is not checked against its range: the value
  // it leaves is none the line gave.
  const Described badStage("<PUMP> P4 x <1 2 3> -2");
  EXPECT_FALSE((*badStage).Given(1));
  EXPECT_EQ(badStage.findings, std::vector<std::string>{"number \"x\" does not read: the value before is kept"});
  const Described badHead("<PUMP> P5 1 <1 2 3> -2");
  EXPECT_EQ(badHead.findings, std::vector<std::string>{"pump P5 at head -2 is no head"});
}

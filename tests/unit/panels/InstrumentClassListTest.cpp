#include "panels/InstrumentClassList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../module/ConfigFixture.h"
#include "config/text/ParseContext.h"
#include "panels/instruments/AdiInstrument.h"
#include "panels/instruments/RotationalInstrument.h"
#include "panels/instruments/SelectInstrument.h"

namespace {

class InstrumentClasses : public ConfigFixture {
 protected:
  void WriteClassFile(const std::string &name, const std::string &text) {
    std::filesystem::create_directory("config");
    std::ofstream("config/" + name + ".prd") << text;
  }
  const InstrumentClassList &Classes() { return vessel->systems.deck.Classes(); }
  // Reads "config/NAME.prd" as a configuration's "Panel" line does.
  void LoadClassFile(const char *name) {
    SourceText none(nullptr);
    Diagnostics quiet;
    ParseContext context(none, quiet);
    vessel->systems.deck.LoadClassFile(context, name);
  }
  const DrawingResources *Resources() { return vessel->systems.deck.Resources(); }
};

}  // namespace

TEST_F(InstrumentClasses, TagsArePrefixesAndTheLaterDefinitionWins) {
  WriteClassFile("a", "<SW>\nCLASS SWITCH\nSIZE 10 20\n</SW>\nstray text\n<SW2>\nclass cswitch\nsize 30 40\n</SW2>\n"
                      "<SW>\nCLASS SWITCH\nSIZE 11 21\n</SW>\n");
  LoadClassFile("a");
  ASSERT_EQ(Classes().Classes().size(), 3u);
  const InstrumentClass *sw2 = Classes().FindClass("<SW2> 1 2 3");
  ASSERT_NE(sw2, nullptr);
  EXPECT_STREQ(sw2->kind, "cswitch");
  EXPECT_EQ(sw2->I[1], 40);
  const InstrumentClass *sw = Classes().FindClass("<sw> 1 2 3");
  ASSERT_NE(sw, nullptr);
  EXPECT_EQ(sw->I[0], 11);
  EXPECT_EQ(Classes().FindClass("<S> 1"), nullptr);
  EXPECT_EQ(Classes().FindClass(nullptr), nullptr);
  EXPECT_FALSE(Resources());  // nothing needed a resource yet
}

TEST_F(InstrumentClasses, KeywordsShareSlotsAndButtonSizeIsNotButtons) {
  WriteClassFile("b", "<MFD>\nCLASS MFD\nBUTTONSIZE 18 40\nBUTTONS 6 6\nBORDER 30 10\nSIZE 200 200\n"
                      "BUTTONCOL 255 128 0\n</MFD>\n<TXT>\nSIZE 5 6\nCOLOR 255 0 0\nNOCOL 0 255 0\nFONT Arial 14\n"
                      "BLINK 3\nROTATE 45\nLIGHT 1 2 3\nBALTEX  Textures\\ball.bmp\n</TXT>\n");
  LoadClassFile("b");
  const InstrumentClass *mfd = Classes().FindClass("<MFD>");
  EXPECT_EQ(mfd->I[6], 18);
  EXPECT_EQ(mfd->I[7], 40);
  EXPECT_EQ(mfd->I[4], 6);
  EXPECT_EQ(mfd->I[2], 30);
  EXPECT_EQ(mfd->D[1], 128.0);
  const InstrumentClass *text = Classes().FindClass("<TXT>");
  // COLOR after SIZE overwrites the size; the pen keeps the colour.
  EXPECT_EQ(text->I[0], 255);
  EXPECT_EQ(text->I[4], 255);
  EXPECT_EQ(text->resource1, 1);
  EXPECT_EQ(text->resource2, 2);
  EXPECT_EQ(text->font, 1);
  EXPECT_EQ(text->D[0], 3.0);  // BLINK after FONT
  EXPECT_EQ(text->D[1], 1.0);
  EXPECT_EQ(text->D[4], 45.0);
  EXPECT_STREQ(text->ballTexture, "  Textures\\ball.bmp");
  ASSERT_TRUE(Resources());
  EXPECT_EQ(Resources()->penCount, 2);
  EXPECT_EQ(Resources()->fontCount, 1);
}

TEST_F(InstrumentClasses, MissingBitmapsAdvanceTheCountButGiveNoIndex) {
  WriteClassFile("c", "<A>\nBITMAP Bitmaps\\nothing.bmp\nMASK1 nothing.bmp\nMASK2 nothing.bmp\n</A>\n");
  LoadClassFile("c");
  const InstrumentClass *a = Classes().FindClass("<A>");
  EXPECT_EQ(a->bitmap, 0);
  EXPECT_EQ(a->resource1, 0);
  EXPECT_EQ(a->resource2, 0);
  EXPECT_EQ(Resources()->surfaceCount, 3);
}

TEST_F(InstrumentClasses, TablesNeverOverflowAndUnfinishedFilesEnd) {
  std::string text = "<MANY>\n";
  for (int i = 0; i < 60; ++i) text += "BITMAP none.bmp\nCOLOR 1 2 3\nFONT Arial 10\n";
  text += "</MANY>\n<OPEN>\nCLASS TEXT\nSIZE 1 2\n";
  WriteClassFile("d", text);
  LoadClassFile("d");
  EXPECT_EQ(Resources()->surfaceCount, kMaxSurfaces - 1);
  EXPECT_EQ(Resources()->penCount, kMaxPens - 1);
  EXPECT_EQ(Resources()->fontCount, kMaxFonts - 1);
  EXPECT_EQ(Classes().FindClass("<MANY>")->resource1, 0);
  ASSERT_NE(Classes().FindClass("<OPEN>"), nullptr);
  EXPECT_EQ(Classes().FindClass("<OPEN>")->I[1], 2);
  LoadClassFile("no_such_file");
}

TEST_F(InstrumentClasses, LongTagsAreCutToTheirField) {
  WriteClassFile("e", "<" + std::string(60, 'T') + ">\nCLASS X\n</X>\n<PAD>   \nCLASS Y\n</PAD>\n");
  LoadClassFile("e");
  EXPECT_EQ(std::string(Classes().Classes()[1]->tag), "<" + std::string(23, 'T'));
  // Trailing blanks are part of the tag.
  EXPECT_EQ(Classes().FindClass("<PAD> 1 2"), nullptr);
  EXPECT_NE(Classes().FindClass("<PAD>   1 2"), nullptr);
}

// Each keyword reaches the field of the look it names, whatever slot it shares.
TEST_F(InstrumentClasses, KeywordsReachTheirLooks) {
  WriteClassFile("c", "<ROT>\nCLASS ROTATIONAL\nMAX 100 135\nMIN 5 -135\nCENTER 50 60\nNEEDLE 6 40\n</ROT>\n"
                      "<SEL>\nCLASS SELECT\nMAX 3 0\nMIN 1 0\n</SEL>\n"
                      "<ADI>\nCLASS ADI\nZOOM 30\nAMBIENT 150 100 50\nLGHTCOL 255 230 180\n</ADI>\n");
  LoadClassFile("c");
  const RotationalLook gauge = RotationalLook::Of(*Classes().FindClass("<ROT>"));
  EXPECT_EQ(std::vector<double>({gauge.maxValue, gauge.maxDegrees, gauge.minValue, gauge.minDegrees}),
            std::vector<double>({100, 135, 5, -135}));
  EXPECT_EQ(std::vector<int>({gauge.pivotX, gauge.pivotY, gauge.needleWidth, gauge.needleLength}),
            std::vector<int>({50, 60, 6, 40}));
  const SelectLook knob = SelectLook::Of(*Classes().FindClass("<SEL>"));
  EXPECT_EQ(knob.highestPosition, 3);
  EXPECT_EQ(knob.lowestPosition, 1);
  const AdiLook ball = AdiLook::Of(*Classes().FindClass("<ADI>"));
  EXPECT_EQ(ball.eyeDistance, -30.0f);  // the eye looks from -y
  EXPECT_EQ(std::vector<float>(ball.unlitLight, ball.unlitLight + 3),
            std::vector<float>({150 / 255.0f, 100 / 255.0f, 50 / 255.0f}));
  EXPECT_EQ(std::vector<float>(ball.litLight, ball.litLight + 3),
            std::vector<float>({1.0f, 230 / 255.0f, 180 / 255.0f}));
}

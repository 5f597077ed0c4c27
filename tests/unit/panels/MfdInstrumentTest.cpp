// The panel MFD's label layout and what its clicks ask of the host's MFD.
#include "panels/instruments/MfdInstrument.h"

#include <gtest/gtest.h>

#include "../module/ConfigFixture.h"

namespace {

class PanelMfd : public ConfigFixture {
 protected:
  PanelMfd() : panel(nullptr, 0, "P"), mfd(panel.number, 0, 0, 0) {
    MfdLook look;
    look.screenWidth = look.screenHeight = 200;
    look.borderX = 30;
    look.borderY = 20;
    look.buttonsLeft = look.buttonsRight = 6;
    look.buttonOffset = 40;
    look.buttonSpacing = 38;
    mfd.Place(look);
    sim.panels.mfds().onModeChange = [this](int number, int mode) { changes.push_back({number, mode}); };
  }
  host::MfdHost::Page CurrentPage() const { return sim.panels.mfds().page(0); }

  Panel panel;
  MfdInstrument mfd;
  std::vector<std::pair<int, int>> changes;
};

}  // namespace

TEST_F(PanelMfd, TheScreenSitsInsideTheBordersAndItsNameIsMfd) {
  EXPECT_STREQ(mfd.name, "MFD");
  EXPECT_EQ(mfd.MfdNumber(), 0);
  EXPECT_EQ(mfd.layout.pos.left, 30);
  EXPECT_EQ(mfd.layout.pos.top, 20);
  EXPECT_EQ(mfd.layout.pos.bottom, 220);
}

TEST_F(PanelMfd, LabelsStandBesideTheirButtons) {
  EXPECT_EQ(mfd.LabelPosition(2).x, 15);
  EXPECT_EQ(mfd.LabelPosition(2).y, 2 * 38 + 40);
  // Right column rows count from index 6.
  EXPECT_EQ(mfd.LabelPosition(7).x, 245);
  EXPECT_EQ(mfd.LabelPosition(7).y, 38 + 40);
  mfd.layout.nbt_left = 5;
  EXPECT_EQ(mfd.LabelPosition(5).y, -38 + 40);
}

TEST_F(PanelMfd, ClicksPressButtonsAndTheStripBelowControlsTheDisplay) {
  using Page = host::MfdHost::Page;
  EXPECT_EQ(CurrentPage(), Page::Orbit);
  mfd.LeftPress(235, 30);  // row 0 of the right column: button 6, no mode there
  EXPECT_EQ(CurrentPage(), Page::Orbit);
  EXPECT_TRUE(changes.empty());
  mfd.LeftPress(130, 250);  // middle of the strip: the mode-select key
  EXPECT_EQ(CurrentPage(), Page::Select);
  mfd.LeftPress(10, 120);  // left button 2: the third mode of the list
  EXPECT_EQ(CurrentPage(), Page::Vessel);
  const size_t before = changes.size();
  mfd.LeftPress(220, 250);  // right of the strip: next mode
  EXPECT_EQ(changes.size(), before + 1);
  mfd.LeftPress(100, 100);  // on the screen: nothing
  mfd.LeftPress(130, 220);  // its last row, above the strip: nothing
  EXPECT_EQ(changes.size(), before + 1);
  mfd.LeftPress(40, 250);  // left of the strip: power
  EXPECT_FALSE(sim.panels.mfds().powered(0));
}

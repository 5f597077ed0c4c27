#include "panels/Panel.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>

#include "../module/ConfigFixture.h"
#include "ScenarioFile.h"
#include "config/text/Keywords.h"
#include "panels/instruments/DigitInstrument.h"
#include "panels/instruments/LinearInstrument.h"
#include "panels/instruments/RotationalInstrument.h"
#include "panels/instruments/SelectInstrument.h"
#include "panels/instruments/SwitchInstrument.h"
#include "panels/instruments/TbInstrument.h"
#include "panels/instruments/TextInstrument.h"

namespace {

const char *kClasses =
    "<SW>\nCLASS SWITCH\nSIZE 30 40\n</SW>\n<CSW>\nCLASS CSWITCH\nSIZE 30 40\n</CSW>\n"
    "<ROT>\nCLASS ROTATIONAL\nSIZE 100 100\nMAX 100 135\nMIN 0 -135\nCENTER 50 50\nNEEDLE 6 40\n</ROT>\n"
    "<LBL>\nCLASS TEXT\n</LBL>\n<LIN>\nCLASS LINEAR\nSIZE 40 160\nMAX 4 3\nMIN 4 141\nNEEDLE 10 14\n</LIN>\n"
    "<TB>\nCLASS TB\nSIZE 40 24\nBLINK 2\n</TB>\n<SEL>\nCLASS SELECT\nSIZE 40 40\nMAX 3 0\nMIN 0 0\n</SEL>\n"
    "<DIG>\nCLASS DIGIT\nSIZE 16 24\n</DIG>\n<ODD>\nCLASS NOSUCHKIND\n</ODD>\n";

class Panels : public ConfigFixture {
 protected:
  Panels() {
    std::filesystem::create_directory("config");
    std::ofstream("config/test.prd") << kClasses;
  }

  void LoadPanels(const std::string &sections) { Load("Panel: test\n" + sections); }
  Panel &PanelNumber(int n) { return *vessel->systems.deck.PanelAt(n); }
  template <typename T>
  T *Named(int panel, const char *name) {
    return dynamic_cast<T *>(PanelNumber(panel).FindInstrument(name));
  }
};

}  // namespace

TEST_F(Panels, AreaIdsRunFromTheLastInstrumentToTheFirst) {
  LoadPanels("<PANEL> MAIN\n<SW> 10 20 2 0 SHIP:CUSTOMINT1 P\n<ODD> 1 2\n<UNKNOWN> 1 2\n"
             "<SW> 10 20 2 0 SHIP:CUSTOMINT2 Q\n<SW> 10 20 2 0 SHIP:CUSTOMINT3 R\n</PANEL>\n");
  Panel &panel = PanelNumber(0);
  ASSERT_EQ(panel.instruments.size(), 3u);
  EXPECT_STREQ(panel.InstrumentAt(0)->name, "R");
  EXPECT_STREQ(panel.InstrumentAt(2)->name, "P");
  EXPECT_EQ(panel.InstrumentAt(3), nullptr);
  EXPECT_EQ(vessel->systems.deck.Count(), 1);
  EXPECT_FALSE(vessel->systems.deck.Load(1));
  EXPECT_FALSE(vessel->systems.deck.Load(-1));
  EXPECT_TRUE(vessel->systems.deck.Load(0));
  EXPECT_EQ(panel.InstrumentAt(0)->areaId, 0);
  EXPECT_EQ(panel.InstrumentAt(2)->areaId, 2);
}

// Each kind's area where its line puts it and its class sizes it, with the
// host's redraw mode, mouse mask and surface mode, as the host registers them.
TEST_F(Panels, EachKindRegistersItsArea) {
  LoadPanels("<PANEL> P\n<SW> 10 20 2 0 SHIP:CUSTOMINT1 S\n<SEL> 100 20 0 K\n<ROT> 200 20 SHIP:ALTITUDE G\n"
             "<LIN> 320 20 0 10 1 0 SHIP:ALTITUDE L\n<TB> 400 20 SHIP:ALTITUDE ZERO T\n"
             "<DIG> 500 20 3 SHIP:ALTITUDE D\n<LBL> 600 20 0 0 <HELLO>\n</PANEL>\n");
  struct Shown : host::PanelClient {
    VesselSystems &systems;
    explicit Shown(VesselSystems &s) : systems(s) {}
    bool loadPanel(int id) override { return systems.deck.Load(id); }
    bool redrawEvent(int, int, SURFHANDLE) override { return false; }
    bool mouseEvent(int, int, int, int) override { return false; }
  };
  ASSERT_TRUE(sim.panels.showPanel(std::make_unique<Shown>(vessel->systems), 0));
  std::vector<std::vector<long>> registered;
  for (const host::PanelArea &a : sim.panels.areas())
    registered.push_back({a.rect.left, a.rect.top, a.rect.right, a.rect.bottom, a.drawEvent, a.mouseEvent, a.bkmode});
  const std::vector<std::vector<long>> expected = {
      {580, 20, 620, 20, 4, 0, 1},      // the label, centred on x, as tall as its font
      {500, 20, 548, 44, 1, 0, 2},      // three digits of 16
      {400, 20, 440, 44, 1, 0, 2},      // the talkback
      {320, 20, 361, 181, 1, 0, 2},     // the linear scale, one pixel more each way
      {200, 20, 301, 121, 1, 0, 1},     // the needle gauge, likewise
      {100, 20, 140, 60, 2, 0x0F, 2},   // the selector
      {10, 20, 41, 61, 2, 0x0F, 1}};    // the switch
  EXPECT_EQ(registered, expected);
}

TEST_F(Panels, PanelLinesSetTheirFieldsAndOthersKeepTheDefaults) {
  LoadPanels("<PANEL> MAIN\nSIZE 800 400\nBITMAP Bitmaps\\back.bmp\nNEIGHBOURS 1 -1 2 -1\nTRANSPARENT 255 0 255\n"
             "</PANEL>\n<PANEL> SECOND\n</PANEL>\n");
  Panel &main = PanelNumber(0);
  EXPECT_EQ(main.width, 800);
  EXPECT_STREQ(main.backgroundFile, "Bitmaps\\back.bmp");
  EXPECT_EQ(main.neighbours[2], 2);
  EXPECT_EQ(main.colourKey, 255 * 65536.0 + 255);
  Panel &second = PanelNumber(1);
  EXPECT_EQ(second.number, 1);
  EXPECT_EQ(second.neighbours[0], -1);
  EXPECT_EQ(static_cast<DWORD>(static_cast<int64_t>(second.colourKey)), 0xFFFFFFFFu);
}

TEST_F(Panels, SwitchesStepAndSpringBack) {
  LoadPanels("<PANEL> MAIN\n<SW> 100 200 2 1 SHIP:CUSTOMINT1 SW1\n<SW> 0 0 3 1 SHIP:CUSTOMINT2 SW3\n"
             "<SW> 0 0 3 0 NOWHERE:X LOOSE\n</PANEL>\n");
  auto *two = Named<SwitchInstrument>(0, "SW1");
  int32_t *customInt = vessel->shipVariables.customInt;
  EXPECT_EQ(two->x, 100);
  EXPECT_EQ(two->momentary, 0);  // fewer than three positions
  EXPECT_EQ(two->state, 0);      // the bound variable's value
  two->state = -1;
  two->LeftPress(0, 0);
  EXPECT_EQ(two->state, 1);
  EXPECT_EQ(customInt[0], 1);
  two->LeftPress(0, 0);
  EXPECT_EQ(two->state, 1);
  two->RightPress(0, 0);
  EXPECT_EQ(customInt[0], -1);
  auto *three = Named<SwitchInstrument>(0, "SW3");
  three->RightPress(0, 0);
  EXPECT_EQ(customInt[1], -1);
  three->ButtonUp();
  EXPECT_EQ(customInt[1], 0);
  three->LeftPress(0, 0);
  EXPECT_EQ(customInt[1], 1);
  auto *loose = Named<SwitchInstrument>(0, "LOOSE");
  EXPECT_EQ(loose->state, -1);
  loose->LeftPress(0, 0);
  EXPECT_EQ(loose->state, 0);
  EXPECT_EQ(loose->ResolveVariable("SRC").address, &loose->state);
  EXPECT_EQ(loose->ResolveVariable("SRCPX").address, &loose->variable);
  EXPECT_EQ(loose->ResolveVariable("SOURCE").address, nullptr);
}

// A switch's position count is two or three, and a bound variable holding any
// number draws as the nearest end of the switch.
TEST_F(Panels, SwitchesOutsideTheirRangeStayDrawable) {
  vessel->shipVariables.customInt[0] = -1500000000;
  LoadPanels("<PANEL> MAIN\n<SW> 0 0 -2147483647 0 SHIP:CUSTOMINT1 WILD\n<SW> 0 0 9 0 SHIP:CUSTOMINT2 MANY\n</PANEL>\n");
  auto *wild = Named<SwitchInstrument>(0, "WILD");
  auto *many = Named<SwitchInstrument>(0, "MANY");
  ASSERT_TRUE(wild != nullptr && many != nullptr);
  EXPECT_EQ(wild->positions, 2);
  EXPECT_EQ(many->positions, 3);
  wild->Redraw({});
  wild->LeftPress(0, 0);
  EXPECT_EQ(wild->state, -1500000000 + 2);
}

TEST_F(Panels, LightingSwitchesSetTheLevelsOnEveryPress) {
  LoadPanels("<PANEL> MAIN\n<CSW> 0 0 2 0 1 MAIN:LIGHT\n<CSW> 0 0 2 0 1 MAIN:TEXTLIGHT\n</PANEL>\n");
  Panel &panel = PanelNumber(0);
  auto *light = dynamic_cast<CSwitchInstrument *>(panel.InstrumentAt(1));
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(light->state, -1);
  panel.MouseEvent(1, PANEL_MOUSE_LBDOWN, 0, 0);
  EXPECT_EQ(panel.light, 1);
  EXPECT_EQ(panel.lightingLevel, 1);
  EXPECT_EQ(panel.textLightingLevel, 0);
  panel.MouseEvent(0, PANEL_MOUSE_LBDOWN, 0, 0);
  EXPECT_EQ(panel.textLightingLevel, 1);
  panel.light = -1;  // changed behind the switch's back: the next press applies again
  panel.MouseEvent(1, PANEL_MOUSE_LBDOWN, 0, 0);
  EXPECT_EQ(panel.lightingLevel, 0);
  panel.MouseEvent(1, PANEL_MOUSE_RBDOWN, 0, 0);
  EXPECT_EQ(panel.light, -1);
  EXPECT_EQ(Log(), "");
}

TEST_F(Panels, KeySwitchesPressTheirKey) {
  LoadPanels("<SEPARATION>\n<CONFIG> 2\n</CONFIG>\n</SEPARATION>\n<KEYBOARD>\nOAPI_KEY_G SEPARATION 2\n</KEYBOARD>\n"
             "<PANEL> MAIN\n<CSW> 0 0 2 0 2 OAPI_KEY_G\n</PANEL>\n");
  auto *key = dynamic_cast<CSwitchInstrument *>(PanelNumber(0).InstrumentAt(0));
  EXPECT_EQ(key->action, OAPI_KEY_G);
  EXPECT_EQ(key->Variable(), &key->state);
  EXPECT_EQ(Log(), "");  // a key name is no reference to report
  vessel->systems.deck.Load(0);
  vessel->systems.PanelMouseEvent(0, PANEL_MOUSE_LBDOWN, 0, 0);
  EXPECT_EQ(vessel->systems.stages.Current(), 2);
  FreshVessel();
  LoadPanels("<PANEL> MAIN\n<CSW> 0 0 2 0 2 OAPI_KEY_NOPE\n</PANEL>\n");
  EXPECT_EQ(dynamic_cast<CSwitchInstrument *>(PanelNumber(0).InstrumentAt(0))->action, 0);
  EXPECT_NE(Log().find("OAPI_KEY_NOPE 02:Invalid component"), std::string::npos) << Log();
}

TEST_F(Panels, ReferencesFindPanelsAndInstrumentsByPrefix) {
  LoadPanels("<PANEL> MAIN\n<SW> 0 0 2 0 SHIP:CUSTOMINT1 SW10\n<SW> 0 0 2 0 SHIP:CUSTOMINT2 SW1\n"
             "<SW> 0 0 2 0 SHIP:CUSTOMINT3 X\n</PANEL>\n<PANEL> MAINSUB\n<SW> 0 0 2 0 MAIN:SW1:SRC OTHER\n</PANEL>\n");
  // Without a colon, the variable's name starts one character into the text.
  EXPECT_EQ(Ref("MAIN:XSRC"), &vessel->shipVariables.customInt[2]);
  EXPECT_EQ(Ref("MAIN:LIGHTS"), &PanelNumber(0).light);
  EXPECT_EQ(Ref("MAIN:TEXTLIGHT"), &PanelNumber(0).textLight);
  EXPECT_EQ(Ref("main:mfdmode"), &PanelNumber(0).mfdMode);
  EXPECT_EQ(Ref("MAIN:HUDMODE"), &PanelNumber(0).hudMode);
  // SW1 was defined later, so it comes first and is a prefix of SW10.
  EXPECT_EQ(Ref("MAIN:SW10:SRC"), &vessel->shipVariables.customInt[1]);
  EXPECT_EQ(Ref("MAINSUB:OTHER:SRC"), nullptr);  // MAIN is a prefix of MAINSUB and comes first
  EXPECT_EQ(Named<SwitchInstrument>(1, "OTHER")->Variable(), &vessel->shipVariables.customInt[1]);
  EXPECT_EQ(LoggedRef("MAIN:NOPE:SRC"), nullptr);
  EXPECT_EQ(LoggedRef("NOPANEL:LIGHT"), nullptr);
  const std::string log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

TEST_F(Panels, RedrawAndMouseEventsReachTheirInstrument) {
  LoadPanels("<PANEL> MAIN\n<SW> 0 0 3 0 SHIP:CUSTOMINT1 SW\n<DIG> 0 0 4 SHIP:CUSTOMDBL1 D\n</PANEL>\n");
  VesselSystems &s = vessel->systems;
  s.deck.Load(0);
  int dummy;
  SURFHANDLE surface = &dummy;
  s.PanelMouseEvent(1, PANEL_MOUSE_LBDOWN, 3, 4);
  EXPECT_EQ(vessel->shipVariables.customInt[0], 1);
  s.PanelMouseEvent(1, 3, 3, 4);  // no such code
  s.PanelMouseEvent(1, PANEL_MOUSE_RBDOWN, 3, 4);
  EXPECT_EQ(vessel->shipVariables.customInt[0], 0);
  s.PanelMouseEvent(7, PANEL_MOUSE_LBDOWN, 0, 0);  // no such area
  auto *digits = Named<DigitInstrument>(0, "D");
  vessel->shipVariables.customDbl[0] = 42;
  s.deck.RedrawEvent(0, 5, surface);
  EXPECT_EQ(digits->lastValue, -1.0);
  s.deck.RedrawEvent(0, PANEL_REDRAW_ALWAYS, nullptr);
  EXPECT_EQ(digits->lastValue, 42.0);
}

TEST_F(Panels, TheSavedBlockHoldsTheLevels) {
  LoadPanels("<PANEL> A\n</PANEL>\n<PANEL> B\n</PANEL>\n<PANEL> C\n</PANEL>\n");
  Panel &c = PanelNumber(2);
  c.lightingLevel = 1;
  host::ScenarioWriter writer;
  c.SaveState(writer.handle());
  EXPECT_EQ(writer.text, "  <PANEL> 2\n  <TEXT> 0\n  <LIGHT> 1\n  </PANEL> 2\n");
}

TEST_F(Panels, AnEleventhPanelIsNotStored) {
  std::string sections;
  for (int i = 0; i < 11; ++i) sections += "<PANEL> P" + std::to_string(i) + "\n<SW> 0 0 2 0 P0:LIGHT S\n</PANEL>\n";
  LoadPanels(sections + "<PANEL> " + std::string(100, 'N') + "\n</PANEL>\n");
  EXPECT_EQ(vessel->systems.deck.Count(), 10);
  EXPECT_NE(Log().find("<PANEL> P10 02:Invalid component"), std::string::npos) << Log();
  EXPECT_EQ(Ref("NOPANEL:LIGHT"), nullptr);  // every one of the ten is asked, and no more
}

TEST_F(Panels, SelectorElementsRebindTheirTarget) {
  LoadPanels("<PANEL> P\n<ROT> 0 0 SHIP:ALTITUDE D1\n<SEL> 0 0 0 SEL1\n"
             "<SELECTEL> P:D1:SRCP P:SEL1:SEL 0 2 -1\nSHIP:CUSTOMDBL1\nSHIP:CUSTOMDBL2\nSHIP:CUSTOMDBL3\n"
             "<SW> 0 0 2 0 SHIP:CUSTOMINT1 AFTER\n<SELECTEL> SHIP:CUSTOMINT2 P:SEL1:SEL 0 0 -1\nSHIP:CUSTOMDBL4\n"
             "<SELECTEL> P:D1:SRCP P:SEL1:SEL 2 1 -1\n<SELECTEL> P:D1:SRCP P:SEL1:SEL 0 1 -1\n\nSHIP:CUSTOMDBL5\n"
             "</PANEL>\n");
  Panel &p = PanelNumber(0);
  ASSERT_NE(Named<SwitchInstrument>(0, "AFTER"), nullptr);  // parsed as a normal line
  auto *gauge = Named<RotationalInstrument>(0, "D1");
  auto *knob = Named<SelectInstrument>(0, "SEL1");
  auto *element = dynamic_cast<SelectElement *>(p.InstrumentAt(4));
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->table.size(), 3u);
  double *custom = vessel->shipVariables.customDbl;
  element->FrameRedraw({});
  EXPECT_EQ(gauge->Variable(), &custom[0]);
  knob->RightPress(0, 0);
  element->FrameRedraw({});
  EXPECT_EQ(gauge->Variable(), &custom[1]);
  knob->position = 3;
  element->FrameRedraw({});
  EXPECT_EQ(gauge->Variable(), &custom[1]);
  // A target that is not an instrument's slot is refused.
  auto *refused = dynamic_cast<SelectElement *>(p.InstrumentAt(2));
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(refused->target.address, nullptr);
  EXPECT_NE(Log().find("<SELECTEL> SHIP:CUSTOMINT2"), std::string::npos);
  // A blank reference line leaves that index without an address: no re-binding.
  auto *gap = dynamic_cast<SelectElement *>(p.InstrumentAt(0));
  knob->position = 0;
  gap->FrameRedraw({});
  EXPECT_EQ(gauge->Variable(), &custom[1]);
  knob->position = 1;
  gap->FrameRedraw({});
  EXPECT_EQ(gauge->Variable(), &custom[4]);
}

// Short lines and sections cut off by the end of the file build what they
// give, and every area still redraws and takes clicks.
TEST_F(Panels, ShortAndUnfinishedSectionsNeverCrash) {
  auto loadAndUse = [this](const char *text) {
    FreshVessel();
    LoadPanels(text);
    vessel->systems.deck.Load(0);
    for (int area = 0; area < 12; ++area) {
      vessel->systems.deck.RedrawEvent(area, PANEL_REDRAW_ALWAYS, nullptr);
      vessel->systems.deck.RedrawEvent(area, PANEL_REDRAW_INIT, nullptr);
      vessel->systems.PanelMouseEvent(area, PANEL_MOUSE_LBDOWN, 0, 0);
      vessel->systems.PanelMouseEvent(area, PANEL_MOUSE_LBUP, 0, 0);
    }
  };
  loadAndUse("<PANEL> P\n<SW>\n<CSW> 1\n<ROT>\n<LBL>\n<LIN> 1 2\n<TB>\n<SEL>\n<DIG>\n</PANEL>\n");
  EXPECT_EQ(PanelNumber(0).instruments.size(), 8u);  // one for each line, however short
  // A selector past the lines the file gave leaves the gauge as it is.
  loadAndUse("<PANEL> P\n<ROT> 0 0 SHIP:ALTITUDE D1\n<SEL> 0 0 0 Y\n"
             "<SELECTEL> P:D1:SRCP P:Y:SEL 0 1000000000 0\nSHIP:CUSTOMDBL1\n");
  auto *cut = dynamic_cast<SelectElement *>(PanelNumber(0).InstrumentAt(0));
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->table.size(), 1u);
  const double *altitude = Named<RotationalInstrument>(0, "D1")->Variable();
  Named<SelectInstrument>(0, "Y")->position = 1;
  cut->FrameRedraw({});
  EXPECT_EQ(Named<RotationalInstrument>(0, "D1")->Variable(), altitude);
  loadAndUse("<PANEL> P\n<SW> 0 0 2 0 SHIP:CUSTOMINT1 S\n");
  EXPECT_EQ(vessel->systems.deck.Count(), 1);
  EXPECT_NE(Named<SwitchInstrument>(0, "S"), nullptr);
  loadAndUse("<PANEL>\n<SW> 0 0 2 0 SHIP:CUSTOMINT1 S\n</PANEL>\n");
  EXPECT_EQ(vessel->systems.deck.Count(), 1);
  EXPECT_STREQ(PanelNumber(0).name, "");
}

// Instruments bound to an object that goes at a separation find it gone;
// those bound elsewhere keep their variable.
TEST_F(Panels, InstrumentsLetGoOfObjectsDeletedAtSeparation) {
  LoadPanels("<HYDRAULIC>\n<TANK> CABIN <0 0 0> 1000 1 1\n</TANK>\n<TANK> TS_TANK <0 0 0> 100 1 1\n</TANK>\n"
             "</HYDRAULIC>\n<SEPARATION>\n<CONFIG> 2\n<DELETE> HYDRAULIC:TS_\n</CONFIG>\n</SEPARATION>\n"
             "<PANEL> P\n<ROT> 0 0 HYDRAULIC:TS_TANK:PRESS GONE\n<DIG> 0 0 3 HYDRAULIC:CABIN:PRESS KEPT\n"
             "<SEL> 0 0 0 SEL1\n<SELECTEL> P:KEPT:SRCP P:SEL1:SEL 0 1 -1\nHYDRAULIC:TS_TANK:TEMP\n"
             "HYDRAULIC:CABIN:TEMP\n</PANEL>\n");
  auto *gone = Named<RotationalInstrument>(0, "GONE");
  auto *kept = Named<DigitInstrument>(0, "KEPT");
  auto *element = dynamic_cast<SelectElement *>(PanelNumber(0).InstrumentAt(0));
  ASSERT_TRUE(gone != nullptr && kept != nullptr && element != nullptr);
  const double *tankPressure = gone->Variable();
  double *cabinPressure = kept->Variable();
  ASSERT_EQ(element->table.size(), 2u);
  ASSERT_TRUE(element->table[0].Live() && element->table[0]);

  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(vessel->systems.onboard.Fluid().FindByName("TS_TANK"), nullptr);
  EXPECT_NE(gone->Variable(), tankPressure);
  EXPECT_EQ(*gone->Variable(), 0.0);
  EXPECT_EQ(kept->Variable(), cabinPressure);
  EXPECT_FALSE(element->table[0].Live());
  EXPECT_TRUE(element->table[1].Live());
  // Selecting the released index binds nothing; the other still binds.
  element->FrameRedraw({});
  EXPECT_EQ(kept->Variable(), cabinPressure);
  PanelNumber(0).instruments.back()->FrameRedraw({});
}

// An instrument reads and writes what it is bound to as its own type: a
// system object, a variable of another type or another instrument's slot is
// refused and logged, and the instrument works alone.
TEST_F(Panels, InstrumentsAreBoundOnlyToVariablesOfTheirOwnType) {
  LoadPanels("<HYDRAULIC>\n<TANK> CABIN <0 0 0> 1000 1 1\n</TANK>\n</HYDRAULIC>\n"
             "<PANEL> P\n<SW> 0 0 2 0 HYDRAULIC:CABIN WHOLE\n<DIG> 0 0 3 HYDRAULIC:CABIN:PRESS PART\n"
             "<SW> 0 0 2 0 SHIP:ALTITUDE ONDOUBLE\n<ROT> 0 0 SHIP:CUSTOMINT1 ONINT\n"
             "<DIG> 0 0 3 HYDRAULIC:CABIN:IN:PZ ONFLOAT\n<SW> 0 0 2 0 P:PART:SRCP ONSLOT\n"
             "<ROT> 0 0 P:ONSLOT:SRC SHARED\n</PANEL>\n");
  auto *whole = Named<SwitchInstrument>(0, "WHOLE");
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(whole->Variable(), &whole->state);
  whole->LeftPress(0, 0);
  EXPECT_NE(Named<DigitInstrument>(0, "PART")->Variable(), nullptr);
  EXPECT_NE(vessel->systems.onboard.Fluid().FindByName("CABIN"), nullptr);

  auto *onDouble = Named<SwitchInstrument>(0, "ONDOUBLE");
  EXPECT_EQ(onDouble->Variable(), &onDouble->state);
  onDouble->LeftPress(0, 0);
  EXPECT_EQ(vessel->shipVariables.altitude, 0.0);
  EXPECT_EQ(Named<RotationalInstrument>(0, "ONINT")->Variable(), nullptr);
  auto *onFloat = Named<DigitInstrument>(0, "ONFLOAT");
  EXPECT_EQ(onFloat->Variable(), &onFloat->lastValue);
  auto *onSlot = Named<SwitchInstrument>(0, "ONSLOT");
  EXPECT_EQ(onSlot->Variable(), &onSlot->state);
  // "SRC" of a switch is its own integer, not a double for a gauge.
  EXPECT_EQ(Named<RotationalInstrument>(0, "SHARED")->Variable(), nullptr);
  for (const char *line : {"HYDRAULIC:CABIN WHOLE", "SHIP:ALTITUDE ONDOUBLE", "SHIP:CUSTOMINT1 ONINT",
                           "HYDRAULIC:CABIN:IN:PZ ONFLOAT", "P:PART:SRCP ONSLOT", "P:ONSLOT:SRC SHARED"})
    EXPECT_NE(Log().find(std::string(line) + " 02:Invalid component"), std::string::npos) << line << Log();
  EXPECT_EQ(Log().find("PART 02"), std::string::npos);
}

// A selector element binds only addresses of its target slot's own type.
TEST_F(Panels, SelectorElementsBindOnlyTheirSlotsType) {
  LoadPanels("<PANEL> P\n<ROT> 0 0 SHIP:ALTITUDE D1\n<SW> 0 0 2 0 SHIP:CUSTOMINT1 S1\n<SEL> 0 0 0 SEL1\n"
             "<SELECTEL> P:D1:SRCP P:SEL1:SEL 0 2 -1\nSHIP:CUSTOMINT2\nP:S1:SRCP\nSHIP:CUSTOMDBL1\n"
             "<SELECTEL> P:S1:SRCP P:SEL1:SEL 0 1 -1\nSHIP:CUSTOMDBL2\nSHIP:CUSTOMINT3\n"
             "<SELECTEL> P:D1:SRCP SHIP:CUSTOMDBL3 0 0 -1\nSHIP:CUSTOMDBL4\n</PANEL>\n");
  Panel &p = PanelNumber(0);
  auto *toDouble = dynamic_cast<SelectElement *>(p.InstrumentAt(2));
  auto *toInt = dynamic_cast<SelectElement *>(p.InstrumentAt(1));
  auto *badSelector = dynamic_cast<SelectElement *>(p.InstrumentAt(0));
  ASSERT_TRUE(toDouble != nullptr && toInt != nullptr && badSelector != nullptr);
  ASSERT_EQ(toDouble->table.size(), 3u);
  EXPECT_EQ(toDouble->table[0].address, nullptr);
  EXPECT_EQ(toDouble->table[1].address, nullptr);
  EXPECT_EQ(toDouble->table[2].address, &vessel->shipVariables.customDbl[0]);
  ASSERT_EQ(toInt->table.size(), 2u);
  EXPECT_EQ(toInt->table[0].address, nullptr);
  EXPECT_EQ(toInt->table[1].address, &vessel->shipVariables.customInt[2]);
  EXPECT_EQ(badSelector->selectorValue.Get(), nullptr);
  EXPECT_NE(badSelector->target.address, nullptr);
  for (const char *line : {"SHIP:CUSTOMINT2 02", "P:S1:SRCP 02", "SHIP:CUSTOMDBL2 02"})
    EXPECT_NE(Log().find(line), std::string::npos) << line << Log();
}

// Geometry from the files is bounded, so that an instrument's area and frames
// can be worked out without overflow.
TEST_F(Panels, PanelGeometryIsBounded) {
  std::ofstream("config/huge.prd") << "<DIG>\nCLASS DIGIT\nSIZE 2000000000 -2000000000\n</DIG>\n";
  Load("Panel: huge\n<PANEL> P\nSIZE 2147483647 5\n<DIG> 2147483000 0 40 SHIP:ALTITUDE D\n</PANEL>\n");
  auto *digits = Named<DigitInstrument>(0, "D");
  ASSERT_NE(digits, nullptr);
  EXPECT_EQ(digits->width, kCoordinateLimit);
  EXPECT_EQ(digits->height, -kCoordinateLimit);
  EXPECT_EQ(digits->x, kCoordinateLimit);
  EXPECT_EQ(digits->digits, 32);
  EXPECT_EQ(PanelNumber(0).width, kCoordinateLimit);
  digits->RegisterArea(0);
}

// Every kind is bounded where it is made: labels and MFDs too, numbers that
// share their slots with colours, and reals, NaN among them.
TEST_F(Panels, EveryKindsGeometryIsBounded) {
  std::ofstream("config/wide.prd")
      << "<ROT>\nCLASS ROTATIONAL\nSIZE 10 10\nNOCOL 0 0 2000000000\n</ROT>\n"
      << "<LIN>\nCLASS LINEAR\nSIZE 10 10\nMAX nan 1e300\nMIN -1e300 5\n</LIN>\n"
      << "<LBL>\nCLASS TEXT\nFONT Arial nan\n</LBL>\n<SEL>\nCLASS SELECT\nSIZE 10 10\nMAX 1e300 0\nMIN -1e300 0\n</SEL>\n"
      << "<SCREEN>\nCLASS MFD\nSIZE 10 10\nCOLOR nan 1e300 -1e300\n</SCREEN>\n";
  Load("Panel: wide\n<PANEL> P\n<ROT> 0 0 SHIP:ALTITUDE R\n<LIN> 0 0 0 1 1 0 SHIP:ALTITUDE L\n"
       "<LBL> 2147483647 -2147483647 2147483647 2147483647 <LABEL>\n<SEL> 0 0 2147483647 S\n"
       "<SCREEN> 2147483647 2147483647 0\n</PANEL>\n");
  Panel &p = PanelNumber(0);
  ASSERT_EQ(p.instruments.size(), 5u);
  auto *label = dynamic_cast<TextInstrument *>(p.InstrumentAt(2));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->x, kCoordinateLimit);
  EXPECT_EQ(label->y, -kCoordinateLimit);
  EXPECT_EQ(label->frameWidth, kCoordinateLimit);
  EXPECT_EQ(p.InstrumentAt(0)->x, kCoordinateLimit);  // the MFD
  auto *linear = Named<LinearInstrument>(0, "L");
  EXPECT_EQ(linear->look.highX, 0.0);
  EXPECT_EQ(linear->look.highY, kCoordinateLimit);
  EXPECT_EQ(linear->look.lowX, -kCoordinateLimit);
  EXPECT_TRUE(vessel->systems.deck.Load(0));
  for (int area = 0; area < 5; ++area) {
    vessel->systems.deck.RedrawEvent(area, PANEL_REDRAW_INIT, nullptr);
    vessel->systems.deck.RedrawEvent(area, PANEL_REDRAW_ALWAYS, nullptr);
  }
}

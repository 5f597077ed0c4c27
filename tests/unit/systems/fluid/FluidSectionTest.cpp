#include <gtest/gtest.h>

#include "../../module/ConfigFixture.h"
#include "ScenarioFile.h"
#include "config/text/Keywords.h"

#include <cmath>
#include "systems/fluid/FluidCrew.h"
#include "systems/fluid/FluidPipe.h"
#include "systems/fluid/FluidRadiator.h"
#include "systems/fluid/FluidVent.h"

namespace {

const char *kPlant =
    "<HYDRAULIC>\n"
    "<TANK> CABIN1 <0 0 1> 10000 1 1\n"
    "CHM 0 2800 2800 750000\nCHM 3 9100 9100 2800000\nCHM 7 5 5 5\n</TANK>\n"
    "<TANK> O2TANK <1 0 0> 100 0 1 0.05\nCHM 0 50000 560 5500000\n</TANK>\n"
    "<TANK> WATER <0 1 0> 200 1 0 0\nCHM 2 12.5 0 15000\n</TANK>\n"
    "<PIPE> FEED\nO2TANK:OUT CABIN:IN PREG 101000 0 ONEWAY\nWATER:OUT CABIN:IN\n</PIPE>\n"
    "<VENT> OVERBOARD 1 1\n<0 0 -2> <0 0 1> 0.1\n<0 0 2> <0 0 -1> 0.1\n</VENT>\n"
    "<PIPE> DUMP\nCABIN:OUT OVERBOARD:IN BURST 115000 105000\n</PIPE>\n"
    "<RADIATOR> RAD  <0 -1 0> 300\n2 0.9 20000\n"
    "<CREW> PEOPLE 3 CABIN\n"
    "</HYDRAULIC>\n";

class FluidSection : public ConfigFixture {
 protected:
  FluidSystem &Fluids() { return vessel->systems.onboard.Fluid(); }
  template <typename T>
  T *Get(const char *name) {
    return dynamic_cast<T *>(Fluids().FindByName(name));
  }
};

}  // namespace

TEST_F(FluidSection, BuildsEveryObjectKindInFileOrder) {
  Load(kPlant);
  const char *order[] = {"CABIN1", "O2TANK", "WATER", "FEED", "FEED", "OVERBOARD", "DUMP", "RAD", "PEOPLE"};
  const auto &objects = Fluids().Objects();
  ASSERT_EQ(objects.size(), std::size(order));
  for (size_t i = 0; i < objects.size(); ++i) EXPECT_STREQ(objects[i]->name, order[i]);
  FluidTank *cabin = Get<FluidTank>("CABIN");
  EXPECT_EQ(cabin->contents.TotalMass(), 11900.0);  // the type-7 line is ignored
  EXPECT_EQ(cabin->insulation, 1.0);
  EXPECT_EQ(Get<FluidTank>("O2TANK")->insulation, 0.05);
  EXPECT_EQ(Get<FluidTank>("WATER")->insulation, 1.0);
  EXPECT_EQ(Get<FluidTank>("O2TANK")->in.open, 0);
  EXPECT_EQ(Get<FluidTank>("WATER")->out.open, 0);
  // Tanks and the radiator are thermal bodies; the vent is not.
  EXPECT_EQ(vessel->systems.onboard.Thermal().Bodies().size(), 4u);
  EXPECT_EQ(Log(), "");
}

TEST_F(FluidSection, PipeBlocksShareTheirNameAndOnewayHoldsForTheRest) {
  Load(kPlant);
  FluidPipe *first = dynamic_cast<FluidPipe *>(Fluids().Objects().at(3).get());
  FluidPipe *second = dynamic_cast<FluidPipe *>(Fluids().Objects().at(4).get());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->kind, kRegulatorPipe);
  EXPECT_EQ(first->setting1, 101000.0);
  EXPECT_EQ(first->twoWay, 0);
  EXPECT_EQ(second->kind, kPlainPipe);
  EXPECT_EQ(second->setting1, 0.0);
  EXPECT_EQ(second->twoWay, 0);
  EXPECT_EQ(first->source, &Get<FluidTank>("O2TANK")->out);
  EXPECT_EQ(first->destination, &Get<FluidTank>("CABIN")->in);
  FluidPipe *dump = Get<FluidPipe>("DUMP");
  EXPECT_EQ(dump->kind, kBurstPipe);
  EXPECT_EQ(dump->setting2, 105000.0);
  EXPECT_EQ(dump->twoWay, 1);
}

TEST_F(FluidSection, VariablesMatchByPrefixExceptPZ) {
  Load(kPlant);
  FluidTank *cabin = Get<FluidTank>("CABIN1");
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:O2_PPRESS"), &cabin->contents.substances[O2].partialPressure);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:CO2_PPRESSURE"), &cabin->contents.substances[CO2].partialPressure);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:H2O_PPRESS"), &cabin->contents.substances[H2O].partialPressure);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:press"), &cabin->contents.pressure);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:TEMP"), &cabin->contents.temperature);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:MASS"), &cabin->contents.mass);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:VOLUME"), &cabin->contents.volume);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:IN"), &cabin->in);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:OUT"), &cabin->out);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:IN:ISOPEN"), &cabin->in.open);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:OUT:OPENX"), &cabin->out.pendingCommand);
  EXPECT_EQ(Ref("HYDRAULIC:CABIN:IN:pz"), &cabin->in.actuationTimer);
  EXPECT_EQ(Ref("HYDRAULIC:RAD:TEMP"), &Get<FluidRadiator>("RAD")->temperature);
  EXPECT_EQ(Ref("HYDRAULIC:OVERBOARD:PRESS"), &Get<FluidVent>("OVERBOARD")->contents.pressure);
  EXPECT_EQ(Ref("HYDRAULIC:FEED:ANYTHING"), nullptr);  // pipes publish nothing, silently
  EXPECT_EQ(Log(), "");

  EXPECT_EQ(LoggedRef("HYDRAULIC:CABIN:IN:PZX"), nullptr);
  EXPECT_EQ(LoggedRef("HYDRAULIC:CABIN:PZ"), nullptr);
  EXPECT_EQ(LoggedRef("HYDRAULIC:NOTANK:PRESS"), nullptr);
  const std::string at = "ERROR AT LINE: 0";
  EXPECT_EQ(Log(), at + " 03:Invalid number of parameters\n" + at + " 03:Invalid number of parameters\n" + at +
                       " 02:Invalid component\n");
}

TEST_F(FluidSection, PipeEndsAndCrewTanksMustBePortsAndTanks) {
  Load("<HYDRAULIC>\n<TANK> A <0 0 0> 10 1 1\n</TANK>\n<TANK> B <0 0 0> 10 1 1\n</TANK>\n"
       "<PIPE> P\nA B:IN\nA:TEMP B:IN\nA:OUT NONE:IN\n</PIPE>\n<CREW> C1 2 A:IN\n<CREW> C2 2 NONE\n"
       "</HYDRAULIC>\n");
  FluidPipe *p = Get<FluidPipe>("P");
  EXPECT_EQ(p->source, nullptr);
  EXPECT_NE(p->destination, nullptr);
  EXPECT_EQ(Get<FluidCrew>("C1")->tank, nullptr);
  EXPECT_EQ(Get<FluidCrew>("C2")->tank, nullptr);
  // Each refused reference is one log entry, on its own line.
  const std::string log = Log();
  EXPECT_NE(log.find("ERROR AT LINE: 7A B:IN 02:Invalid component\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR AT LINE: 8A:TEMP B:IN 02:Invalid component\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR AT LINE: 9A:OUT NONE:IN 02:Invalid component\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR AT LINE: 11<CREW> C1 2 A:IN 02:Invalid component\n"), std::string::npos) << log;
  vessel->Update(1.0);
  vessel->Update(2.0);
}

TEST_F(FluidSection, SaveWritesTankRecordsWithFourDecimals) {
  Load(kPlant);
  host::ScenarioWriter writer;
  Fluids().SaveToScenario(writer.handle());
  const std::string &t = writer.text;
  EXPECT_EQ(t.rfind("  <HYDRAULIC> \n", 0), 0u) << t;
  EXPECT_NE(t.find("     <TANK>  WATER 200.000000 1 0\n        CHM    2  12.5000   0.0000 15000.0000\n"
                   "     </TANK> \n"),
            std::string::npos)
      << t;
  EXPECT_NE(t.find("     <TANK>  OVERBOARD 0.000000 1 1\n     </TANK> \n"), std::string::npos) << t;
  EXPECT_EQ(t.find("RAD"), std::string::npos);
  EXPECT_NE(t.find("  </HYDRAULIC> \n"), std::string::npos);
}

// Every figure comes back, however long its line.
TEST_F(FluidSection, SavedStateRestoresMassesEnergiesVolumesAndValves) {
  Load(kPlant);
  for (int i = 1; i <= 50; ++i) vessel->Update(i * 0.5);
  FluidTank *cabin = Get<FluidTank>("CABIN");
  cabin->contents.volume = 9999.5;
  cabin->out.open = 0;
  // Written in full, its line runs to over 150 characters.
  cabin->contents.substances[CO2].energy = 1e150;
  host::ScenarioWriter writer;
  Fluids().SaveToScenario(writer.handle());
  const FluidContents saved = cabin->contents;

  FreshVessel();
  Load(kPlant);
  std::vector<std::string> lines;
  std::istringstream in(writer.text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  lines.insert(lines.begin() + 1, "<TANK> NOSUCHTANK 5 1 1");
  lines.insert(lines.begin() + 2, "CHM 0 1 1 1");
  lines.insert(lines.begin() + 3, "</TANK>");
  host::ScenarioBlockReader reader(lines);
  char *first;
  reader.next(first);  // "<HYDRAULIC>", as the internals reader has seen it
  std::string unplaced;
  vessel->systems.onboard.Fluid().LoadFromScenario(reader.handle(), unplaced);
  EXPECT_EQ(unplaced, "ERROR IN SCENARIO: <TANK> NOSUCHTANK 5 1 1 01:Object name not found\n");

  FluidTank *restored = Get<FluidTank>("CABIN");
  EXPECT_EQ(restored->contents.volume, 9999.5);
  EXPECT_EQ(restored->out.open, 0);
  EXPECT_EQ(restored->in.open, 1);
  for (int k = 0; k < kSubstanceCount; ++k) {
    EXPECT_NEAR(restored->contents.substances[k].mass, saved.substances[k].mass, 5e-5);
    EXPECT_NEAR(restored->contents.substances[k].vapourMass, saved.substances[k].vapourMass, 5e-5);
    EXPECT_NEAR(restored->contents.substances[k].energy, saved.substances[k].energy, 5e-5);
  }
  EXPECT_NEAR(restored->mass, saved.substances[O2].mass + saved.substances[N2].mass +
                                  saved.substances[CO2].mass + saved.substances[H2O].mass, 1e-3);
}

// A record cut short after the tank's name restores its contents but keeps
// the volume and the valves it has, instead of emptying and closing the tank.
TEST_F(FluidSection, AShortTankRecordKeepsVolumeAndValves) {
  Load(kPlant);
  const std::vector<std::string> lines = {"<TANK> O2TANK", "CHM 0 40 0 4000", "</TANK>",
                                         "<TANK> WATER 150",  "</TANK>",          "</HYDRAULIC>"};
  host::ScenarioBlockReader reader(lines);
  std::string unplaced;
  vessel->systems.onboard.Fluid().LoadFromScenario(reader.handle(), unplaced);
  EXPECT_EQ(unplaced, "");
  FluidTank *oxygen = Get<FluidTank>("O2TANK");
  EXPECT_EQ(oxygen->contents.volume, 100.0);
  EXPECT_EQ(oxygen->in.open, 0);
  EXPECT_EQ(oxygen->out.open, 1);
  EXPECT_EQ(oxygen->contents.substances[O2].mass, 40.0);
  FluidTank *water = Get<FluidTank>("WATER");
  EXPECT_EQ(water->contents.volume, 150.0);
  EXPECT_EQ(water->in.open, 1);
  EXPECT_EQ(water->out.open, 0);
}

TEST_F(FluidSection, CrewBreathesOxygenIntoCarbonDioxideAndWater) {
  Load("<HYDRAULIC>\n<TANK> CABIN <0 0 0> 1000 1 1\nCHM 0 100 100 27000\n</TANK>\n"
       "<CREW> PEOPLE 3 CABIN\n</HYDRAULIC>\n");
  FluidCrew *crew = Get<FluidCrew>("PEOPLE");
  Substance *s = crew->tank->contents.substances;
  crew->Refresh(10.0);
  EXPECT_NEAR(s[O2].vapourMass, 100 - 5.34, 1e-9);
  EXPECT_NEAR(s[CO2].vapourMass, 5.34, 1e-9);
  EXPECT_NEAR(s[H2O].mass, 0.534, 1e-9);
  EXPECT_EQ(s[H2O].vapourMass, 0.0);
  s[O2].vapourMass = 2.0;
  s[O2].mass = 2.0;
  crew->Refresh(10.0);
  EXPECT_EQ(s[O2].mass, 0.0);
  EXPECT_NEAR(s[CO2].mass, 7.34, 1e-9);
}

TEST_F(FluidSection, RadiatorLosesHeatToSpace) {
  Load(kPlant);
  FluidRadiator *rad = Get<FluidRadiator>("RAD");
  EXPECT_EQ(rad->area, 0.5);
  EXPECT_NEAR(rad->heatContent, 300 * 0.15 * 20000, 1e-6);
  const double before = rad->heatContent;
  rad->Refresh(1.0);
  // 0.9 x 2 m2 x sigma x (300 K - 3 K)^4 in one second.
  EXPECT_NEAR(before - rad->heatContent, 794.1113, 1e-3);
  rad->SetTemperature(3.0);
  rad->Refresh(1.0);
  EXPECT_EQ(rad->temperature, 3.0);
}

TEST_F(FluidSection, VentingMovesMassFromTheVesselIntoTheVentResource) {
  Load(kPlant);
  FluidVent *vent = Get<FluidVent>("OVERBOARD");
  EXPECT_EQ(vent->exhaustCount, 2);
  EXPECT_EQ(hostVessel->model.thrusters.size(), 2u);
  EXPECT_EQ(hostVessel->model.thrusters[0]->level, 1.0);
  EXPECT_EQ(hostVessel->model.exhausts[0].length, 100.0);
  EXPECT_DOUBLE_EQ(hostVessel->model.exhausts[0].width, 5.0);
  const double empty = vessel->GetEmptyMass();
  FluidContents parcel;
  Substance s;
  s.mass = s.vapourMass = 500;
  parcel.AddSubstance(N2, s);
  vent->in.Put(parcel);
  EXPECT_NEAR(vessel->GetEmptyMass(), empty - 0.5, 1e-12);
  EXPECT_NEAR(vessel->GetPropellantMass(vessel->systems.stages.VentResource()), 0.5, 1e-12);
  EXPECT_EQ(vent->contents.TotalMass(), 0.0);
  vent->Refresh(1.0);
  EXPECT_EQ(vent->contents.pressure, 0.0);
  EXPECT_EQ(vent->contents.temperature, 0.0);
  // The vent thrusters burn it: 50 N at 50 m/s is 1 kg/s each.
  sim.frame(0.1);
  EXPECT_NEAR(vessel->GetPropellantMass(vessel->systems.stages.VentResource()), 0.3, 1e-9);
}

TEST_F(FluidSection, AVentHoldsFourExhaustsAndWorksWithNone) {
  Load("<HYDRAULIC>\n<VENT> V 1 1\n<0 0 0> <0 0 1> 1\n<0 0 0> <0 0 1> 1\n<0 0 0> <0 0 1> 1\n"
       "<0 0 0> <0 0 1> 1\n<0 0 0> <0 0 1> 1\nnot an exhaust\n</VENT>\n<VENT> EMPTY 1 1\n</VENT>\n"
       "</HYDRAULIC>\n");
  EXPECT_EQ(Get<FluidVent>("V")->exhaustCount, 4);
  FluidVent *none = Get<FluidVent>("EMPTY");
  EXPECT_EQ(none->exhaustCount, 0);
  FluidContents parcel;
  Substance s;
  s.mass = 1000;
  parcel.AddSubstance(O2, s);
  const double empty = vessel->GetEmptyMass();
  none->in.Put(parcel);
  EXPECT_NEAR(vessel->GetEmptyMass(), empty - 1.0, 1e-12);
}

TEST_F(FluidSection, AConfigurationChangeRemovesMarkedObjectsAndRelinksVents) {
  Load(std::string(kPlant) +
       "<SEPARATION>\n<CONFIG> 2\n<DELETE> HYDRAULIC:WATER\n<DELETE> HYDRAULIC:FEED\n</CONFIG>\n</SEPARATION>\n");
  const size_t bodies = vessel->systems.onboard.Thermal().Bodies().size();
  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(Fluids().FindByName("WATER"), nullptr);
  EXPECT_EQ(Fluids().FindByName("FEED"), nullptr);
  EXPECT_EQ(vessel->systems.onboard.Thermal().Bodies().size(), bodies - 1);
  // The vent's thrusters were made anew on the new vent resource.
  ASSERT_EQ(hostVessel->model.thrusters.size(), 2u);
  EXPECT_EQ(hostVessel->model.thrusters[0]->resource,
            hostVessel->model.findPropellant(vessel->systems.stages.VentResource()));
}

// Each file is cut off or short: what its lines give is built, nothing more.
TEST_F(FluidSection, UnfinishedAndShortLinesNeverBuildFromNothing) {
  auto loadAndStep = [this](const char *text) {
    FreshVessel();
    ConfigFixture::Load(text);
    for (int i = 1; i < 5; ++i) vessel->Update(i);
  };
  loadAndStep("<HYDRAULIC>\n<TANK> T <0 0 0> 10 1 1\nCHM 0 1 1 1\n");
  ASSERT_NE(Get<FluidTank>("T"), nullptr);
  EXPECT_EQ(Get<FluidTank>("T")->contents.substances[O2].mass, 1.0);
  loadAndStep("<HYDRAULIC>\n<PIPE> P\nA:OUT B:IN\n");
  ASSERT_NE(Get<FluidPipe>("P"), nullptr);
  EXPECT_EQ(Get<FluidPipe>("P")->source, nullptr);
  EXPECT_EQ(Get<FluidPipe>("P")->destination, nullptr);
  loadAndStep("<HYDRAULIC>\n<VENT> V 1 1\n<0 0 0> <0 0 1> 1\n");
  ASSERT_NE(Get<FluidVent>("V"), nullptr);
  EXPECT_EQ(Get<FluidVent>("V")->exhaustCount, 1);
  loadAndStep("<HYDRAULIC>\n<RADIATOR> R <0 0 0> 300\n");
  EXPECT_EQ(Get<FluidRadiator>("R"), nullptr);
  loadAndStep("<HYDRAULIC>\n<RADIATOR> R <0 0 0> 300\n1 1 0\n</HYDRAULIC>\n");
  EXPECT_EQ(Get<FluidRadiator>("R"), nullptr);
  loadAndStep("<HYDRAULIC>\n<TANK>\n</TANK>\n<CREW>\n<PIPE>\n\n</PIPE>\n<VENT>\n</VENT>\n</HYDRAULIC>\n");
  for (const auto &o : Fluids().Objects()) EXPECT_STREQ(o->name, "");
}

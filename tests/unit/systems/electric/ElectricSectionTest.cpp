#include <gtest/gtest.h>

#include "../../module/ConfigFixture.h"
#include "ScenarioFile.h"
#include "config/text/Keywords.h"
#include "systems/electric/AtmRegenerator.h"
#include "systems/electric/Battery.h"
#include "systems/electric/Boiler.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/FuelCell.h"
#include "systems/electric/PowerBus.h"
#include "systems/electric/Socket.h"
#include "systems/fluid/FluidRadiator.h"
#include "systems/fluid/FluidTank.h"

namespace {

const char *kNetwork =
    "<HYDRAULIC>\n"
    "<TANK> CABIN <0 1 0> 1000 1 1\nCHM 3 900 900 270000\nCHM 4 10 10 2500\n</TANK>\n"
    "<TANK> SCRUB <0 1 0> 100 1 1\nCHM 3 90 90 27000\n</TANK>\n"
    "<TANK> O2TANK <1 0 0> 100 1 1\nCHM 0 50000 1000 13000000\n</TANK>\n"
    "<TANK> H2TANK <-1 0 0> 100 1 1\nCHM 1 5000 90 180000\n</TANK>\n"
    "<TANK> WATER <0 0 1> 100 1 1\n</TANK>\n"
    "<RADIATOR> RAD <0 -1 0> 280\n2 0.9 20000\n"
    "</HYDRAULIC>\n"
    "<ELECTRIC>\n"
    "<FCELL> FC1 <0 0 1> 100 O2TANK:OUT H2TANK:OUT WATER:IN\n"
    "<DCBUS> MAINA FC1\n"
    "<BATTERY> BATT 500000 MAINA\n"
    "<DCBUS> ESS NOPOWER\n"
    "<SOCKET> ESSSEL 2 ESS MAINA BATT NOPOWER\n"
    "<ACBUS> AC1 MAINA\n"
    "<COOLING> LOOP 1 MAINA 1.0 300 320\nFC1 1.0\nHYDRAULIC:RAD 1.0\nHYDRAULIC:WATER 0.5\nNOTHING 1\nMAINA 1\n"
    "</COOLING>\n"
    "<ATMREGEN> REGEN 1 ESS 500 CABIN:OUT SCRUB:IN\n"
    "<BOILER> HEAT 1 AC1 295 500 CABIN\n"
    "</ELECTRIC>\n";

class ElectricSection : public ConfigFixture {
 protected:
  ElectricSystem &Electric() { return vessel->systems.onboard.Electric(); }
  template <typename T>
  T *Get(const char *name) {
    return dynamic_cast<T *>(Electric().FindByName(name));
  }
  std::string Save() {
    host::ScenarioWriter writer;
    Electric().SaveToScenario(writer.handle());
    return writer.text;
  }
};

}  // namespace

TEST_F(ElectricSection, BuildsTheNetworkWithItsReferences) {
  Load(kNetwork);
  EXPECT_EQ(Log().find("ERROR AT LINE: 31NOTHING 1 02:Invalid component\n"), 0u) << Log();
  FuelCell *cell = Get<FuelCell>("FC1");
  FluidSystem &fluids = vessel->systems.onboard.Fluid();
  EXPECT_EQ(cell->oxygenInput, &dynamic_cast<FluidTank *>(fluids.FindByName("O2TANK"))->out);
  EXPECT_EQ(Get<PowerBus>("MAINA")->source, cell);
  EXPECT_EQ(Get<PowerBus>("ESS")->source, nullptr);
  Socket *socket = Get<Socket>("ESSSEL");
  EXPECT_EQ(socket->position, 0);
  EXPECT_EQ(socket->target, Get<PowerBus>("ESS"));
  EXPECT_EQ(socket->candidates[1], Get<Battery>("BATT"));
  CoolingLoop *loop = Get<CoolingLoop>("LOOP");
  ASSERT_EQ(loop->bodyCount, 3);  // a name that resolves to nothing, a bus without a thermal part: skipped
  EXPECT_EQ(loop->bodies[1].owner, fluids.FindByName("RAD"));
  EXPECT_EQ(loop->bodies[2].coefficient, 0.5);
  EXPECT_EQ(Get<AtmRegenerator>("REGEN")->mode, 1);
  Boiler *boiler = Get<Boiler>("HEAT");
  EXPECT_NEAR(boiler->current, 500 / 36.6, 1e-12);
  EXPECT_EQ(boiler->tank, dynamic_cast<FluidTank *>(fluids.FindByName("CABIN")));
  // The loads the constructors registered: bus idle draws.
  EXPECT_NEAR(cell->loadTotal, 3.0 + 7.5, 1e-6);
}

TEST_F(ElectricSection, EachObjectPublishesItsVariablesByName) {
  Load(kNetwork);
  FuelCell *cell = Get<FuelCell>("FC1");
  Battery *battery = Get<Battery>("BATT");
  EXPECT_EQ(Ref("ELECTRIC:FC1:VOLTS"), &cell->voltage);
  EXPECT_EQ(Ref("ELECTRIC:FC1:TEMP"), &cell->temperature);
  EXPECT_EQ(Ref("ELECTRIC:FC1:START"), &cell->startCommand);
  EXPECT_EQ(Ref("ELECTRIC:FC1:RUNNING"), &cell->running);
  EXPECT_EQ(Ref("ELECTRIC:FC1:DPH"), &cell->dph);
  EXPECT_EQ(Ref("ELECTRIC:BATT:LOADING"), &battery->charging);
  EXPECT_EQ(Ref("ELECTRIC:BATT:LOAD"), &battery->chargeCommand);
  EXPECT_EQ(Ref("ELECTRIC:MAINA:RESET"), &Get<PowerBus>("MAINA")->resetCommand);
  EXPECT_EQ(Ref("ELECTRIC:MAINA:SRC"), &Get<PowerBus>("MAINA")->source);
  EXPECT_EQ(Ref("ELECTRIC:ESSSEL:CONNECT"), &Get<Socket>("ESSSEL")->position);
  EXPECT_EQ(Ref("ELECTRIC:LOOP:HMIN"), &Get<CoolingLoop>("LOOP")->minRate);
  EXPECT_EQ(Ref("ELECTRIC:HEAT:MAXT"), &Get<Boiler>("HEAT")->maxT);
  EXPECT_EQ(Ref("ELECTRIC:HYDRAULIC:CABIN:TEMP"), Ref("HYDRAULIC:CABIN:TEMP"));
  EXPECT_EQ(LoggedRef("ELECTRIC:MAINA:NOPE"), nullptr);  // buses log nothing
  EXPECT_EQ(LoggedRef("ELECTRIC:FC1:NOPE"), nullptr);
  EXPECT_NE(Log().find(" 03:Invalid number of parameters\n"), std::string::npos);
  EXPECT_EQ(Log().find(" 03:"), Log().rfind(" 03:"));
}

TEST_F(ElectricSection, ShortLinesAndWrongReferencesBuildNothingFromNothing) {
  Load("<HYDRAULIC>\n<TANK> T <0 0 0> 10 1 1\n</TANK>\n</HYDRAULIC>\n<ELECTRIC>\n<BATTERY> B\n<DCBUS> BUS\n"
       "<DCBUS> LATER LATEBUS\n<DCBUS> LATEBUS NOPOWER\n<DCBUS> VAR LATEBUS:VOLTS\n"
       "<FCELL> FC <0 0 0> 100 T T:TEMP HYDRAULIC:T:IN\n<SOCKET> S 9 LATEBUS NOPOWER NOPOWER NOPOWER\n"
       "<COOLING> C 1\nLATEBUS 1\n</COOLING>\n<BOILER> BO 1 NOPOWER 300 100 T:IN\n</ELECTRIC>\n");
  EXPECT_EQ(Get<Battery>("B"), nullptr);
  EXPECT_EQ(Get<PowerBus>("BUS"), nullptr);
  EXPECT_EQ(Get<PowerBus>("LATER")->source, nullptr);
  EXPECT_EQ(Get<PowerBus>("VAR")->source, nullptr);
  FuelCell *cell = Get<FuelCell>("FC");
  EXPECT_EQ(cell->oxygenInput, nullptr);
  EXPECT_EQ(cell->hydrogenInput, nullptr);
  EXPECT_EQ(cell->waterOutput, nullptr);
  EXPECT_EQ(Get<CoolingLoop>("C"), nullptr);
  EXPECT_EQ(Get<Boiler>("BO")->tank, nullptr);
  const std::string log = Log();
  EXPECT_NE(log.find("<BATTERY> B 03:Invalid number of parameters"), std::string::npos) << log;
  EXPECT_NE(log.find("<DCBUS> LATER LATEBUS 02:Invalid component"), std::string::npos) << log;
  for (int step = 1; step < 5; ++step) vessel->Update(step);
  EXPECT_EQ(Get<PowerBus>("LATER")->state, kBusDisconnected);
}

TEST_F(ElectricSection, SavedStateComesBackToFourDecimals) {
  Load(kNetwork);
  Get<FuelCell>("FC1")->startCommand = 1;
  Get<Battery>("BATT")->charge = 400000;
  Get<Battery>("BATT")->chargeCommand = 1;
  for (int step = 1; step <= 30; ++step) vessel->Update(step);
  FuelCell *cell = Get<FuelCell>("FC1");
  cell->dph = 0.00004;
  const std::string saved = Save();
  EXPECT_NE(saved.find("      <FCELL>  FC1 0 0.0000 "), std::string::npos) << saved;
  EXPECT_NE(saved.find("      <DC>  MAINA "), std::string::npos) << saved;
  EXPECT_NE(saved.find("      <AC>  AC1 "), std::string::npos) << saved;
  EXPECT_NE(saved.find("      <SOCKET> ESSSEL 0\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("      <BATTERY>  BATT 1 "), std::string::npos) << saved;

  const double temperature = cell->temperature, load = cell->loadTotal;
  const double charge = Get<Battery>("BATT")->charge;
  FreshVessel();
  Load(kNetwork);
  std::vector<std::string> lines;
  std::istringstream in(saved);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  lines.insert(lines.begin() + 1, "    <DC> NOSUCHBUS 1 0 1");
  host::ScenarioBlockReader reader(lines);
  char *first;
  reader.next(first);
  std::string unplaced;
  Electric().LoadFromScenario(reader.handle(), unplaced);
  EXPECT_NE(unplaced.find("NOSUCHBUS"), std::string::npos);
  FuelCell *restored = Get<FuelCell>("FC1");
  EXPECT_EQ(restored->state, kCellRunning);
  EXPECT_EQ(restored->dph, 0.0);
  EXPECT_NEAR(restored->temperature, temperature, 5e-5);
  EXPECT_NEAR(restored->loadTotal, load, 5e-5);
  Battery *battery = Get<Battery>("BATT");
  EXPECT_NEAR(battery->charge, charge, 5e-5);
  EXPECT_EQ(battery->charging, 1.0);
  EXPECT_EQ(Get<PowerBus>("ESS")->source, battery);
  EXPECT_EQ(Get<Socket>("ESSSEL")->applied, 0);
  EXPECT_EQ(Save(), saved);
}

// A restored battery charges as it did when saved, whatever its command:
// the draw that charging stands for is in its source's restored load exactly
// then. A command given in the frame of the save acts at the next step, and
// moves the draw with it.
TEST_F(ElectricSection, ARestoredBatteryChargesAsItWasSaved) {
  Load(kNetwork);
  Battery *battery = Get<Battery>("BATT");
  PowerBus *bus = Get<PowerBus>("MAINA");
  battery->LoadStateLine("<BATTERY> BATT 0 100.0 2.0 1");
  EXPECT_EQ(battery->charging, 0.0);
  const double load = bus->load;
  battery->Refresh(1);
  EXPECT_EQ(battery->charging, 1.0);
  EXPECT_EQ(bus->load, load + 30.0);
  battery->LoadStateLine("<BATTERY> BATT 1 100.0 2.0 -1");
  EXPECT_EQ(battery->charging, 1.0);
  battery->Refresh(1);
  EXPECT_EQ(battery->charging, 0.0);
  EXPECT_EQ(bus->load, load);
}

TEST_F(ElectricSection, RemovedFluidObjectsAreNeverReadAgain) {
  Load(std::string(kNetwork) +
       "<SEPARATION>\n<CONFIG> 2\n<DELETE> HYDRAULIC:O2TANK\n<DELETE> HYDRAULIC:CABIN\n"
       "<DELETE> HYDRAULIC:RAD\n<DELETE> ELECTRIC:MAINA\n</CONFIG>\n</SEPARATION>\n");
  Get<FuelCell>("FC1")->startCommand = 1;
  vessel->Update(1);
  vessel->systems.SetConfiguration(2, false);
  EXPECT_EQ(Get<FuelCell>("FC1")->oxygenInput, nullptr);
  EXPECT_EQ(Get<Boiler>("HEAT")->tank, nullptr);
  EXPECT_EQ(Get<AtmRegenerator>("REGEN")->inlet, nullptr);
  EXPECT_EQ(Get<CoolingLoop>("LOOP")->bodyCount, 2);
  EXPECT_EQ(Get<CoolingLoop>("LOOP")->source, nullptr);
  EXPECT_EQ(Get<Battery>("BATT")->source, nullptr);
  for (int step = 2; step < 10; ++step) vessel->Update(step);  // under asan: nothing freed is touched
}

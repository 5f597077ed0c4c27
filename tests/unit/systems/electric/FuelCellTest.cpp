#include "systems/electric/FuelCell.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../fluid/FluidFixture.h"

namespace {

class FuelCells : public FluidFixture {
 protected:
  FuelCells() {
    oxygen = LiquidTank("O2", O2, 10000);
    hydrogen = LiquidTank("H2", H2, 2000);
    water = LiquidTank("WATER", H2O, 1000);
    cell = std::make_unique<FuelCell>("FC", Vec3(1, 0, 0), &oxygen->out, &hydrogen->out, &water->in, 100.0f);
  }

  FluidTank *LiquidTank(const char *name, int type, double grams) {
    FluidTank *tank = fluid.Append<FluidTank>(name, 100, Vec3());
    Fill(*tank, type, grams, 0, 290);
    tank->Complete(true, true, 0, fluid.thermal);
    return tank;
  }

  double Mass(FluidTank *tank, int type) { return tank->contents.substances[type].mass; }

  FluidTank *oxygen, *hydrogen, *water;
  std::unique_ptr<FuelCell> cell;
};

}  // namespace

TEST_F(FuelCells, HalfLoadReactsTheGivenMassesAndHeats) {
  cell->state = kCellRunning;
  cell->AddLoad(50);
  const double heat = cell->heatContent;
  cell->Refresh(1.0);
  EXPECT_NEAR(cell->demand, 0.303820, 1e-6);
  EXPECT_NEAR(cell->hydrogenUsed, 0.050637, 1e-6);
  EXPECT_NEAR(cell->oxygenUsed, 0.253183, 1e-6);
  EXPECT_NEAR(cell->heatContent - heat, 57.73, 0.01);
  EXPECT_NEAR(Mass(water, H2O) - 1000, 0.303820, 1e-6);
  EXPECT_NEAR(10000 - Mass(oxygen, O2), 0.253183, 1e-6);
  EXPECT_NEAR(cell->voltage, 28.8, 1e-5);
  EXPECT_EQ(cell->current, 50.0);
  EXPECT_EQ(cell->running, 0.0);
}

TEST_F(FuelCells, OverloadSagsTheVoltage) {
  cell->state = kCellRunning;
  cell->AddLoad(200);
  cell->Refresh(1.0);
  EXPECT_NEAR(cell->reactionLevel, 1.0f, 1e-6);
  EXPECT_NEAR(cell->voltage, 14.4, 1e-5);
  EXPECT_NEAR(10000 - Mass(oxygen, O2), 0.607639 * 5 / 6, 1e-6);  // its rated demand, no more
}

TEST_F(FuelCells, StartsOnlyWhenItCanMeetItsRatedDemand) {
  cell->startCommand = 1;
  cell->Refresh(1.0);
  EXPECT_EQ(cell->state, kCellRunning);
  EXPECT_EQ(cell->startCommand, 2);
  EXPECT_NEAR(cell->voltage, 28.8, 1e-5);

  hydrogen->contents.substances[H2].mass = 0;
  FuelCell dry("DRY", Vec3(), &oxygen->out, &hydrogen->out, &water->in, 100);
  dry.startCommand = 1;
  dry.Refresh(1.0);
  EXPECT_EQ(dry.state, kCellOff);
  EXPECT_EQ(dry.voltage, 28.8);  // a failed start leaves the voltage alone
  dry.startCommand = -1;
  dry.Refresh(1.0);
  EXPECT_EQ(dry.voltage, 0.0);
  EXPECT_EQ(dry.running, 1.0);
  hydrogen->contents.substances[H2].mass = 0.16 * 0.607639;  // 0.96 of the rated demand: not quite enough
  dry.startCommand = 1;
  dry.Refresh(1.0);
  EXPECT_EQ(dry.state, kCellOff);
}

TEST_F(FuelCells, ARunningCellWithoutReactantStops) {
  cell->state = kCellRunning;
  cell->AddLoad(10);
  hydrogen->contents.substances[H2].mass = 0;
  cell->Refresh(1.0);
  EXPECT_EQ(cell->state, kCellOff);
  EXPECT_EQ(cell->voltage, 0.0);
}

TEST_F(FuelCells, AClosedWaterValveLosesTheWaterButNotTheReaction) {
  water->in.open = 0;
  cell->state = kCellRunning;
  cell->AddLoad(50);
  cell->Refresh(1.0);
  EXPECT_EQ(Mass(water, H2O), 1000.0);
  EXPECT_LT(Mass(oxygen, O2), 10000.0);
  EXPECT_GT(cell->temperature, 290.0);
}

TEST_F(FuelCells, DegradationNeverNegativeAndPurgeLowersIt) {
  cell->state = kCellRunning;
  cell->AddLoad(50);
  cell->Refresh(1.0);
  EXPECT_NEAR(cell->dph, 9.574e-5, 1e-8);  // a balanced mixture wears the cell slowly
  // Starved of oxygen the wear would turn negative: it stays at none.
  FuelCell starved("STARVED", Vec3(), &oxygen->out, &hydrogen->out, &water->in, 100.0f);
  oxygen->contents.substances[O2].mass = 0.001;
  starved.state = kCellRunning;
  starved.AddLoad(50);
  starved.Refresh(1.0);
  EXPECT_EQ(starved.dph, 0.0);

  oxygen->contents.substances[O2].mass = 10000;
  cell->dph = 0.5;
  cell->purgeCommand = 1;
  cell->Refresh(1.0);
  EXPECT_EQ(cell->state, kCellRunning);
  EXPECT_NEAR(cell->dph, 0.5 * 0.98, 1e-3);
  // Six times the running demand, raised by the degradation: 2.555 g.
  EXPECT_NEAR(10000 - Mass(oxygen, O2), 2.5551, 1e-4);
}

// Consumers that hand back more than they drew leave a negative load: the
// cell reacts nothing rather than turning water back into its reactants.
TEST_F(FuelCells, ANegativeLoadReactsNothing) {
  cell->state = kCellRunning;
  cell->RemoveLoad(30);
  cell->Refresh(1.0);
  EXPECT_EQ(Mass(oxygen, O2), 10000.0);
  EXPECT_EQ(Mass(hydrogen, H2), 2000.0);
  EXPECT_EQ(Mass(water, H2O), 1000.0);
  EXPECT_EQ(cell->state, kCellOff);
}

TEST_F(FuelCells, ATooDegradedCellCannotDeliver) {
  cell->state = kCellRunning;
  cell->AddLoad(50);
  cell->Refresh(1.0);
  cell->dph = 2.0;  // 1 - ln(3) < 0
  cell->Refresh(1.0);
  EXPECT_EQ(cell->voltage, 0.0);
  EXPECT_EQ(cell->current, 0.0);
  EXPECT_EQ(cell->state, kCellOff);
  EXPECT_TRUE(std::isfinite(cell->dph));
  FuelCell unrated("ZERO", Vec3(), &oxygen->out, &hydrogen->out, &water->in, 0);
  unrated.state = kCellRunning;
  unrated.Refresh(1.0);
  EXPECT_EQ(unrated.voltage, 0.0);
}

TEST_F(FuelCells, WithoutPortsNothingIsInvented) {
  FuelCell detached("LOOSE", Vec3(), nullptr, nullptr, nullptr, 100);
  detached.startCommand = 1;
  detached.Refresh(1.0);
  EXPECT_EQ(detached.state, kCellOff);
  EXPECT_EQ(detached.reactionLevel, 0.0f);
  cell->DropReference(hydrogen);
  EXPECT_EQ(cell->hydrogenInput, nullptr);
  EXPECT_NE(cell->oxygenInput, nullptr);
}

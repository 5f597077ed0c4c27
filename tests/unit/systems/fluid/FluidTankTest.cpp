#include "systems/fluid/FluidTank.h"

#include <gtest/gtest.h>

#include "FluidFixture.h"

namespace {

class Tanks : public FluidFixture {};

}  // namespace

TEST_F(Tanks, AreaOfAThousandLitreTank) {
  FluidTank *tank = GasTank("T", 1000, N2, 10);
  EXPECT_NEAR(tank->area, 11.12, 0.01);
  EXPECT_EQ(tank->insulation, 1.0);
  EXPECT_EQ(thermal.Bodies().size(), 1u);
}

TEST_F(Tanks, ValveOpensAfterItsDelayAndANewCommandReplacesTheOld) {
  FluidTank *tank = fluid.Append<FluidTank>("T", 10, Vec3());
  tank->Complete(false, false, 0.5, fluid.thermal);
  EXPECT_EQ(tank->insulation, 0.5);
  tank->in.pendingCommand = 3;
  tank->Refresh(0.0);
  EXPECT_EQ(tank->in.actuationTimer, 3.0f);
  int steps = 0;
  while (!tank->in.open && steps < 1000) {
    tank->Refresh(0.5);
    ++steps;
  }
  EXPECT_EQ(steps, 6);
  EXPECT_EQ(tank->in.actuationTimer, 0.0f);

  tank->out.pendingCommand = 2;
  tank->Refresh(0.5);
  tank->out.pendingCommand = -1;  // cancels the opening under way
  tank->Refresh(0.5);
  tank->Refresh(0.5);
  EXPECT_EQ(tank->out.open, 0);
  EXPECT_EQ(tank->out.actuationTimer, 0.0f);
  tank->Refresh(1.0);
  EXPECT_EQ(tank->out.open, 0);
}

TEST_F(Tanks, TakesAreLimitedPerStepAndClosedPortsGiveNothing) {
  FluidTank *big = GasTank("Big", 100, N2, 1000);
  const FluidContents parcel = big->out.Take(10000);
  EXPECT_NEAR(parcel.substances[N2].mass, 1000 * 0.005 / 100, 1e-6);
  EXPECT_NEAR(big->mass, 1000 - parcel.substances[N2].mass, 1e-9);

  FluidTank *small = GasTank("Small", 0.004, N2, 1);
  EXPECT_NEAR(small->out.Take(10000).TotalMass(), 1.0, 1e-9);

  FluidTank *shut = GasTank("Shut", 100, N2, 1000);
  shut->out.open = 0;
  EXPECT_EQ(shut->out.Take(10000).TotalMass(), 0.0);
  shut->in.open = 0;
  shut->in.Put(parcel);
  EXPECT_NEAR(shut->contents.TotalMass(), 1000.0, 1e-9);
}

TEST_F(Tanks, HeatRemovalBeyondTheEnergyHeldIsCutToATenth) {
  FluidTank *tank = GasTank("T", 10, N2, 1);
  tank->contents.energy = 50;
  tank->heatContent = 50;
  tank->AddHeat(-100);
  EXPECT_EQ(tank->contents.energy, 45.0);
  EXPECT_EQ(tank->heatContent, 45.0);
  tank->AddHeat(-20);
  EXPECT_EQ(tank->contents.energy, 25.0);
}

TEST_F(Tanks, InflowKeepsTheTemperatureUntilTheNextRefresh) {
  FluidTank *tank = GasTank("T", 10, N2, 10, 300);
  tank->Refresh(0.0);
  FluidContents hot;
  hot.AddSubstance(N2, MakeSubstance(N2, 10, 10, 500));
  EXPECT_EQ(tank->AcceptInflow(hot), 1);
  EXPECT_NEAR(tank->temperature, 300.0, 1e-9);
  EXPECT_NEAR(tank->mass, 20.0, 1e-12);
  tank->Refresh(0.0);
  EXPECT_NEAR(tank->temperature, 400.0, 1e-9);
}

// An emptied tank (a trace left by its last share) takes no heat, and the
// next trace that flows back in has its own temperature, not one of ten
// billion kelvin made of the heat taken while empty.
TEST_F(Tanks, AnEmptyTankTakesNoHeatAndATraceComesInAtItsOwnTemperature) {
  FluidTank *tank = GasTank("T", 10, N2, 1e-12, 300);
  tank->Refresh(0.0);
  const double energy = tank->contents.energy;
  for (int step = 0; step < 100; ++step) tank->AddHeat(1000.0);
  EXPECT_EQ(tank->contents.energy, energy);
  FluidContents trace;
  trace.AddSubstance(N2, MakeSubstance(N2, 1.6e-10, 1.6e-10, 250));
  tank->AcceptInflow(trace);
  tank->Refresh(0.0);
  EXPECT_NEAR(tank->temperature, 250.0, 1e-6);
  EXPECT_LT(tank->contents.pressure, 1.0);
}

TEST_F(Tanks, DestroyedTanksLeaveTheThermalModel) {
  GasTank("A", 10, N2, 1);
  FluidTank *b = GasTank("B", 10, N2, 1);
  b->stage = 2;
  fluid.RemoveStage(2, nullptr);
  ASSERT_EQ(thermal.Bodies().size(), 1u);
  EXPECT_EQ(fluid.FindByName("B"), nullptr);
}

#include "systems/fluid/FluidPipe.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FluidFixture.h"

namespace {

class Pipes : public FluidFixture {
 protected:
  Pipes() {
    a = GasTank("A", 100, N2, 1000);
    b = GasTank("B", 100, N2, 1000);
  }

  FluidPipe *Join(PipeKind kind, double s1 = 0, double s2 = 0, bool twoWay = true) {
    return fluid.Append<FluidPipe>("P", &a->out, &b->in, kind, s1, s2, twoWay);
  }

  // Pressures as the tanks' last update left them.
  void Pressures(double pa, double pb) {
    a->contents.pressure = pa;
    b->contents.pressure = pb;
  }

  double Moved() { return 1000.0 - TotalMass(*a); }

  FluidTank *a;
  FluidTank *b;
};

}  // namespace

TEST_F(Pipes, PlainPipeMovesPressureDifferenceTimesStepTimesSize) {
  FluidPipe *pipe = Join(kPlainPipe);
  Pressures(200000, 100000);
  pipe->Refresh(0.02);
  // 0.002 L of the source's 100 L.
  EXPECT_NEAR(Moved(), 1000 * 0.002 / 100, 1e-6);
  EXPECT_NEAR(TotalMass(*a) + TotalMass(*b), 2000.0, 1e-9);
}

TEST_F(Pipes, FlowPerStepIsCappedAtFiveMillilitres) {
  FluidPipe *pipe = Join(kPlainPipe);
  Pressures(1.1e6, 1e5);
  pipe->Refresh(1.0);
  EXPECT_NEAR(Moved(), 1000 * 0.005 / 100, 1e-6);
}

TEST_F(Pipes, TwoWayPipeFlowsBackOneWayPipeDoesNotButStillConducts) {
  FluidPipe *twoWay = Join(kPlainPipe);
  Pressures(100000, 200000);
  twoWay->Refresh(0.02);
  EXPECT_NEAR(Moved(), -1000 * 0.002 / 100, 1e-6);

  FluidTank *c = GasTank("C", 100, N2, 1000, 400);
  FluidTank *d = GasTank("D", 100, N2, 1000, 300);
  FluidPipe oneWay("Q", &c->out, &d->in, kPlainPipe, 0, 0, false);
  c->contents.pressure = 100000;
  d->contents.pressure = 200000;
  c->temperature = 400;
  d->temperature = 300;
  const double energyBefore = d->contents.energy;
  oneWay.Refresh(0.5);
  EXPECT_EQ(TotalMass(*c), 1000.0);
  EXPECT_NEAR(d->contents.energy - energyBefore, 100 * 0.5, 1e-9);
}

TEST_F(Pipes, RegulatorDeliversAtMostItsSetting) {
  FluidPipe *pipe = Join(kRegulatorPipe, 150000);
  Pressures(300000, 100000);
  pipe->Refresh(0.05);
  // As from 150 kPa: 50 kPa x 0.05 s x 0.001 / 1000 = 0.0025 L of 100 L.
  EXPECT_NEAR(Moved(), 1000 * 0.0025 / 100, 1e-6);
  const double before = TotalMass(*a);
  Pressures(300000, 150000);
  pipe->Refresh(1.0);
  // Regulated at 150 kPa against 150 kPa: nothing forward, and nothing back
  // while the real source pressure is higher.
  EXPECT_EQ(TotalMass(*a), before);
}

TEST_F(Pipes, BurstDiscOpensAboveItsFirstSettingAndClosesBelowItsSecond) {
  FluidPipe *pipe = Join(kBurstPipe, 500000, 100000);
  Pressures(400000 + 1e5, 1e5);
  pipe->Refresh(0.01);
  EXPECT_EQ(pipe->burstOpen, 0);
  EXPECT_EQ(Moved(), 0.0);
  Pressures(600000 + 1e5, 1e5);
  pipe->Refresh(0.01);
  EXPECT_EQ(pipe->burstOpen, 1);
  EXPECT_GT(Moved(), 0.0);
  Pressures(200000 + 1e5, 1e5);  // below the opening difference, above the closing one
  pipe->Refresh(0.01);
  EXPECT_EQ(pipe->burstOpen, 1);
  Pressures(100000 + 1e5, 1e5);  // the closing difference itself
  pipe->Refresh(0.01);
  EXPECT_EQ(pipe->burstOpen, 1);
  Pressures(50000 + 1e5, 1e5);
  const double before = TotalMass(*a);
  pipe->Refresh(0.01);
  EXPECT_EQ(pipe->burstOpen, 0);
  EXPECT_EQ(TotalMass(*a), before);
}

TEST_F(Pipes, MovableWallShiftsVolumeNotMass) {
  FluidPipe *pipe = Join(kWallPipe, 10000);
  Pressures(300000, 100000);
  pipe->Refresh(1.0);
  EXPECT_NEAR(a->contents.volume, 100.005, 1e-12);
  EXPECT_NEAR(b->contents.volume, 99.995, 1e-12);
  EXPECT_EQ(TotalMass(*a), 1000.0);
  EXPECT_EQ(TotalMass(*b), 1000.0);
  // Back only while the destination is larger than built.
  Pressures(100000, 300000);
  pipe->Refresh(1.0);
  EXPECT_NEAR(b->contents.volume, 99.995, 1e-12);
  // Larger than built, the higher-pressure destination pushes the wall back.
  b->contents.volume = 101;
  a->contents.volume = 99;
  pipe->Refresh(0.01);
  EXPECT_NEAR(a->contents.volume + b->contents.volume, 200.0, 1e-12);
  EXPECT_GT(b->contents.volume, 101.0);
  // Below the cap, the wall's travel either way is in proportion to the step's length.
  for (const double sourcePressure : {100000, 300000}) {
    Pressures(sourcePressure, 400000 - sourcePressure);
    b->contents.volume = 101;
    pipe->Refresh(1e-5);
    const double shortStep = b->contents.volume - 101;
    pipe->Refresh(2e-5);
    EXPECT_NEAR(b->contents.volume - 101, 3 * shortStep, 1e-12);
    EXPECT_GT(std::fabs(shortStep), 1e-6);
  }
  // It never squeezes the far side to nothing.
  b->contents.volume = kMaxTakeVolume;
  Pressures(300000, 100000);
  pipe->Refresh(1.0);
  EXPECT_EQ(b->contents.volume, kMaxTakeVolume);
}

TEST_F(Pipes, HeatFlowsAtOneWattPerKelvinAndAClosedValveStopsEverything) {
  FluidPipe *pipe = Join(kPlainPipe);
  a->temperature = 350;
  b->temperature = 300;
  Pressures(1e5, 1e5);
  const double before = a->contents.energy;
  pipe->Refresh(2.0);
  EXPECT_NEAR(before - a->contents.energy, 100.0, 1e-9);
  b->in.open = 0;
  Pressures(2e5, 1e5);
  const double energy = a->contents.energy;
  pipe->Refresh(2.0);
  EXPECT_EQ(a->contents.energy, energy);
  EXPECT_EQ(TotalMass(*a), 1000.0);
}

TEST_F(Pipes, ConductionNeverDrainsATankBelowZero) {
  FluidPipe *pipe = Join(kPlainPipe);
  a->temperature = 1e6;
  b->temperature = 0;
  a->contents.energy = 20;
  Pressures(1e5, 1e5);
  pipe->Refresh(1.0);
  EXPECT_NEAR(a->contents.energy, 18.0, 1e-12);
  a->temperature = 0;  // and the other way, the energy conserved
  b->temperature = 1e6;
  b->contents.energy = 20;
  const double total = a->contents.energy + b->contents.energy;
  pipe->Refresh(1.0);
  EXPECT_NEAR(b->contents.energy, 18.0, 1e-12);
  EXPECT_NEAR(a->contents.energy + b->contents.energy, total, 1e-9);
}

TEST_F(Pipes, RemovedTankIsForgottenByItsPipes) {
  FluidPipe *pipe = Join(kPlainPipe);
  b->stage = 1;
  fluid.RemoveStage(1, nullptr);
  EXPECT_EQ(pipe->destination, nullptr);
  EXPECT_NE(pipe->source, nullptr);
  // With its far end gone the pipe moves nothing, whatever the pressure.
  a->contents.pressure = 2e5;
  const double mass = TotalMass(*a), energy = a->contents.energy;
  pipe->Refresh(1.0);
  EXPECT_EQ(TotalMass(*a), mass);
  EXPECT_EQ(a->contents.energy, energy);
}

// Three tanks in a ring of pipes of every kind, stepped for a long time.
TEST_F(Pipes, LongRunsConserveMassAndStayFinite) {
  FluidTank *c = fluid.Append<FluidTank>("C", 20, Vec3(1, 0, 0));
  Fill(*c, H2O, 2000, 0, 330);
  Fill(*c, O2, 30, 30, 330);
  c->Complete(true, true, 0, fluid.thermal);
  Join(kPlainPipe);
  fluid.Append<FluidPipe>("BC", &b->out, &c->in, kRegulatorPipe, 120000, 0, true);
  fluid.Append<FluidPipe>("CA", &c->out, &a->in, kBurstPipe, 20000, 5000, false);
  fluid.Append<FluidPipe>("W", &a->out, &c->in, kWallPipe, 50000, 0, true);
  const double total = TotalMass(*a) + TotalMass(*b) + TotalMass(*c);
  for (int step = 0; step < 20000; ++step) {
    fluid.RefreshAll(0.05);
    if (step == 5000) a->AddHeat(-1e9);
    for (FluidTank *t : {a, b, c}) {
      ASSERT_TRUE(std::isfinite(t->contents.energy) && t->contents.energy >= 0) << step;
      ASSERT_TRUE(std::isfinite(t->contents.pressure) && t->contents.pressure >= 0) << step;
      for (const Substance &s : t->contents.substances) ASSERT_GE(s.mass, 0.0);
    }
  }
  EXPECT_NEAR(TotalMass(*a) + TotalMass(*b) + TotalMass(*c), total, 1e-6);
}

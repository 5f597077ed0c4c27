#include "systems/fluid/FluidContents.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FluidFixture.h"

namespace {

const auto Make = FluidFixture::MakeSubstance;

}  // namespace

TEST(FluidContents, CreatedEmptyAt273K) {
  const FluidContents c;
  EXPECT_EQ(c.temperature, 273.0);
  EXPECT_EQ(c.count, 0);
}

TEST(FluidContents, TemperatureIsEnergyOverTheSummedHeatCapacity) {
  FluidContents c;
  c.volume = 100;
  c.AddSubstance(N2, Make(N2, 100, 100, 300));
  c.AddSubstance(O2, Make(O2, 50, 50, 250));
  EXPECT_EQ(c.count, 2);
  const double heatCapacity = 100 * 1.04 + 50 * 0.918;
  c.ThermalComps(0.0);
  EXPECT_NEAR(c.temperature, (300 * 104 + 250 * 45.9) / heatCapacity, 1e-9);
  // Every substance now carries the mixture's temperature.
  EXPECT_NEAR(c.substances[O2].energy, c.temperature * 50 * 0.918, 1e-9);
  // Ideal gas: n R T / V.
  const double moles = 100.0 / 28 + 50.0 / 32;
  EXPECT_NEAR(c.pressure, moles * kGasConstant * c.temperature / 100, 1e-6);
  EXPECT_NEAR(c.substances[N2].partialPressure + c.substances[O2].partialPressure, c.pressure, 1e-6);
}

TEST(FluidContents, LiquidIsSlightlyCompressible) {
  FluidContents c;
  c.volume = 10;
  c.AddSubstance(H2O, Make(H2O, 5000, 0, 290));
  c.AddSubstance(N2, Make(N2, 10, 10, 290));
  c.ThermalComps(0.0);
  const double liquid = 5.0, stiffness = liquid / 2180000.0;
  const double gas = c.volume - liquid;
  const double nRT = 10.0 / 28 * kGasConstant * c.temperature;
  EXPECT_NEAR(stiffness * c.pressure * c.pressure + gas * c.pressure - nRT, 0.0, 1e-3);
  EXPECT_LT(c.pressure, nRT / gas);
}

TEST(FluidContents, BoilingLeavesOneGramOfLiquidAndNeverNegativeEnergy) {
  FluidContents c;
  c.volume = 1e6;  // a near vacuum: water keeps boiling
  c.AddSubstance(H2O, Make(H2O, 1000, 0, 372));
  for (int i = 0; i < 3000; ++i) {
    c.ThermalComps(1.0);
    ASSERT_GE(c.substances[H2O].energy, 0.0);
  }
  EXPECT_GE(c.substances[H2O].mass - c.substances[H2O].vapourMass, 1.0 - 1e-9);
  EXPECT_TRUE(std::isfinite(c.temperature));
}

TEST(FluidContents, BoilingIsLimitedByTheEnergyItCosts) {
  Substance water = Make(H2O, 100, 0, 1);  // 418 J: pays for 0.185 g
  const double change = water.Boil(10, kSubstances[H2O]);
  EXPECT_NEAR(water.vapourMass, 418.0 / 2260, 1e-12);
  EXPECT_NEAR(water.energy, 0.0, 1e-9);
  EXPECT_NEAR(change, -418.0, 1e-9);
  EXPECT_NEAR(water.Condense(1.0, kSubstances[H2O]), 418.0, 1e-9);
  EXPECT_EQ(water.vapourMass, 0.0);
}

TEST(FluidContents, ZeroStepRecomputesButNeitherBoilsNorCondenses) {
  FluidContents c;
  c.volume = 1e6;
  c.AddSubstance(H2O, Make(H2O, 10, 2, 400));
  c.ThermalComps(0.0);
  EXPECT_EQ(c.substances[H2O].vapourMass, 2.0);
  EXPECT_NEAR(c.temperature, 400.0, 1e-9);
  EXPECT_GT(c.pressure, 0.0);
}

TEST(FluidContents, BelowItsVapourLineWaterCondensesWhateverThePressure) {
  FluidContents c;
  c.volume = 1e6;
  c.AddSubstance(H2O, Make(H2O, 10, 5, 214));  // water's line reaches 0 Pa near 215 K
  c.ThermalComps(1.0);
  EXPECT_EQ(c.substances[H2O].vapourMass, 4.0);
}

TEST(FluidContents, EmptyContentsHaveNoTemperatureNorPressure) {
  FluidContents c;
  c.volume = 50;
  c.ThermalComps(1.0);
  EXPECT_EQ(c.temperature, 0.0);
  EXPECT_EQ(c.pressure, 0.0);
  for (const Substance &s : c.substances) EXPECT_EQ(s.partialPressure, 0.0);
}

TEST(FluidContents, TakeFractionIsProportionalAndCappedAtTheWhole) {
  FluidContents c;
  c.volume = 10;
  c.AddSubstance(N2, Make(N2, 100, 100, 300));
  c.AddSubstance(H2O, Make(H2O, 20, 5, 300));
  c.ThermalComps(0.0);
  const double before = c.temperature;
  FluidContents part = c.TakeFraction(2.5);
  EXPECT_NEAR(part.substances[N2].mass, 25.0, 1e-5);
  EXPECT_NEAR(part.substances[H2O].vapourMass, 1.25, 1e-6);
  EXPECT_NEAR(part.TotalMass() + c.TotalMass(), 120.0, 1e-9);
  c.ThermalComps(0.0);
  EXPECT_NEAR(c.temperature, before, 1e-6);

  FluidContents all = c.TakeFraction(1000);
  EXPECT_EQ(c.TotalMass(), 0.0);
  EXPECT_NEAR(all.TotalMass(), 90.0, 1e-5);

  FluidContents none;
  none.AddSubstance(O2, Make(O2, 5, 5, 300));
  EXPECT_EQ(none.TakeFraction(0.0).TotalMass(), 0.0);  // no volume, nothing asked
  EXPECT_EQ(none.TakeFraction(1.0).TotalMass(), 5.0);  // no volume, all of it
  EXPECT_EQ(none.TakeFraction(-1.0).TotalMass(), 0.0);
}

TEST(FluidContents, AddingAParcelChangesTemperatureOnlyAtTheNextUpdate) {
  FluidContents c;
  c.volume = 10;
  c.AddSubstance(N2, Make(N2, 10, 10, 300));
  c.ThermalComps(0.0);
  FluidContents hot;
  hot.AddSubstance(N2, Make(N2, 10, 10, 500));
  c.AddContents(hot);
  EXPECT_NEAR(c.temperature, 300.0, 1e-9);
  c.ThermalComps(0.0);
  EXPECT_NEAR(c.temperature, 400.0, 1e-9);
}

TEST(FluidContents, AnUnknownSubstanceTypeIsNeverStored) {
  FluidContents c;
  Substance bad;
  bad.mass = 3;
  c.AddSubstance(7, bad);
  EXPECT_EQ(c.TotalMass(), 0.0);
  EXPECT_EQ(c.count, 0);
}

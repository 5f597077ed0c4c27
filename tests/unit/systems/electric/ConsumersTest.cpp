// Cooling loops, atmosphere regenerators and boilers.
#include <gtest/gtest.h>

#include "Supply.h"

#include "../fluid/FluidFixture.h"
#include "systems/electric/AtmRegenerator.h"
#include "systems/electric/Boiler.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/PowerBus.h"

namespace {

ThermalBody Body(double kelvin) {
  ThermalBody b;
  b.mass = 1000;
  b.specificHeat = 1;
  b.SetTemperature(kelvin);
  return b;
}

class Consumers : public FluidFixture {};

}  // namespace

TEST_F(Consumers, CoolingLoopExchangesAlongTheRingAndClosesIt) {
  Supply bus(28.8);
  ThermalBody radiator = Body(250), cell = Body(350);
  CoolingLoop loop("LOOP", kPumpForcedOn, &bus, 2.0, 0, 0);
  loop.AddBody(nullptr, &radiator, 2);
  loop.AddBody(nullptr, &cell, 0.5);
  loop.Refresh(0.5);
  // 100 K x 2 x 0.5 s x 2 = 200 J from the cell, then (349.8 - 250.2) x 0.5 x 0.5 s x 2 more.
  const double second = (349.8 - 250.2) * 0.5;
  EXPECT_NEAR(radiator.heatContent - 250000, 200 + second, 1e-6);
  EXPECT_NEAR(350000 - cell.heatContent, 200 + second, 1e-6);
  EXPECT_FLOAT_EQ(bus.load, 8.3f);
}

TEST_F(Consumers, AutomaticCoolingLoopHoldsItsStateBetweenTheSetPoints) {
  Supply bus(28.8);
  ThermalBody first = Body(300), second = Body(300);
  CoolingLoop loop("LOOP", kPumpAutomatic, &bus, 1.0, 280, 320);
  loop.AddBody(nullptr, &first, 1);
  loop.AddBody(nullptr, &second, 1);
  loop.on = 0;
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 0.0);
  first.SetTemperature(330);
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 1.0);
  first.SetTemperature(300);
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 1.0);
  first.SetTemperature(280);  // the set points themselves change nothing
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 1.0);
  first.SetTemperature(270);
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 0.0);
  first.SetTemperature(320);
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 0.0);
  EXPECT_EQ(bus.load, 0.0);
  CoolingLoop empty("EMPTY", kPumpAutomatic, &bus, 1.0, 280, 320);
  empty.Refresh(1);  // no first body to read
  EXPECT_EQ(empty.on, 1.0);
  loop.minRate = 10;
  loop.maxRate = -5;
  loop.Refresh(2.0);
  EXPECT_EQ(loop.minT, 282.0);
  EXPECT_EQ(loop.maxT, 319.0);
}

TEST_F(Consumers, LowVoltageStopsTheLoopButKeepsItsDraw) {
  Supply bus(27.0);
  ThermalBody a = Body(250), b = Body(350);
  CoolingLoop loop("LOOP", kPumpForcedOn, &bus, 1.0, 0, 0);
  loop.AddBody(nullptr, &a, 1);
  loop.AddBody(nullptr, &b, 1);
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 0.0);
  EXPECT_EQ(a.heatContent, 250000.0);
  EXPECT_FLOAT_EQ(bus.load, 8.3f);
  bus.voltage = 28.0;  // the limit itself still runs the pump
  loop.Refresh(1);
  EXPECT_EQ(loop.on, 1.0);
  EXPECT_GT(a.heatContent, 250000.0);
}

TEST_F(Consumers, DestroyingADrawingLoopWithdrawsItsDraw) {
  Supply bus(28.8);
  {
    CoolingLoop loop("LOOP", kPumpForcedOn, &bus, 1.0, 0, 0);
    loop.Refresh(1);
    EXPECT_FLOAT_EQ(bus.load, 8.3f);
  }
  EXPECT_NEAR(bus.load, 0.0, 1e-6);
}

TEST_F(Consumers, RegeneratorScrubsAllCarbonDioxideAndWater) {
  FluidTank *cabin = GasTank("CABIN", 10000, N2, 9000);
  Fill(*cabin, CO2, 50, 50, 290);
  Fill(*cabin, H2O, 10, 10, 290);
  FluidTank *scrubbed = GasTank("SCRUBBED", 100, N2, 1);
  cabin->contents.pressure = 101000;
  scrubbed->contents.pressure = 100000;
  EXPECT_EQ(AtmRegenerator("OFF", 0, nullptr, 0, nullptr, nullptr).mode, -1);  // configured off
  AtmRegenerator regen("REGEN", 1, nullptr, 0, &cabin->out, &scrubbed->in);
  regen.Refresh(1.0);
  // 1000 Pa x 1 s x 0.001 / 1000 = 0.001 L of the cabin's 10000 L.
  EXPECT_NEAR(9000 - cabin->contents.substances[N2].mass, 9000 * 1e-7, 1e-6);
  EXPECT_GT(cabin->contents.substances[N2].mass, 0.0);
  EXPECT_EQ(scrubbed->contents.substances[CO2].mass, 0.0);
  EXPECT_EQ(scrubbed->contents.substances[H2O].mass, 0.0);
  EXPECT_LT(cabin->contents.substances[CO2].mass, 50.0);
  regen.mode = -1;
  regen.Refresh(1.0);
  EXPECT_EQ(regen.on, 0.0);
}

TEST_F(Consumers, BoilerNeedsAnAcBusAndKeepsAFiveKelvinBand) {
  FluidTank *tank = GasTank("TANK", 100, N2, 100);
  tank->Refresh(0);
  Supply dc(28.8);
  Boiler onDc("B1", 1, &dc, 300, 366, tank);
  const double energy = tank->contents.energy;
  onDc.Refresh(1);
  EXPECT_EQ(onDc.on, 0.0);
  EXPECT_EQ(dc.load, 0.0);
  EXPECT_EQ(tank->contents.energy, energy);

  Supply ac(36.0);
  Boiler heater("B2", 1, &ac, 300, 366, tank);
  heater.Refresh(1);
  EXPECT_EQ(heater.on, 1.0);
  EXPECT_FLOAT_EQ(ac.load, 10.0f);
  EXPECT_NEAR(tank->contents.energy - energy, 360.0, 1e-9);
  tank->temperature = 304;
  heater.Refresh(1);
  EXPECT_EQ(heater.on, 1.0);
  tank->temperature = 306;
  heater.Refresh(1);
  EXPECT_EQ(heater.on, 0.0);
  EXPECT_NEAR(ac.load, 0.0, 1e-6);
  Boiler unpowered("B3", -1, nullptr, 300, 366, tank);
  unpowered.Refresh(1);
  EXPECT_EQ(unpowered.on, 0.0);
}

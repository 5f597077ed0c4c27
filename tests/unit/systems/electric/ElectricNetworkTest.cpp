// The load protocol between sources, buses, sockets and consumers.
#include <gtest/gtest.h>

#include "Supply.h"

#include "systems/electric/Battery.h"
#include "systems/electric/CoolingLoop.h"
#include "systems/electric/PowerBus.h"
#include "systems/electric/Socket.h"

TEST(LoadProtocol, BusesForwardTheirLoadAndAConsumerMovesItOnAndOff) {
  Supply cell(28.8);
  DCBus bus("BUS", &cell);
  EXPECT_EQ(cell.load, 3.0);
  CoolingLoop loop("LOOP", kPumpForcedOn, &bus, 1, 0, 0);
  loop.Refresh(1);
  EXPECT_NEAR(bus.load, 11.3, 1e-6);
  EXPECT_NEAR(cell.load, 11.3, 1e-6);
  loop.mode = kPumpOff;
  loop.Refresh(1);
  EXPECT_NEAR(bus.load, 3.0, 1e-6);
  EXPECT_NEAR(cell.load, 3.0, 1e-6);
  ACBus ac("AC", &bus);
  EXPECT_NEAR(bus.load, 10.5, 1e-6);  // 6 A at 36 V is 7.5 A at 28.8 V
  EXPECT_NEAR(cell.load, 10.5, 1e-6);
  CoolingLoop unpowered("NOPOWER", kPumpForcedOn, nullptr, 1, 0, 0);
  unpowered.Refresh(1);
  EXPECT_EQ(unpowered.draw.drawing, 0);
}

TEST(LoadProtocol, ADisconnectedBusCollectsLoadAndForwardsItWhole) {
  Supply cell(24.9);
  DCBus bus("BUS", &cell);
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusDisconnected);
  EXPECT_EQ(bus.voltage, 0.0);
  EXPECT_EQ(bus.current, 0.0);
  EXPECT_EQ(cell.load, 0.0);
  bus.AddLoad(5);
  bus.AddLoad(2);
  bus.RemoveLoad(1);
  EXPECT_EQ(cell.load, 0.0);
  // Moved while disconnected, it is carried by neither source.
  Supply other(28.8);
  bus.Connect(&other);
  EXPECT_EQ(other.load, 0.0);
  bus.Connect(&cell);
  EXPECT_EQ(cell.load, 0.0);
  cell.voltage = 28.8;
  bus.resetCommand = 1;
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusConnected);
  EXPECT_EQ(cell.load, 9.0);
  EXPECT_EQ(bus.voltage, 0.0);  // refreshed only in the next step
  bus.Refresh(1);
  EXPECT_EQ(bus.voltage, 28.8);
}

TEST(PowerBus, VoltageBandsAreInclusive) {
  for (double volts : {25.0, 28.8, 30.0}) {
    Supply cell(volts);
    DCBus bus("BUS", &cell);
    bus.Refresh(1);
    EXPECT_EQ(bus.state, kBusConnected) << volts;
  }
  Supply high(30.01);
  DCBus bus("BUS", &high);
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusDisconnected);

  Supply dc(28.8);
  ACBus ac("AC", &dc);
  ac.Refresh(1);
  EXPECT_NEAR(ac.voltage, 36.0, 1e-12);
  EXPECT_EQ(ac.state, kBusConnected);
  Supply low(23.0);
  ACBus sagging("AC", &low);
  low.voltage = 23.0;
  sagging.state = kBusConnected;
  sagging.voltage = 0;
  // The band is checked on the converted voltage: 28.75 V is below 30 V.
  sagging.Refresh(1);
  EXPECT_EQ(sagging.state, kBusDisconnected);
  DCBus orphan("ORPHAN", nullptr);
  orphan.Refresh(1);
  EXPECT_EQ(orphan.state, kBusDisconnected);
}

TEST(PowerBus, TheResetCommandIsALevel) {
  Supply cell(20.0);
  DCBus bus("BUS", &cell);
  bus.resetCommand = 1;
  bus.Refresh(1);  // out of band: disconnects
  EXPECT_EQ(bus.state, kBusDisconnected);
  bus.Refresh(1);  // held at 1: reconnects
  EXPECT_EQ(bus.state, kBusConnected);
  bus.Refresh(1);  // still out of band
  EXPECT_EQ(bus.state, kBusDisconnected);
  cell.voltage = 28.8;
  bus.Refresh(1);
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusConnected);
  bus.resetCommand = -1;
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusDisconnected);
  EXPECT_EQ(cell.load, 0.0);
}

// A bus restored disconnected is dark until it reconnects, as when it tripped:
// its consumers must not see the voltage a new bus starts with.
TEST(PowerBus, ARestoredDisconnectedBusCarriesNothing) {
  Supply cell(28.8);
  DCBus bus("BUS", &cell);
  bus.LoadStateLine("    <DC> BUS 3.0000 2 0");
  EXPECT_EQ(bus.state, kBusDisconnected);
  EXPECT_EQ(bus.voltage, 0.0);
  bus.Refresh(1);
  EXPECT_EQ(bus.voltage, 0.0);
  bus.LoadStateLine("    <DC> BUS 3.0000 0 1");
  bus.Refresh(1);
  EXPECT_DOUBLE_EQ(bus.voltage, 28.8);
}

TEST(Battery, DrainsAtVoltsTimesAmpsAndGoesDarkBelowZero) {
  Battery battery("BATT", nullptr, 86400);
  DCBus bus("BUS", &battery);
  for (int s = 0; s < 1000; ++s) {
    battery.Refresh(1);
    bus.Refresh(1);
  }
  EXPECT_NEAR(battery.charge, 0.0, 1e-6);
  EXPECT_EQ(bus.state, kBusConnected);
  battery.Refresh(1);
  EXPECT_LT(battery.charge, 0.0);  // the step that goes below still delivered
  EXPECT_EQ(battery.voltage, 28.8);
  battery.Refresh(1);
  EXPECT_EQ(battery.voltage, 0.0);
  EXPECT_EQ(battery.current, 0.0);
  bus.Refresh(1);
  EXPECT_EQ(bus.state, kBusDisconnected);
}

// Charging takes 30 A from the source while commanded and stores 864 J a
// second, less what the battery's own consumers take. It stops once the
// battery is full, the draw leaving the source and the command kept, and
// starts again only below 99 % of the capacity.
TEST(Battery, ChargesAtThirtyAmpsWhileCommandedUpToItsCapacity) {
  Supply bus(28.8);
  Battery battery("BATT", &bus, 10000);
  battery.charge = 8000;
  battery.AddLoad(1);  // 28.8 J a second
  battery.chargeCommand = 1;
  battery.Refresh(1);
  EXPECT_EQ(bus.load, 30.0);
  EXPECT_NEAR(battery.charge, 8000 - 28.8 + 864, 1e-9);
  battery.chargeCommand = -1;
  battery.Refresh(1);
  EXPECT_EQ(bus.load, 0.0);
  EXPECT_EQ(battery.charging, 0.0);
  battery.chargeCommand = 1;
  battery.Refresh(1);
  battery.Refresh(1);
  EXPECT_EQ(battery.charge, 10000.0);
  EXPECT_EQ(bus.load, 0.0);
  EXPECT_EQ(battery.chargeCommand, 1);
  for (int second = 0; second < 3; ++second) battery.Refresh(1);
  EXPECT_EQ(battery.charging, 0.0);  // 99.1 % is full enough
  EXPECT_NEAR(battery.charge, 10000 - 3 * 28.8, 1e-9);
  battery.Refresh(1);  // below 99 %: a step of charging fills it again
  EXPECT_EQ(battery.charge, 10000.0);
}

TEST(Socket, SelectsOneOfThreeSourcesAndMovesTheTargetsDraw) {
  Supply a(28.8), b(28.8), c(28.8);
  Battery battery("BATT", &a, 1000);
  battery.charge = 0;
  battery.chargeCommand = 1;
  battery.Refresh(1);
  EXPECT_EQ(a.load, 30.0);
  Socket socket("SOCK", &battery, 3, &a, &b, &c);  // position 1: the third
  socket.Refresh(1);
  EXPECT_EQ(battery.source, &c);
  EXPECT_EQ(a.load, 0.0);
  EXPECT_EQ(c.load, 30.0);
  socket.Refresh(1);  // applied once
  EXPECT_EQ(c.load, 30.0);
  socket.DropReference(&a);  // not the selected one
  EXPECT_EQ(battery.source, &c);
  socket.DropReference(&c);
  EXPECT_EQ(battery.source, nullptr);
  EXPECT_EQ(c.load, 0.0);
  socket.position = 5;  // no such position: the target keeps its source
  battery.Connect(&b);
  socket.Refresh(1);
  EXPECT_EQ(battery.source, &b);
  Socket unset("UNSET", &battery, 0, &a, &b, &c);  // 0 - 2 is the unapplied -2
  unset.Refresh(1);
  EXPECT_EQ(battery.source, &b);
}

TEST(Socket, ARestoredPositionSetsTheSourceWithoutMovingLoad) {
  Supply a(28.8), b(28.8);
  DCBus bus("BUS", &a);
  Socket socket("SOCK", &bus, 1, &a, &b, nullptr);
  socket.LoadStateLine("<SOCKET> SOCK 0");
  EXPECT_EQ(bus.source, &b);
  EXPECT_EQ(a.load, 3.0);
  EXPECT_EQ(b.load, 0.0);
  EXPECT_EQ(socket.applied, 0);
  socket.LoadStateLine("<SOCKET> SOCK 4");
  EXPECT_EQ(bus.source, &b);
}

TEST(Removal, SourcesThatGoAreForgotten) {
  Supply cell(28.8);
  DCBus bus("BUS", &cell);
  Battery battery("BATT", &bus, 1000);
  battery.chargeCommand = 1;
  battery.Refresh(1);
  CoolingLoop loop("LOOP", kPumpForcedOn, &bus, 1, 0, 0);
  loop.Refresh(1);
  battery.DropReference(&bus);
  loop.DropReference(&bus);
  bus.DropReference(&cell);
  EXPECT_EQ(battery.source, nullptr);
  EXPECT_EQ(battery.charging, 0.0);
  EXPECT_EQ(loop.source, nullptr);
  EXPECT_EQ(loop.draw.drawing, 0);
  EXPECT_EQ(bus.state, kBusDisconnecting);
  bus.Refresh(1);
  battery.Refresh(1);
  loop.Refresh(1);
  EXPECT_EQ(bus.state, kBusDisconnected);
}

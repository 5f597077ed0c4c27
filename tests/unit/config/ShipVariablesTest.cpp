#include "config/ShipVariables.h"

#include <gtest/gtest.h>

#include "module/VesselSystems.h"

namespace {

class ShipReferences : public ::testing::Test {
 protected:
  ShipReferences() { systems.RegisterShipVariables(values); }
  ShipVariableValues values;
  VesselSystems systems;
};

}  // namespace

TEST_F(ShipReferences, NamesResolveIgnoringCase) {
  EXPECT_EQ(systems.ResolveReference("SHIP:ALTITUDE").address, &values.altitude);
  EXPECT_EQ(systems.ResolveReference("ship:altitude").address, &values.altitude);
  EXPECT_EQ(systems.ResolveReference("Ship:DvToGo").address, &values.dvToGo);
}

TEST_F(ShipReferences, NumberedFamiliesResolveToTheirOwnSlots) {
  EXPECT_EQ(systems.ResolveReference("SHIP:DOCK5").address, &values.dock[5]);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL0").address, &values.fuel[0]);
  EXPECT_EQ(systems.ResolveReference("SHIP:RCS19").address, &values.rcs[19]);
  EXPECT_EQ(systems.ResolveReference("SHIP:CUSTOMINT1").address, &values.customInt[0]);
  EXPECT_EQ(systems.ResolveReference("SHIP:CUSTOMDBL5").address, &values.customDbl[4]);
}

TEST_F(ShipReferences, WholeNamesAreCompared) {
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL1").address, &values.fuel[1]);
  EXPECT_EQ(systems.ResolveReference("SHIP:RCS1").address, &values.rcs[1]);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL").address, nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL10").address, nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:ALTITUDEX").address, nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:").address, nullptr);
  EXPECT_EQ(systems.ResolveReference("ALTITUDE").address, nullptr);
  EXPECT_EQ(systems.ResolveReference(nullptr).address, nullptr);
}

TEST(ShipVariableRegistry, LongNamesMatchOnTheirFirst25CharactersAndTheNewestWins) {
  ShipVariableRegistry registry;
  double older = 0, newer = 0, longName = 0;
  registry.RegisterVariable("TWICE", VariableRef::To(older));
  registry.RegisterVariable("TWICE", VariableRef::To(newer));
  registry.RegisterVariable("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", VariableRef::To(longName));
  EXPECT_EQ(registry.ResolveVariable("twice").address, &newer);
  // 25 characters decide; what follows is not compared.
  EXPECT_EQ(registry.ResolveVariable("ABCDEFGHIJKLMNOPQRSTUVWXY-anything").address, &longName);
  EXPECT_EQ(registry.ResolveVariable("ABCDEFGHIJKLMNOPQRSTUVWX").address, nullptr);
}

TEST(ShipVariableRegistry, NamesAreStoredWithinTheirField) {
  ShipVariableRegistry registry;
  double value = 0;
  const std::string name(200, 'N');
  registry.RegisterVariable(name.c_str(), VariableRef::To(value));
  EXPECT_EQ(registry.ResolveVariable(std::string(27, 'N').c_str()).address, &value);
}

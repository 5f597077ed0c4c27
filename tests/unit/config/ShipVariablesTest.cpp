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

TEST_F(ShipReferences, ResolveIgnoringCase) {
  EXPECT_EQ(systems.ResolveReference("SHIP:ALTITUDE"), &values.altitude);
  EXPECT_EQ(systems.ResolveReference("ship:altitude"), &values.altitude);
  EXPECT_EQ(systems.ResolveReference("Ship:DvToGo"), &values.dvToGo);
}

TEST_F(ShipReferences, NumberedFamiliesResolveToTheirOwnSlots) {
  EXPECT_EQ(systems.ResolveReference("SHIP:DOCK5"), &values.dock[5]);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL0"), &values.fuel[0]);
  EXPECT_EQ(systems.ResolveReference("SHIP:RCS19"), &values.rcs[19]);
  EXPECT_EQ(systems.ResolveReference("SHIP:CUSTOMINT1"), &values.customInt[0]);
  EXPECT_EQ(systems.ResolveReference("SHIP:CUSTOMDBL5"), &values.customDbl[4]);
}

TEST_F(ShipReferences, WholeNamesAreCompared) {
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL1"), &values.fuel[1]);
  EXPECT_EQ(systems.ResolveReference("SHIP:RCS1"), &values.rcs[1]);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL"), nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:FUEL10"), nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:ALTITUDEX"), nullptr);
  EXPECT_EQ(systems.ResolveReference("SHIP:"), nullptr);
  EXPECT_EQ(systems.ResolveReference("ALTITUDE"), nullptr);
  EXPECT_EQ(systems.ResolveReference(nullptr), nullptr);
}

TEST(ShipVariableRegistry, LongNamesMatchOnTheirFirst25CharactersAndTheNewestWins) {
  ShipVariableRegistry registry;
  double older = 0, newer = 0, longName = 0;
  registry.Register("TWICE", &older);
  registry.Register("TWICE", &newer);
  registry.Register("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", &longName);
  EXPECT_EQ(registry.Find("twice"), &newer);
  // 25 characters decide; what follows is not compared.
  EXPECT_EQ(registry.Find("ABCDEFGHIJKLMNOPQRSTUVWXY-anything"), &longName);
  EXPECT_EQ(registry.Find("ABCDEFGHIJKLMNOPQRSTUVWX"), nullptr);
}

TEST(ShipVariableRegistry, NamesAreStoredWithinTheirField) {
  ShipVariableRegistry registry;
  double value = 0;
  const std::string name(200, 'N');
  registry.Register(name.c_str(), &value);
  EXPECT_EQ(registry.Find(std::string(27, 'N').c_str()), &value);
}

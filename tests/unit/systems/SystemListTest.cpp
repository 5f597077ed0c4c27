#include "systems/SystemList.h"

#include <gtest/gtest.h>

#include <string>

#include "../module/WorkingFolder.h"
#include "config/text/Keywords.h"
#include "systems/ThermalModel.h"
#include "systems/electric/ElectricSystem.h"
#include "systems/fluid/FluidSystem.h"

namespace {

class Probe : public SystemObject {
 public:
  explicit Probe(const char *n, Probe *watched = nullptr) : SystemObject(n), partner(watched) {}
  void Publish(VariableTable &table) override { table.AddWhole("VALUE", value); }
  int UnknownNameCode() const override { return kInvalidParameterCount; }
  void DropReference(SystemObject *object) override {
    if (object == partner) partner = nullptr;
  }
  double value = 0;
  Probe *partner;
};

// A list with nothing to read or write, for the walks every list shares.
class PlainList : public SystemList {
 public:
  PlainList() : SystemList("<PLAIN>", "</PLAIN>", "object") {}
  void ParseConfigurationSection(ParseContext &) override {}
  void LoadFromScenario(FILEHANDLE, std::string &) override {}
};

// What `action` logs through the diagnostics of a reading.
std::string LogAfter(void (*action)(Diagnostics &)) {
  WorkingFolder folder;
  {
    DebugLog log(true);
    Diagnostics logged(&log, nullptr, nullptr);
    action(logged);
  }
  return folder.Read("Varneldebug.txt");
}

ThermalModel thermal;
FluidSystem *fluids;
ElectricSystem *electrics;

}  // namespace

TEST(SystemList, NamesMatchAsPrefixesFirstInListOrder) {
  PlainList list;
  Probe *a = list.Append<Probe>("A");
  Probe *ab = list.Append<Probe>("AB");
  EXPECT_EQ(list.FindByName("a"), a);
  EXPECT_EQ(list.FindByName("AB"), ab);
  EXPECT_EQ(list.FindByName(""), a);
  EXPECT_EQ(list.FindByName("ABC"), nullptr);
  PlainList reversed;
  reversed.Append<Probe>("AB");
  reversed.Append<Probe>("A");
  EXPECT_STREQ(reversed.FindByName("A")->name, "AB");
}

TEST(SystemList, ReferencesNameAnObjectOrOneOfItsVariables) {
  static PlainList list;
  static Probe *tank = list.Append<Probe>("TANK");
  Diagnostics quiet;
  EXPECT_EQ(list.ResolveReference("TANK:VALUE", quiet).address, &tank->value);
  EXPECT_EQ(list.ResolveReference("TA", quiet).address, tank);
  const std::string log = LogAfter([](Diagnostics &logged) {
    EXPECT_EQ(list.ResolveReference("NONE:VALUE", logged).address, nullptr);
    EXPECT_EQ(list.ResolveReference("TANK:NOPE", logged).address, nullptr);
    EXPECT_EQ(list.ResolveReference(":VALUE", logged).address, nullptr);
  });
  EXPECT_NE(log.find(" 02:Invalid component\n"), std::string::npos);
  EXPECT_NE(log.find(" 03:Invalid number of parameters\n"), std::string::npos);
}

TEST(ElectricSystem, NopowerIsNoSourceAndHydraulicReferencesGoToTheFluidList) {
  static FluidSystem fluid(&thermal);
  static ElectricSystem electric(&thermal, &fluid);
  fluids = &fluid;
  electrics = &electric;
  Probe *tank = fluid.Append<Probe>("O2TANK");
  Probe *bus = electric.Append<Probe>("BUS");
  Diagnostics quiet;
  EXPECT_EQ(electric.ResolveReference("HYDRAULIC:O2TANK:VALUE", quiet).address, &tank->value);
  EXPECT_EQ(electric.ResolveReference("ELECTRIC:BUS", quiet).address, bus);
  EXPECT_EQ(electric.ResolveReference("ELECTRIC:HYDRAULIC:O2", quiet).address, tank);
  const std::string log =
      LogAfter([](Diagnostics &logged) { EXPECT_EQ(electrics->ResolveReference("NOPOWER", logged).address, nullptr); });
  EXPECT_EQ(log, "");
}

TEST(SystemList, SeparationDeletesMarkedObjectsAfterEveryoneForgetsThem) {
  PlainList fluidList, electricList;
  Probe *keep = fluidList.Append<Probe>("KEEP");
  Probe *stage1 = fluidList.Append<Probe>("DROP_ONE");
  Probe *stage0 = fluidList.Append<Probe>("DROP_ZERO");
  Probe *watcher = fluidList.Append<Probe>("WATCH", stage1);
  Probe *electricWatcher = electricList.Append<Probe>("CELL", stage0);
  fluidList.MarkStage("DROP", 1);
  fluidList.MarkStage("drop_z", 0);
  fluidList.MarkStage("NOTHING", 0);
  EXPECT_EQ(keep->stage, kNeverSeparated);
  fluidList.RemoveStage(1, &electricList);
  EXPECT_EQ(fluidList.FindByName("DROP"), nullptr);
  ASSERT_EQ(fluidList.Objects().size(), 2u);
  EXPECT_EQ(fluidList.Objects()[0].get(), keep);
  EXPECT_EQ(fluidList.Objects()[1].get(), watcher);
  EXPECT_EQ(watcher->partner, nullptr);
  EXPECT_EQ(electricWatcher->partner, nullptr);
}

#include "systems/SystemList.h"

#include <gtest/gtest.h>

#include <string>

#include "../module/WorkingFolder.h"
#include "config/ConfigText.h"
#include "systems/ThermalModel.h"
#include "systems/electric/ElectricSystem.h"
#include "systems/fluid/FluidSystem.h"

namespace {

class Probe : public SystemObject {
 public:
  explicit Probe(const char *n, Probe *watched = nullptr) : SystemObject(n), partner(watched) {}
  void Publish(VariableTable &table) override { table.AddWhole("VALUE", value); }
  bool LogsUnknownNames() const override { return true; }
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
  void ParseConfigurationSection(FILE *) override {}
  void LoadFromScenario(FILEHANDLE) override {}
};

std::string LogAfter(void (*action)()) {
  WorkingFolder folder;
  OpenDebugLog();
  action();
  CloseDebugLog();
  return folder.Read("Varneldebug.txt");
}

ThermalModel thermal;
FluidSystem *fluids;
ElectricSystem *electrics;

}  // namespace

TEST(SystemList, NamesMatchAsPrefixesFirstInListOrder) {
  PlainList list;
  Probe *a = new Probe("A");
  Probe *ab = new Probe("AB");
  list.Append(std::unique_ptr<SystemObject>(a));
  list.Append(std::unique_ptr<SystemObject>(ab));
  EXPECT_EQ(list.FindByName("a"), a);
  EXPECT_EQ(list.FindByName("AB"), ab);
  EXPECT_EQ(list.FindByName(""), a);
  EXPECT_EQ(list.FindByName("ABC"), nullptr);
  PlainList reversed;
  reversed.Append(std::make_unique<Probe>("AB"));
  reversed.Append(std::make_unique<Probe>("A"));
  EXPECT_STREQ(reversed.FindByName("A")->name, "AB");
}

TEST(SystemList, ReferencesNameAnObjectOrOneOfItsVariables) {
  static PlainList list;
  static Probe *tank = new Probe("TANK");
  list.Append(std::unique_ptr<SystemObject>(tank));
  EXPECT_EQ(list.ResolveReference("TANK:VALUE").address, &tank->value);
  EXPECT_EQ(list.ResolveReference("TA").address, tank);
  const std::string log = LogAfter([] {
    EXPECT_EQ(list.ResolveReference("NONE:VALUE").address, nullptr);
    EXPECT_EQ(list.ResolveReference("TANK:NOPE").address, nullptr);
    EXPECT_EQ(list.ResolveReference(":VALUE").address, nullptr);
  });
  EXPECT_NE(log.find(" 02:Invalid component\n"), std::string::npos);
  EXPECT_NE(log.find(" 03:Invalid number of parameters\n"), std::string::npos);
}

TEST(ElectricSystem, NopowerIsNoSourceAndHydraulicReferencesGoToTheFluidList) {
  static FluidSystem fluid(&thermal);
  static ElectricSystem electric(&thermal, &fluid);
  fluids = &fluid;
  electrics = &electric;
  Probe *tank = new Probe("O2TANK");
  fluid.Append(std::unique_ptr<SystemObject>(tank));
  Probe *bus = new Probe("BUS");
  electric.Append(std::unique_ptr<SystemObject>(bus));
  EXPECT_EQ(electric.ResolveReference("HYDRAULIC:O2TANK:VALUE").address, &tank->value);
  EXPECT_EQ(electric.ResolveReference("ELECTRIC:BUS").address, bus);
  EXPECT_EQ(electric.ResolveReference("ELECTRIC:HYDRAULIC:O2").address, tank);
  const std::string log = LogAfter([] { EXPECT_EQ(electrics->ResolveReference("NOPOWER").address, nullptr); });
  EXPECT_EQ(log, "");
}

TEST(SystemList, SeparationDeletesMarkedObjectsAfterEveryoneForgetsThem) {
  PlainList fluidList, electricList;
  Probe *keep = new Probe("KEEP");
  Probe *stage1 = new Probe("DROP_ONE");
  Probe *stage0 = new Probe("DROP_ZERO");
  Probe *watcher = new Probe("WATCH", stage1);
  Probe *electricWatcher = new Probe("CELL", stage0);
  for (Probe *p : {keep, stage1, stage0, watcher}) fluidList.Append(std::unique_ptr<SystemObject>(p));
  electricList.Append(std::unique_ptr<SystemObject>(electricWatcher));
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

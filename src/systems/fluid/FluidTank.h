// A closed volume of fluid with an IN and an OUT port, heated and cooled as a
// body of the thermal model: cabins, propellant, coolant and water tanks, gas
// bottles.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "config/VariableRef.h"
#include "config/VariableTable.h"
#include "systems/ScenarioRecord.h"
#include "systems/ThermalBody.h"
#include "systems/fluid/FluidContents.h"
#include "systems/fluid/FluidObject.h"

class FluidTank;

// The flow coefficient of every tank port.
constexpr float kPortFlowSize = 0.001f;
// The most a port lets through in one step, L.
constexpr double kMaxTakeVolume = 0.005;

// A tank's IN or OUT port: what pipes and devices connect to. It opens and
// closes with a delay, and while closed nothing passes.
class FluidValve {
 public:
  explicit FluidValve(FluidTank *tank) : owner(tank) {}

  // 0 while closed, else the tank's pressure.
  double Pressure() const;
  double Temperature() const;
  void Heat(double q);
  // Hands a parcel to the tank; a closed valve drops it.
  void Put(const FluidContents &parcel);
  // Takes size x `x` / 1000 L (at most 0.005 L) of the tank's contents;
  // nothing while closed.
  FluidContents Take(double x);
  // Runs a pending open or close command down to completion.
  void Refresh(double dt);
  // "OPEN" (the command), "PZ" (the timer, whole name only), "ISOPEN"; a
  // name it does not declare is logged (code 2). A port publishes without a
  // publisher's table of virtual functions: every tank holds two of them,
  // and a step reads them side by side.
  VariableRef ResolveVariable(const char *keyword, Diagnostics &diagnostics);
  void Publish(VariableTable &table);

  FluidTank *owner;
  int32_t open = 0;
  float actuationTimer = 0.0f;  // > 0 opening, < 0 closing
  int32_t pendingCommand = 0;   // n > 0 opens after n s, n < 0 closes after -n s
  float flowSize = kPortFlowSize;
};

class FluidTank : public FluidObject, public ThermalBody {
 public:
  FluidTank(const char *tankName, double volume, const Vec3 &place);
  void Sketch(PlantSketch &sketch) const override;
  ~FluidTank() override;

  // Whether a tank of `litres` has room: one of 0 L or less would have no
  // pressure but an endless or undefined one, which its pipes would carry on.
  static bool HasRoom(double litres) { return litres > 0.0 && std::isfinite(litres); }

  // Makes the tank ready once its contents are filled in: totals, valves,
  // registration with `fluid`'s thermal model, insulation and area.
  void Complete(bool inOpen, bool outOpen, double insulationFactor, ThermalModel *model);

  void Refresh(double dt) override;
  // Reads the tank record's fields and its substance lines up to "</TANK>".
  void LoadRecord(FILEHANDLE scn, const char *fields);
  void SaveState(FILEHANDLE scn) override;
  ThermalBody *ThermalPart() override { return this; }
  // Spreads heat over the contents; a removal larger than the energy held is
  // cut to a tenth of that energy.
  void AddHeat(double q) override;
  bool HoldsFinite() override;
  std::string Fault() override;

  // A "CHM" line's text after its tag: type, mass, vapour mass, energy. An
  // entry for a substance that does not exist, with a number that is not
  // finite or below 0 (which would make every figure of the tank NaN), is
  // ignored.
  void AddSubstanceLine(const char *text, Diagnostics &diagnostics);

  // The temperature and pressures the contents give, worked out on a copy.
  void ShowFigures();
  FluidContents Take(double volume);
  virtual int AcceptInflow(const FluidContents &parcel);

  FluidContents contents;
  FluidValve in{this};
  FluidValve out{this};
  double configuredVolume;
  // The contents as the last step left them finite.
  FluidContents keptContents;

 private:
  // The record's fields after the name: volume and the two valves.
  void Record(ScenarioRecord &record);
  void Publish(VariableTable &table) override;
  int UnknownNameCode() const override { return kInvalidParameterCount; }
  void SyncBodyWithContents();
  bool TakesSubstance(int type, Substance &s, Diagnostics &diagnostics);
  void ReportTooCold(int type, const Substance &s, const std::string &what, Diagnostics &diagnostics);
};

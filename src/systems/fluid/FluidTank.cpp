#include "systems/fluid/FluidTank.h"

#include <strings.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "config/text/ExactNumber.h"
#include "config/ScenarioLines.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/TextScan.h"

#include "systems/PlantSketch.h"
#include "systems/ScenarioRecord.h"
#include "systems/ThermalModel.h"

namespace {

constexpr double kInitialTemperature = 290.0;

// A substance line's fields: type, mass, vapour mass, energy.
void SubstanceRecord(ScenarioRecord &record, int32_t &type, Substance &s) {
  record.Int(type, "   %.0f").Real(s.mass, " %8.4f").Real(s.vapourMass, " %8.4f").Real(s.energy, " %8.4f");
}

// The area of a sphere of the tank's volume (L), with the exponent 0.3333.
double SurfaceArea(double volume) {
  const double r = std::pow(0.75 * M_PI * volume / 1000, 0.3333);
  return 2 * M_PI * r * r;
}

}  // namespace

FluidTank::FluidTank(const char *tankName, double volume, const Vec3 &place)
    : FluidObject(tankName), configuredVolume(volume) {
  temperature = kInitialTemperature;
  position = place;
  contents.volume = volume;
}

FluidTank::~FluidTank() {
  if (thermalModel != nullptr) thermalModel->Unregister(this);
}

// The tank's body weighs and holds what its contents do.
void FluidTank::SyncBodyWithContents() {
  mass = contents.TotalMass();
  contents.Count();
  heatContent = contents.TotalEnergy();
}

void FluidTank::Complete(bool inOpen, bool outOpen, double insulationFactor, ThermalModel *model) {
  SyncBodyWithContents();
  in.open = inOpen ? 1 : 0;
  out.open = outOpen ? 1 : 0;
  model->Register(this);
  insulation = insulationFactor != 0.0 ? insulationFactor : 1.0;
  area = SurfaceArea(configuredVolume);
  thermalModel = model;
  keptContents = contents;
}

void FluidTank::Refresh(double dt) {
  contents.ThermalComps(dt);
  temperature = contents.temperature;
  heatContent = contents.energy;
  in.Refresh(dt);
  out.Refresh(dt);
}

// A tank with nothing in it takes no heat: there is nothing to warm, and
// the heat would make the next trace that flows in impossibly hot. The
// body's mass follows every take and inflow, so no sum is made a step.
void FluidTank::AddHeat(double q) {
  if (!(mass > kTraceGrams)) return;
  if (contents.energy < -q) q = -contents.energy / 10;
  contents.energy += q;
  heatContent += q;
}

// The body's figures follow the contents, so the contents alone are kept.
bool FluidTank::HoldsFinite() {
  if (contents.Finite() && FiguresFinite()) {
    keptContents = contents;
    return true;
  }
  contents = keptContents;
  mass = contents.mass;
  heatContent = contents.energy;
  temperature = contents.temperature;
  return false;
}

std::string FluidTank::Fault() {
  if (HasRoom(contents.volume)) return SystemObject::Fault();
  return std::string("tank ") + name + " of " + ExactNumber(contents.volume).text +
         " L: a tank must hold more than 0 L";
}

void FluidTank::ShowFigures() {
  FluidContents worked = contents;
  worked.ThermalComps(0.0);
  contents.temperature = temperature = worked.temperature;
  contents.pressure = worked.pressure;
  for (int k = 0; k < kSubstanceCount; ++k) contents.substances[k].partialPressure = worked.substances[k].partialPressure;
}

FluidContents FluidTank::Take(double volume) {
  FluidContents taken = contents.TakeFraction(volume);
  mass -= taken.TotalMass();
  return taken;
}

// What flows into a tank that held nothing but a trace comes in at its own
// temperature: the trace's energy says nothing of it.
int FluidTank::AcceptInflow(const FluidContents &parcel) {
  const bool empty = contents.HoldsOnlyATrace();
  contents.AddContents(parcel);
  const double parcelCapacity = parcel.HeatCapacity();
  if (empty && parcelCapacity > 0.0) contents.energy = parcel.energy / parcelCapacity * contents.HeatCapacity();
  mass += parcel.SumMass();
  temperature = contents.temperature;
  heatContent = contents.energy;
  return 1;
}

void FluidTank::AddSubstanceLine(const char *text, Diagnostics &diagnostics) {
  int32_t type = O2;
  Substance s;
  ScenarioRecord record = ScenarioRecord::Reading(text);
  SubstanceRecord(record, type, s);
  if (!record.Complete()) return;
  record.Assign();
  SubstanceRecord(record, type, s);
  if (!IsSubstanceType(type)) {
    diagnostics.Report("substance " + std::to_string(type) +
                       " is not one of the five (0 oxygen, 1 hydrogen, 2 water, 3 nitrogen, 4 carbon dioxide)");
    return;
  }
  if (!(std::isfinite(s.mass) && std::isfinite(s.vapourMass) && std::isfinite(s.energy))) return;
  if (TakesSubstance(type, s, diagnostics)) contents.AddSubstance(type, s);
}

// A substance line that cannot be would turn the tank's pressure into NaN at
// its first step, which the pipes would carry on into every tank they reach:
// a mass, vapour mass or energy below 0 is refused, and vapour beyond the
// substance's mass is taken as all of it. The check says what was done.
bool FluidTank::TakesSubstance(int type, Substance &s, Diagnostics &diagnostics) {
  const std::string what = "substance " + std::to_string(type) + " of tank " + name + ": ";
  if (s.mass < 0 || s.vapourMass < 0 || s.energy < 0) {
    diagnostics.Report(what + "a mass, vapour mass or energy below 0 cannot be; the line is ignored");
    return false;
  }
  if (s.vapourMass > s.mass) {
    diagnostics.Report(what + ExactNumber(s.vapourMass).text + " g of vapour is more than its " +
                       ExactNumber(s.mass).text + " g in all; it is taken as " + ExactNumber(s.mass).text +
                       " g of vapour");
    s.vapourMass = s.mass;
  } else if (s.mass > 0 && diagnostics.FindingsWanted()) {
    ReportTooCold(type, s, what, diagnostics);
  }
  return true;
}

// Below the temperature where its vapour pressure line reaches 0 the
// substance's pressure has no meaning, though the tank takes it as written.
void FluidTank::ReportTooCold(int type, const Substance &s, const std::string &what, Diagnostics &diagnostics) {
  const SubstanceProperties &p = kSubstances[type];
  const double kelvin = s.energy / (s.mass * p.specificHeat);
  const double lowest = kVapourReferenceTemperature - p.vapourIntercept / p.vapourSlope;
  auto tenths = [](double kelvins) { return std::string(ExactNumber(std::round(kelvins * 10) / 10).text); };
  if (kelvin < lowest)
    diagnostics.Report(what + "its energy puts it at " + tenths(kelvin) + " K, below the " + tenths(lowest) +
                       " K it can be held at");
}

void FluidTank::Publish(VariableTable &table) {
  table.AddPart("OUT", out).AddPart("IN", in);
  table.Add("TEMP", contents.temperature).Add("MASS", contents.mass).Add("PRESS", contents.pressure);
  table.Add("VOLUME", contents.volume);
  Substance *s = contents.substances;
  table.Add("O2_PPRESS", s[O2].partialPressure).Add("H2_PPRESS", s[H2].partialPressure);
  table.Add("N2_PPRESS", s[N2].partialPressure).Add("CO2_PPRESS", s[CO2].partialPressure);
  table.Add("H2O_PPRESS", s[H2O].partialPressure);
}

void FluidTank::Record(ScenarioRecord &record) {
  record.Real(contents.volume, " %f").Int(in.open).Int(out.open);
}

void FluidTank::SaveState(FILEHANDLE scn) {
  ScenarioRecord record((std::string(" ") + name).c_str());
  Record(record);
  WriteScenarioString(scn, "   <TANK>", record.Text().c_str());
  for (int k = 0; k < kSubstanceCount; ++k) {
    int32_t type = k;
    Substance s = contents.substances[k];
    if (s.mass == 0) continue;
    ScenarioRecord line("");
    SubstanceRecord(line, type, s);
    WriteScenarioString(scn, "      CHM", line.Text().c_str());
  }
  WriteScenarioString(scn, "   </TANK>", "");
}

// The record's volume and valves, as far as they read, are taken after its
// substance lines.
void FluidTank::LoadRecord(FILEHANDLE scn, const char *fields) {
  ScenarioRecord record = ScenarioRecord::Reading(fields);
  Record(record);
  char *line;
  bool more = oapiReadScenario_nextline(scn, line);
  contents.Reset();
  Diagnostics quiet;
  while (more && !MatchKeyword(line, "</TANK>")) {
    if (const char *substance = AfterKeyword(line, "CHM")) AddSubstanceLine(substance, quiet);
    more = oapiReadScenario_nextline(scn, line);
  }
  SyncBodyWithContents();
  const double volume = contents.volume;
  record.Assign();
  Record(record);
  // A saved volume of no room: the tank keeps its own.
  if (!HasRoom(contents.volume)) contents.volume = volume;
  keptContents = contents;
}

double FluidValve::Pressure() const { return open ? owner->contents.pressure : 0.0; }

double FluidValve::Temperature() const { return owner->temperature; }

void FluidValve::Heat(double q) { owner->AddHeat(q); }

void FluidValve::Put(const FluidContents &parcel) {
  if (open) owner->AcceptInflow(parcel);
}

FluidContents FluidValve::Take(double x) {
  double volume = flowSize * x / 1000;
  if (volume > kMaxTakeVolume) volume = kMaxTakeVolume;
  if (!open) volume = 0;
  return owner->Take(volume);
}

void FluidValve::Refresh(double dt) {
  if (pendingCommand != 0) {
    actuationTimer = static_cast<float>(pendingCommand);
    pendingCommand = 0;
  }
  if (actuationTimer < 0) {
    actuationTimer += dt;
    if (actuationTimer >= 0) {
      actuationTimer = 0;
      open = 0;
    }
  } else if (actuationTimer > 0) {
    actuationTimer -= dt;
    if (actuationTimer <= 0) {
      actuationTimer = 0;
      open = 1;
    }
  }
}

VariableRef FluidValve::ResolveVariable(const char *keyword, Diagnostics &diagnostics) {
  VariableTable table(keyword, diagnostics);
  Publish(table);
  return table.Result(kInvalidParameterCount);
}

void FluidValve::Publish(VariableTable &table) {
  table.Add("OPEN", pendingCommand).AddWhole("PZ", actuationTimer).Add("ISOPEN", open);
}

void FluidTank::Sketch(PlantSketch &sketch) const {
  sketch.kind = "tank";
  sketch.label = std::string(ExactNumber(configuredVolume).text) + " L";
}

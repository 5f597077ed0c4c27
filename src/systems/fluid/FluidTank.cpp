#include "systems/fluid/FluidTank.h"

#include <strings.h>

#include <cmath>
#include <cstdio>

#include "config/ConfigText.h"
#include "config/TextScan.h"

#include "systems/ThermalModel.h"
#include "systems/fluid/HydraulicSystem.h"

namespace {

constexpr double kInitialTemperature = 290.0;

struct TankVariable {
  const char *name;
  double FluidContents::*member;
};

const TankVariable kContentsVariables[] = {
    {"TEMP", &FluidContents::temperature},
    {"MASS", &FluidContents::mass},
    {"PRESS", &FluidContents::pressure},
    {"VOLUME", &FluidContents::volume},
};

const struct {
  const char *name;
  SubstanceType type;
} kPartialPressures[] = {
    {"O2_PPRESS", O2}, {"H2_PPRESS", H2}, {"N2_PPRESS", N2}, {"CO2_PPRESS", CO2}, {"H2O_PPRESS", H2O},
};

// "IN" or "OUT" alone is the port itself; longer, the rest after the
// separator names one of the port's variables.
VariableRef PortOrItsVariable(FluidValve &port, const char *keyword, const char *portName) {
  if (*AfterKeyword(keyword, portName) == '\0') return VariableRef::Object(&port);
  return port.ResolveVariable(AfterKeyword(keyword, portName, 1));
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
  if (system != nullptr) system->thermal->Unregister(this);
}

// The tank's body weighs and holds what its contents do.
void FluidTank::SyncBodyWithContents() {
  mass = contents.TotalMass();
  contents.Count();
  heatContent = contents.TotalEnergy();
}

void FluidTank::Complete(bool inOpen, bool outOpen, double insulationFactor, HydraulicSystem *hydraulic) {
  SyncBodyWithContents();
  in.open = inOpen ? 1 : 0;
  out.open = outOpen ? 1 : 0;
  hydraulic->thermal->Register(this);
  insulation = insulationFactor != 0.0 ? insulationFactor : 1.0;
  area = SurfaceArea(configuredVolume);
  system = hydraulic;
}

void FluidTank::Refresh(double dt) {
  contents.ThermalComps(dt);
  temperature = contents.temperature;
  heatContent = contents.energy;
  in.Refresh(dt);
  out.Refresh(dt);
}

void FluidTank::AddHeat(double q) {
  if (contents.energy < -q) q = -contents.energy / 10;
  contents.energy += q;
  heatContent += q;
}

FluidContents FluidTank::Take(double volume) {
  FluidContents taken = contents.TakeFraction(volume);
  mass -= taken.TotalMass();
  return taken;
}

int FluidTank::AcceptInflow(const FluidContents &parcel) {
  contents.AddContents(parcel);
  mass += parcel.SumMass();
  temperature = contents.temperature;
  heatContent = contents.energy;
  return 1;
}

void FluidTank::AddSubstanceLine(const char *text) {
  Substance s;
  if (std::sscanf(text, "   %i %lf %lf %lf", &s.type, &s.mass, &s.vapourMass, &s.energy) != 4) return;
  if (IsSubstanceType(s.type)) contents.AddSubstance(s);
}

VariableRef FluidTank::ResolveVariable(const char *keyword) {
  if (MatchKeyword(keyword, "OUT")) return PortOrItsVariable(out, keyword, "OUT");
  if (MatchKeyword(keyword, "IN")) return PortOrItsVariable(in, keyword, "IN");
  for (const TankVariable &v : kContentsVariables)
    if (MatchKeyword(keyword, v.name)) return VariableRef::To(contents.*v.member);
  for (const auto &p : kPartialPressures)
    if (MatchKeyword(keyword, p.name)) return VariableRef::To(contents.substances[p.type].partialPressure);
  ReportError(kInvalidParameterCount);
  return {};
}

void FluidTank::SaveState(FILEHANDLE scn) {
  char value[400];  // room for any volume in %f
  std::snprintf(value, sizeof value, " %s %f %i %i", name, contents.volume, in.open, out.open);
  oapiWriteScenario_string(scn, "   <TANK>", value);
  for (int k = 0; k < kSubstanceCount; ++k) {
    const Substance &s = contents.substances[k];
    if (s.mass == 0) continue;
    char line[128];
    std::snprintf(line, sizeof line, "   %i %8.4f %8.4f %8.4f", k, s.mass, s.vapourMass, s.energy);
    oapiWriteScenario_string(scn, "      CHM", line);
  }
  oapiWriteScenario_string(scn, "   </TANK>", "");
}

void FluidTank::LoadExtendedState(FILEHANDLE scn) {
  char *line;
  bool more = oapiReadScenario_nextline(scn, line);
  contents.Reset();
  while (more && !MatchKeyword(line, "</TANK>")) {
    if (const char *substance = AfterKeyword(line, "CHM")) AddSubstanceLine(substance);
    more = oapiReadScenario_nextline(scn, line);
  }
  SyncBodyWithContents();
}

// The vessel's simulated plant: the thermal model, the fluid objects and the
// electric objects, stepped in that order, saved as the scenario's blocks of
// the two lists and thinned out at each separation.
#pragma once

#include <string>

#include <Orbitersdk.h>

#include "module/FixedSystemsStep.h"
#include "systems/StepInputs.h"
#include "systems/ThermalModel.h"
#include "systems/electric/ElectricSystem.h"
#include "systems/fluid/FluidSystem.h"

class OnboardSystems {
 public:
  OnboardSystems() = default;
  OnboardSystems(const OnboardSystems &) = delete;
  OnboardSystems &operator=(const OnboardSystems &) = delete;

  // Advances the thermal model, then the fluid objects, then the electric
  // objects, each in configuration order: by the inputs' dt, or in as many
  // fixed steps as the frame of that length completes, all seeing the sun and
  // the planet where the frame found them.
  void Step(const StepInputs &inputs);
  FixedSystemsStep &SystemsStep() { return fixedStep; }
  const FixedSystemsStep &SystemsStep() const { return fixedStep; }
  // What in the plant cannot be as it stands, as a write from outside may
  // leave it (a tank of no room, a body below 0 K); empty when nothing.
  std::string Fault() const;
  // Deletes the objects whose stage is n or less; electric objects draw on
  // tanks, so they hear of every fluid object that goes.
  void RemoveStage(int n);

  void SaveToScenario(FILEHANDLE scn) const;
  // A block of the scenario's internals, from the line after `line`, its
  // opening tag; false for a line that opens no block of the plant. What the
  // block names that the vessel does not have goes to `logEntries`.
  bool LoadFromScenario(const char *line, FILEHANDLE scn, std::string &logEntries);
  // Whether the plant has objects to step and no fixed step: what it does
  // then depends on the host's frame rate.
  bool DependsOnFrameRate() const;

  FluidSystem &Fluid() { return fluid; }
  const FluidSystem &Fluid() const { return fluid; }
  ElectricSystem &Electric() { return electric; }
  const ElectricSystem &Electric() const { return electric; }
  ThermalModel &Thermal() { return thermal; }
  const ThermalModel &Thermal() const { return thermal; }

 private:
  void Advance(double dt, std::string &logEntries);

  FixedSystemsStep fixedStep;
  // Declared so that destruction runs electric, fluid, then thermal: objects
  // unregister from the thermal model as they go.
  ThermalModel thermal;
  FluidSystem fluid{&thermal};
  ElectricSystem electric{&thermal, &fluid};
};

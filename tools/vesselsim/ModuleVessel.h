// What the bench does to a vessel driven by the module, the same way for a
// scripted run and for the live page: choose it, resolve its variables with
// the module's own resolution, press its keys.
#pragma once

#include <string>
#include <vector>

#include "Simulation.h"
#include "Watch.h"

// The vessel named, or without a name the first one driven by a module (null
// when there is none); null with the reason when no vessel has the name.
host::Vessel *ChooseVessel(const host::Simulation &sim, const std::string &name, std::string &error);

// The number variable `reference` names; false with the reason when it names
// nothing, or something that is not a number (an object, a port, a pointer).
bool ResolveNumber(const host::Vessel *vessel, const std::string &reference, StoredVariable &variable,
                   std::string &error);

// Writes `value` into `variable`; false, with the write taken back and the
// module's reason in `refusal`, when it leaves something in the vessel's
// plant that cannot be (a tank of no room, a body below 0 K).
bool WriteNumber(const host::Vessel *vessel, const StoredVariable &variable, double value, std::string &refusal);

// A watched variable and how it is shown.
struct ResolvedWatch {
  TypedReference ref;
  StoredVariable variable;

  // As asked, while the variable lives; once its object is gone it reads
  // NaN, which shows as a double.
  ValueType shownType() const { return variable.live() ? ref.type : ValueType::Double; }
};

// A reload makes the vessel anew: the watch finds its variable in the new
// one, and shows NaN when it names nothing there.
void RefreshWatch(const host::Vessel *vessel, ResolvedWatch &watch);

// Every reference the module lists for the vessel (ship variables, system
// objects and their variables, what panels and instruments hold).
std::vector<std::string> ListReferences(const host::Vessel *vessel);

// The names of the vessel's panels, by number: "" for a number it has no
// panel of; empty when the module cannot say.
std::vector<std::string> PanelNames(const host::Vessel *vessel);

// A key pressed and released through the module's buffered-key entry.
void PressKey(const host::Vessel &vessel, int keyCode);

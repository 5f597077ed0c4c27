// A module vessel restored from a scenario block in a fresh host, then put
// through what the simulator does with it: frames, a save, every panel loaded,
// redrawn and clicked.
#pragma once

#include <string>
#include <vector>

// Restores a vessel of class "Fuzz" from `block` and exercises it.
void ExerciseVessel(const std::vector<std::string> &block);

// The scripted events of a run: key presses, variable writes, thruster group
// levels, panels shown and clicked, saves and panel images at given
// simulated times, applied in file order once the clock reaches them, and
// expectations checked as the clock passes them; a file whose times go back
// is refused.
#pragma once

#include <string>
#include <vector>

#include "Expectation.h"
#include "ScriptLine.h"
#include "Watch.h"

struct Event : ScriptLine {
  enum class Kind { Key, Set, Save, Group, Panel, Click, Png };

  double time = 0.0;
  Kind kind = Kind::Key;
  int keyCode = 0;         // Key
  int group = 0;           // Group: the host's thruster group type
  int panel = 0;           // Panel; Click: the area
  int x = 0, y = 0;        // Click, within the area
  bool right = false;      // Click
  TypedReference target;   // Set
  double value = 0.0;      // Set, Group
  std::string file;        // Save, Png: absolute
  bool applied = false;
};

// An events file: what it does, and what it promises ("expect" lines).
struct EventScript {
  std::vector<Event> events;
  std::vector<Expectation> expectations;
  // The latest time a line names: an interval's end for an expectation.
  double LastTime() const;
};

// Reads an event file; `baseFolder` anchors relative file names. False with a
// message naming the line for anything it cannot use.
bool ReadEventScript(const std::string &path, const std::string &baseFolder, EventScript &script, std::string &error);

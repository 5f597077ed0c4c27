// The configuration file's top level: each section's opening line hands the
// section to its reader, in file order.
#pragma once

class ConfigurationSet;
class Diagnostics;
class OnboardSystems;
class PanelDeck;
class ParseContext;
class VariableResolver;

class VesselConfiguration {
 public:
  // Panel lines resolve their references through `references`.
  VesselConfiguration(ConfigurationSet &stages, OnboardSystems &plant, PanelDeck &panels, VariableResolver &references)
      : set(stages), onboard(plant), deck(panels), resolver(references) {}
  // Reads "Config\\<className>.cfg" into the vessel's systems; a file that
  // cannot be opened is logged and builds nothing.
  void Read(const char *className, Diagnostics &diagnostics);

 private:
  void ReadTopLevelLine(ParseContext &context, const char *line);
  void ReadSystemsStep(ParseContext &context, const char *text);

  ConfigurationSet &set;
  OnboardSystems &onboard;
  PanelDeck &deck;
  VariableResolver &resolver;
};

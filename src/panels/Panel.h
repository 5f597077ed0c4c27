// One cockpit panel: its background, neighbours and colour key, its
// instruments (the last defined first: area id n is the n-th of the list),
// its lighting and the variables switches bind to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <Orbitersdk.h>

#include "panels/instruments/Instrument.h"

constexpr int kMaxPanels = 10;
constexpr int kMaxPanelMfds = 6;
constexpr int kPanelNameSize = 40;
constexpr int kBackgroundFileSize = 88;

class Panel final : public VariablePublisher {
 public:
  Panel(DrawingResources *shared, int32_t panelNumber, const char *panelName);

  // Puts a new instrument at the head of the list.
  void AddInstrument(std::unique_ptr<Instrument> instrument);
  // The instrument of area `id`, or null.
  Instrument *InstrumentAt(int32_t id) const;
  // Gives every instrument its area id and notes the MFDs' areas.
  void RegisterAreas();
  // What a redraw of one of the panel's areas draws with.
  DrawContext Context(SURFHANDLE surface) const {
    return {surface, resources, lightingLevel != 0, textLightingLevel != 0};
  }
  // Hands a host mouse event to the instrument of `area` and carries out
  // what a press asks of the panel; a key press is returned, as its code,
  // for the vessel to carry out (kActionNone: nothing to press).
  int32_t MouseEvent(int32_t area, int event, int mx, int my);
  // kActionLighting: lighting levels from LIGHT and TEXTLIGHT; a key code
  // (above 1) is returned, anything else gives kActionNone.
  int32_t ApplySwitchAction(int32_t code);
  // The first named instrument whose name begins `text`.
  Instrument *FindInstrument(const char *text) const;
  // Every variable the panel or an instrument holds itself, as
  // "PANEL:LIGHT", "PANEL:INSTRUMENT:STATE".
  void ListReferences(std::vector<std::string> &references);
  void SaveState(FILEHANDLE scn) const;
  // Reads the saved lighting levels, from the line after "<PANEL>" to
  // "</PANEL>": the panel comes back lit as it was saved, and its LIGHT and
  // TEXTLIGHT say so, so a switch bound to them shows it.
  void LoadState(FILEHANDLE scn);

  int32_t width = 0, height = 0;
  char name[kPanelNameSize] = "";
  std::vector<std::unique_ptr<Instrument>> instruments;  // list order
  int32_t neighbours[4] = {-1, -1, -1, -1};
  int32_t number;
  int32_t mfdAreas[kMaxPanelMfds] = {-1, -1, -1, -1, -1, -1};
  double colourKey = 4294967295.0;  // none
  int32_t textLightingLevel = 0;
  int32_t textLight = -1;
  int32_t light = -1;
  int32_t lightingLevel = 0;
  int32_t hudMode = 0;
  int32_t mfdMode = -1;
  char backgroundFile[kBackgroundFileSize] = "";
  DrawingResources *resources;

 protected:
  // A panel variable, or an instrument's variable ("SW3:SRC"); a name that
  // finds no instrument is logged (code 1).
  void Publish(VariableTable &table) override;
  int UnknownNameCode() const override { return kInvalidComponent; }
};

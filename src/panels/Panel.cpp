#include "panels/Panel.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "config/ScenarioLines.h"
#include "config/text/BoundedCopy.h"
#include "config/text/Keywords.h"
#include "config/text/TextScan.h"

Panel::Panel(DrawingResources *shared, int32_t panelNumber, const char *panelName)
    : number(panelNumber), resources(shared) {
  CopyName(name, panelName);
}

void Panel::AddInstrument(std::unique_ptr<Instrument> instrument) {
  instruments.insert(instruments.begin(), std::move(instrument));
}

Instrument *Panel::InstrumentAt(int32_t id) const {
  return id >= 0 && static_cast<size_t>(id) < instruments.size() ? instruments[id].get() : nullptr;
}

void Panel::RegisterAreas() {
  for (size_t id = 0; id < instruments.size(); ++id) {
    Instrument &instrument = *instruments[id];
    instrument.RegisterArea(static_cast<int32_t>(id));
    // An area's id is its place in the list, or none for an instrument
    // without an area.
    assert(instrument.areaId == static_cast<int32_t>(id) || instrument.areaId == -1);
    const int32_t mfd = instrument.MfdNumber();
    if (mfd >= 0 && mfd < kMaxPanelMfds)
      mfdAreas[mfd] = instrument.areaId;
  }
}

int32_t Panel::MouseEvent(int32_t area, int event, int mx, int my) {
  Instrument *instrument = InstrumentAt(area);
  if (instrument == nullptr) return kActionNone;
  if (event == PANEL_MOUSE_LBDOWN) return ApplySwitchAction(instrument->LeftPress(mx, my));
  if (event == PANEL_MOUSE_RBDOWN) return ApplySwitchAction(instrument->RightPress(mx, my));
  if (event == PANEL_MOUSE_LBUP || event == PANEL_MOUSE_RBUP) instrument->ButtonUp();
  return kActionNone;
}

int32_t Panel::ApplySwitchAction(int32_t code) {
  if (code > kActionLighting) return code;
  if (code == kActionLighting) {
    lightingLevel = (light + 1) / 2;
    textLightingLevel = (textLight + 1) / 2;
    for (auto &instrument : instruments) instrument->LightingChanged(lightingLevel != 0);
  }
  return kActionNone;
}

// The panel's own variables come first: they take a name that begins with
// them whatever instrument it was meant for.
void Panel::Publish(VariableTable &table) {
  table.Add("LIGHT", light).Add("TEXTLIGHT", textLight).Add("MFDMODE", mfdMode).Add("HUDMODE", hudMode);
  for (const auto &instrument : instruments)
    if (instrument->name[0] != '\0') table.AddInstrument(instrument->name, *instrument);
}

Instrument *Panel::FindInstrument(const char *text) const {
  for (const auto &instrument : instruments) {
    if (instrument->name[0] != '\0' && MatchKeyword(text, instrument->name)) return instrument.get();
  }
  return nullptr;
}

void Panel::ListReferences(std::vector<std::string> &references) {
  if (name[0] != '\0') ListVariables(references, std::string(name) + ":");
}

void Panel::LoadState(FILEHANDLE scn) {
  char *line;
  int32_t level;
  while (oapiReadScenario_nextline(scn, line) && !MatchKeyword(line, "</PANEL>")) {
    KeywordLine tagged(line);
    if (tagged.Is("<TEXT>") && (Fields(tagged.rest) >> level).Count() == 1) textLightingLevel = level != 0;
    if (tagged.Is("<LIGHT>") && (Fields(tagged.rest) >> level).Count() == 1) lightingLevel = level != 0;
  }
  textLight = textLightingLevel != 0 ? 1 : -1;
  light = lightingLevel != 0 ? 1 : -1;
  for (auto &instrument : instruments) instrument->LightingChanged(lightingLevel != 0);
}

void Panel::SaveState(FILEHANDLE scn) const {
  char value[16];
  std::snprintf(value, sizeof value, "%i", number);
  WriteScenarioString(scn, "<PANEL>", value);
  WriteScenarioInt(scn, "<TEXT>", textLightingLevel);
  WriteScenarioInt(scn, "<LIGHT>", lightingLevel);
  WriteScenarioString(scn, "</PANEL>", value);
}

#include "panels/PanelDeck.h"

#include <cassert>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "panels/PanelParser.h"

void PanelDeck::LoadClassFile(ParseContext &context, const char *name) {
  classes.LoadClassFile(context, name, drawingResources);
}

void PanelDeck::ParseSection(ParseContext &context, const char *name, VariableResolver &resolver) {
  if (panelCount >= kMaxPanels) {
    // Ten panels are all a vessel can have: a further section is read past.
    context.diagnostics.LogError(kInvalidComponent);
    SectionLines(context, "</PANEL>").Skip();
    return;
  }
  panels[panelCount] = std::make_unique<Panel>(drawingResources.get(), panelCount, name);
  PanelParser parser(resolver, classes, *panels[panelCount], context);
  char *line;
  SectionLines section(context, "</PANEL>");
  while (section.Next(line)) parser.Line(line);
  parser.Finish();
  ++panelCount;
}

void PanelDeck::FinishConfiguration() {
  if (panelCount > 0 && drawingResources) drawingResources->CreateStandardSet();
}

bool PanelDeck::Load(int n) {
  if (n < 0 || n >= panelCount || panels[n] == nullptr) return false;
  currentPanel = n;
  Panel &panel = *panels[n];
  HBITMAP background =
      static_cast<HBITMAP>(LoadImageA(nullptr, panel.backgroundFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  oapiRegisterPanelBackground(background, PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM,
                              static_cast<DWORD>(static_cast<int64_t>(panel.colourKey)));
  oapiSetPanelNeighbours(panel.neighbours[0], panel.neighbours[1], panel.neighbours[2], panel.neighbours[3]);
  panel.RegisterAreas();
  return true;
}

void PanelDeck::RedrawEvent(int area, int event, SURFHANDLE surface) {
  Panel *panel = CurrentPanel();
  if (panel == nullptr) return;
  Instrument *instrument = panel->InstrumentAt(area);
  if (instrument == nullptr) return;
  if (event == PANEL_REDRAW_ALWAYS) {
    instrument->FrameRedraw(panel->Context(surface));
  } else if (event == PANEL_REDRAW_MOUSE || event == PANEL_REDRAW_INIT || event == PANEL_REDRAW_USER) {
    instrument->Redraw(panel->Context(surface));
  }
}

int32_t PanelDeck::MouseEvent(int area, int event, int mx, int my) {
  Panel *panel = CurrentPanel();
  return panel != nullptr ? panel->MouseEvent(area, event, mx, my) : kActionNone;
}

void PanelDeck::MfdModeChanged(int mfd) {
  if (panelCount <= 0) return;
  const int n = currentPanel < 0 ? 0 : (currentPanel >= panelCount ? panelCount - 1 : currentPanel);
  assert(n >= 0 && n < panelCount && n < kMaxPanels);
  const Panel *panel = PanelAt(n);
  if (panel != nullptr && mfd >= 0 && mfd < kMaxPanelMfds) oapiTriggerPanelRedrawArea(n, panel->mfdAreas[mfd]);
}

// A panel without a name would take every reference, so it takes none.
VariableRef PanelDeck::ResolveReference(const char *text, Diagnostics &diagnostics) {
  for (int n = 0; n <= panelCount && n < kMaxPanels; ++n) {
    Panel *panel = panels[n].get();
    if (panel == nullptr) continue;
    // The character after the panel's name (its colon) is passed over.
    const char *local = panel->name[0] != '\0' ? AfterKeyword(text, panel->name, 1) : nullptr;
    if (local != nullptr) return panel->ResolveVariable(local, diagnostics);
  }
  diagnostics.LogError(kInvalidComponent);
  return {};
}

void PanelDeck::ListReferences(std::vector<std::string> &references) {
  for (int n = 0; n < panelCount; ++n)
    if (panels[n] != nullptr) panels[n]->ListReferences(references);
}

size_t PanelDeck::InstrumentCount() const {
  size_t count = 0;
  for (int n = 0; n < panelCount; ++n) count += panels[n]->instruments.size();
  return count;
}

void PanelDeck::SaveToScenario(FILEHANDLE scn) const {
  for (int n = 0; n < panelCount; ++n)
    if (const Panel *panel = PanelAt(n)) panel->SaveState(scn);
}

void PanelDeck::LoadFromScenario(int n, FILEHANDLE scn) {
  if (Panel *panel = PanelAt(n)) panel->LoadState(scn);
}

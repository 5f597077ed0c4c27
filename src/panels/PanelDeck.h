// The vessel's cockpit panels, the instrument classes they are built from and
// the drawing resources both share, with the host's panel callbacks: which
// panel is shown, its redraws and its mouse events.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <Orbitersdk.h>

#include "config/VariableRef.h"
#include "panels/instruments/DrawingResources.h"
#include "panels/InstrumentClassList.h"
#include "panels/Panel.h"

class Diagnostics;
class ParseContext;
class VariableResolver;

class PanelDeck {
 public:
  PanelDeck() = default;
  PanelDeck(const PanelDeck &) = delete;
  PanelDeck &operator=(const PanelDeck &) = delete;

  // "Panel NAME" lines: every class of "config\NAME.prd".
  void LoadClassFile(ParseContext &context, const char *name);
  // A <PANEL> section, from the line after its opening line; its references
  // go to `resolver`.
  void ParseSection(ParseContext &context, const char *name, VariableResolver &resolver);
  // Once the file is read: the pens and fonts every panel draws with.
  void FinishConfiguration();

  // The host's panel callbacks. A press that asks for a key returns its
  // code (kActionNone: nothing to press).
  bool Load(int n);
  void RedrawEvent(int area, int event, SURFHANDLE surface);
  int32_t MouseEvent(int area, int event, int mx, int my);
  // Asks the host to redraw the area of MFD `mfd` on the current panel.
  void MfdModeChanged(int mfd);

  // A panel's own variable or one of its instruments' ("MAIN:SW1:SRC"). The
  // panel being read can already be named; null, logged, for none.
  VariableRef ResolveReference(const char *text, Diagnostics &diagnostics);
  // Every variable a panel or an instrument holds itself, as references.
  void ListReferences(std::vector<std::string> &references);

  Panel *PanelAt(int n) const { return n >= 0 && n < kMaxPanels ? panels[n].get() : nullptr; }
  int32_t Count() const { return panelCount; }
  size_t InstrumentCount() const;
  const InstrumentClassList &Classes() const { return classes; }
  const DrawingResources *Resources() const { return drawingResources.get(); }

  void SaveToScenario(FILEHANDLE scn) const;
  // Panel n's saved state, from the line after its "<PANEL> n".
  void LoadFromScenario(int n, FILEHANDLE scn);

 private:
  Panel *CurrentPanel() const { return PanelAt(currentPanel); }

  // Destroyed in reverse: the drawing resources first of all, then the
  // classes, then the panels.
  std::array<std::unique_ptr<Panel>, kMaxPanels> panels;
  InstrumentClassList classes;
  std::unique_ptr<DrawingResources> drawingResources;
  int32_t panelCount = 0;
  int32_t currentPanel = 0;
};

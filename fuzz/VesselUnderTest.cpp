#include "VesselUnderTest.h"

#include "ScenarioFile.h"
#include "Simulation.h"
#include "Surface.h"
#include "module/GenericVessel.h"

void ExerciseVessel(const std::vector<std::string> &block) {
  host::Simulation sim;
  sim.messageSink = [](const std::string &) {};
  host::Vessel *hostVessel = sim.createOrbitingVessel("Fuzz", "NoModule", 300e3);
  GenericVessel vessel(hostVessel->handle(), 1);
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  vessel.LoadScenarioState(reader.handle(), &status);
  for (int frame = 1; frame <= 3; ++frame) {
    sim.frame(frame * 0.5);
    vessel.Update(frame * 0.5);
  }
  for (int key : {OAPI_KEY_J, OAPI_KEY_K, OAPI_KEY_G}) vessel.systems.OnKey(key);
  host::ScenarioWriter writer;
  vessel.SaveScenarioState(writer.handle());
  host::Surface *surface = host::Surface::create(64, 64);
  for (int panel = 0; panel < 3; ++panel) {
    if (!vessel.systems.LoadPanel(panel)) continue;
    const int areas = static_cast<int>(vessel.systems.PanelAt(panel)->instruments.size());
    for (int area = 0; area < areas && area < 64; ++area) {
      for (int event : {PANEL_REDRAW_INIT, PANEL_REDRAW_ALWAYS, PANEL_REDRAW_USER})
        vessel.systems.PanelRedrawEvent(area, event, surface->handle());
      for (int event : {PANEL_MOUSE_LBDOWN, PANEL_MOUSE_LBUP, PANEL_MOUSE_RBDOWN, PANEL_MOUSE_RBUP})
        vessel.systems.PanelMouseEvent(area, event, 5, 5);
    }
    vessel.systems.MfdModeChanged(0);
  }
  host::Surface::destroy(surface);
}

#include "VesselUnderTest.h"

#include <cstdlib>

#include "ScenarioFile.h"
#include "Simulation.h"
#include "Surface.h"
#include "module/GenericVessel.h"
#include "systems/fluid/FluidTank.h"

namespace {

// No input may leave a NaN or an infinity in a body or a tank: it would spread
// through the plant into every saved scenario.
void RequireFinitePlant(const GenericVessel &vessel) {
  for (const ThermalBody *body : vessel.systems.onboard.Thermal().Bodies()) {
    const auto *tank = dynamic_cast<const FluidTank *>(body);
    if (!body->FiguresFinite() || (tank != nullptr && !tank->contents.Finite())) std::abort();
  }
}

}  // namespace

void ExerciseVessel(const std::vector<std::string> &block) {
  host::Simulation sim;
  sim.messageSink = [](const std::string &) {};
  host::Vessel *hostVessel = sim.createOrbitingVessel("Fuzz", "NoModule", 300e3);
  GenericVessel vessel(hostVessel->handle(), 1);
  host::ScenarioBlockReader reader(block);
  host::ParsedStatus status;
  vessel.LoadScenarioState(reader.handle(), &status);
  RequireFinitePlant(vessel);
  for (int frame = 1; frame <= 3; ++frame) {
    sim.frame(frame * 0.5);
    vessel.Update(frame * 0.5);
    RequireFinitePlant(vessel);
  }
  for (int key : {OAPI_KEY_J, OAPI_KEY_K, OAPI_KEY_G}) vessel.systems.OnKey(key);
  host::ScenarioWriter writer;
  vessel.SaveScenarioState(writer.handle());
  host::Surface *surface = host::Surface::create(64, 64);
  for (int panel = 0; panel < 3; ++panel) {
    if (!vessel.systems.deck.Load(panel)) continue;
    const int areas = static_cast<int>(vessel.systems.deck.PanelAt(panel)->instruments.size());
    for (int area = 0; area < areas && area < 64; ++area) {
      for (int event : {PANEL_REDRAW_INIT, PANEL_REDRAW_ALWAYS, PANEL_REDRAW_USER})
        vessel.systems.deck.RedrawEvent(area, event, surface->handle());
      for (int event : {PANEL_MOUSE_LBDOWN, PANEL_MOUSE_LBUP, PANEL_MOUSE_RBDOWN, PANEL_MOUSE_RBUP})
        vessel.systems.PanelMouseEvent(area, event, 5, 5);
    }
    vessel.systems.deck.MfdModeChanged(0);
  }
  host::Surface::destroy(surface);
}

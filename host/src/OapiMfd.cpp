// The oapi functions for MFDs: they act on the host MFDs of the running
// simulation's panel host; without a simulation there are none.
#include "PanelHost.h"
#include "Simulation.h"

using host::runningPanels;

void oapiRegisterMFD(int mfd, const MFDSPEC &layout) {
  if (host::PanelHost *host = runningPanels()) host->registerMfd(mfd, layout);
}

const char *oapiMFDButtonLabel(int mfd, int bt) {
  host::PanelHost *host = runningPanels();
  return host != nullptr ? host->mfds().buttonLabel(mfd, bt) : nullptr;
}

bool oapiProcessMFDButton(int mfd, int bt, int event) {
  host::PanelHost *host = runningPanels();
  return host != nullptr && host->mfds().processButton(mfd, bt, event);
}

int oapiSendMFDKey(int mfd, DWORD key) {
  host::PanelHost *host = runningPanels();
  return host != nullptr && host->mfds().sendKey(mfd, key) ? 1 : 0;
}

void oapiToggleMFD_on(int mfd) {
  if (host::PanelHost *host = runningPanels()) host->mfds().togglePower(mfd);
}

// The host's key names ("OAPI_KEY_J") and thruster group names
// ("THGROUP_MAIN") for scripted events.
#pragma once

#include <string>

// The scan code of a key name (case ignored) or of a decimal code; 0 if none.
int KeyCodeFromHostName(const char *name);

// The scan code of a browser key code ("KeyJ", "Digit1", "ArrowUp",
// "Numpad7", "F3"): the key of the host's name for the same key; 0 if none.
int KeyCodeFromBrowserCode(const std::string &code);
// The host's value of a thruster group name (case ignored); -1 if none.
int ThrusterGroupFromName(const char *name);

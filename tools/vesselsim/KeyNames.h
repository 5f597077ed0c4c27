// The host's key names ("OAPI_KEY_J") and thruster group names
// ("THGROUP_MAIN") for scripted events.
#pragma once

// The scan code of a key name (case ignored) or of a decimal code; 0 if none.
int KeyCodeFromHostName(const char *name);

// The host's value of a thruster group name (case ignored); -1 if none.
int ThrusterGroupFromName(const char *name);

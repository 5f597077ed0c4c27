// The host's key names ("OAPI_KEY_J") for scripted key presses.
#pragma once

// The scan code of a key name (case ignored) or of a decimal code; 0 if none.
int KeyCodeFromHostName(const char *name);

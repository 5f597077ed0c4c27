#include "KeyNames.h"

#include <strings.h>

#include <cstdlib>
#include <utility>

#include "OrbiterAPI.h"

namespace {

struct KeyName {
  const char *name;
  int code;
};

#define KEY(name) {#name, name}
const KeyName kKeys[] = {
    KEY(OAPI_KEY_ESCAPE), KEY(OAPI_KEY_1), KEY(OAPI_KEY_2), KEY(OAPI_KEY_3), KEY(OAPI_KEY_4),
    KEY(OAPI_KEY_5), KEY(OAPI_KEY_6), KEY(OAPI_KEY_7), KEY(OAPI_KEY_8), KEY(OAPI_KEY_9),
    KEY(OAPI_KEY_0), KEY(OAPI_KEY_MINUS), KEY(OAPI_KEY_EQUALS), KEY(OAPI_KEY_BACK),
    KEY(OAPI_KEY_TAB), KEY(OAPI_KEY_Q), KEY(OAPI_KEY_W), KEY(OAPI_KEY_E), KEY(OAPI_KEY_R),
    KEY(OAPI_KEY_T), KEY(OAPI_KEY_Y), KEY(OAPI_KEY_U), KEY(OAPI_KEY_I), KEY(OAPI_KEY_O),
    KEY(OAPI_KEY_P), KEY(OAPI_KEY_LBRACKET), KEY(OAPI_KEY_RBRACKET), KEY(OAPI_KEY_RETURN),
    KEY(OAPI_KEY_LCONTROL), KEY(OAPI_KEY_A), KEY(OAPI_KEY_S), KEY(OAPI_KEY_D), KEY(OAPI_KEY_F),
    KEY(OAPI_KEY_G), KEY(OAPI_KEY_H), KEY(OAPI_KEY_J), KEY(OAPI_KEY_K), KEY(OAPI_KEY_L),
    KEY(OAPI_KEY_SEMICOLON), KEY(OAPI_KEY_APOSTROPHE), KEY(OAPI_KEY_GRAVE), KEY(OAPI_KEY_LSHIFT),
    KEY(OAPI_KEY_BACKSLASH), KEY(OAPI_KEY_Z), KEY(OAPI_KEY_X), KEY(OAPI_KEY_C), KEY(OAPI_KEY_V),
    KEY(OAPI_KEY_B), KEY(OAPI_KEY_N), KEY(OAPI_KEY_M), KEY(OAPI_KEY_COMMA), KEY(OAPI_KEY_PERIOD),
    KEY(OAPI_KEY_SLASH), KEY(OAPI_KEY_RSHIFT), KEY(OAPI_KEY_MULTIPLY), KEY(OAPI_KEY_LALT),
    KEY(OAPI_KEY_SPACE), KEY(OAPI_KEY_CAPITAL), KEY(OAPI_KEY_F1), KEY(OAPI_KEY_F2),
    KEY(OAPI_KEY_F3), KEY(OAPI_KEY_F4), KEY(OAPI_KEY_F5), KEY(OAPI_KEY_F6), KEY(OAPI_KEY_F7),
    KEY(OAPI_KEY_F8), KEY(OAPI_KEY_F9), KEY(OAPI_KEY_F10), KEY(OAPI_KEY_NUMLOCK),
    KEY(OAPI_KEY_SCROLL), KEY(OAPI_KEY_NUMPAD7), KEY(OAPI_KEY_NUMPAD8), KEY(OAPI_KEY_NUMPAD9),
    KEY(OAPI_KEY_SUBTRACT), KEY(OAPI_KEY_NUMPAD4), KEY(OAPI_KEY_NUMPAD5), KEY(OAPI_KEY_NUMPAD6),
    KEY(OAPI_KEY_ADD), KEY(OAPI_KEY_NUMPAD1), KEY(OAPI_KEY_NUMPAD2), KEY(OAPI_KEY_NUMPAD3),
    KEY(OAPI_KEY_NUMPAD0), KEY(OAPI_KEY_DECIMAL), KEY(OAPI_KEY_OEM_102), KEY(OAPI_KEY_F11),
    KEY(OAPI_KEY_F12), KEY(OAPI_KEY_NUMPADENTER), KEY(OAPI_KEY_RCONTROL), KEY(OAPI_KEY_DIVIDE),
    KEY(OAPI_KEY_SYSRQ), KEY(OAPI_KEY_RALT), KEY(OAPI_KEY_PAUSE), KEY(OAPI_KEY_HOME),
    KEY(OAPI_KEY_UP), KEY(OAPI_KEY_PRIOR), KEY(OAPI_KEY_LEFT), KEY(OAPI_KEY_RIGHT),
    KEY(OAPI_KEY_END), KEY(OAPI_KEY_DOWN), KEY(OAPI_KEY_NEXT), KEY(OAPI_KEY_INSERT),
    KEY(OAPI_KEY_DELETE),
};
}  // namespace

int KeyCodeFromHostName(const char *name) {
  for (const KeyName &key : kKeys)
    if (strcasecmp(key.name, name) == 0) return key.code;
  char *end;
  const long code = std::strtol(name, &end, 10);
  return (*name != '\0' && *end == '\0' && code > 0 && code < 256) ? static_cast<int>(code) : 0;
}

int ThrusterGroupFromName(const char *name) {
  static const KeyName groups[] = {
      KEY(THGROUP_MAIN),          KEY(THGROUP_RETRO),         KEY(THGROUP_HOVER),
      KEY(THGROUP_ATT_PITCHUP),   KEY(THGROUP_ATT_PITCHDOWN), KEY(THGROUP_ATT_YAWLEFT),
      KEY(THGROUP_ATT_YAWRIGHT),  KEY(THGROUP_ATT_BANKLEFT),  KEY(THGROUP_ATT_BANKRIGHT),
      KEY(THGROUP_ATT_RIGHT),     KEY(THGROUP_ATT_LEFT),      KEY(THGROUP_ATT_UP),
      KEY(THGROUP_ATT_DOWN),      KEY(THGROUP_ATT_FORWARD),   KEY(THGROUP_ATT_BACK),
      KEY(THGROUP_USER),
  };
  for (const KeyName &group : groups)
    if (strcasecmp(group.name, name) == 0) return group.code;
  return -1;
}
#undef KEY

namespace {

// Browser codes whose host name is not the code's own word.
const std::pair<const char *, const char *> kBrowserNames[] = {
    {"Escape", "ESCAPE"},       {"Minus", "MINUS"},         {"Equal", "EQUALS"},
    {"Backspace", "BACK"},      {"Enter", "RETURN"},        {"BracketLeft", "LBRACKET"},
    {"BracketRight", "RBRACKET"}, {"ControlLeft", "LCONTROL"}, {"ControlRight", "RCONTROL"},
    {"Semicolon", "SEMICOLON"}, {"Quote", "APOSTROPHE"},    {"Backquote", "GRAVE"},
    {"ShiftLeft", "LSHIFT"},    {"ShiftRight", "RSHIFT"},   {"Backslash", "BACKSLASH"},
    {"Comma", "COMMA"},         {"Period", "PERIOD"},       {"Slash", "SLASH"},
    {"AltLeft", "LALT"},        {"AltRight", "RALT"},       {"CapsLock", "CAPITAL"},
    {"ScrollLock", "SCROLL"},   {"NumpadMultiply", "MULTIPLY"}, {"NumpadSubtract", "SUBTRACT"},
    {"NumpadAdd", "ADD"},       {"NumpadDecimal", "DECIMAL"}, {"NumpadDivide", "DIVIDE"},
    {"NumpadEnter", "NUMPADENTER"}, {"IntlBackslash", "OEM_102"}, {"PageUp", "PRIOR"},
    {"PageDown", "NEXT"},       {"ArrowUp", "UP"},          {"ArrowDown", "DOWN"},
    {"ArrowLeft", "LEFT"},      {"ArrowRight", "RIGHT"},    {"PrintScreen", "SYSRQ"},
};

std::string HostWordOf(const std::string &code) {
  for (const auto &[browser, host] : kBrowserNames)
    if (code == browser) return host;
  if (code.size() == 4 && code.compare(0, 3, "Key") == 0) return code.substr(3);
  if (code.size() == 6 && code.compare(0, 5, "Digit") == 0) return code.substr(5);
  if (code.size() == 7 && code.compare(0, 6, "Numpad") == 0) return "NUMPAD" + code.substr(6);
  // Space, Tab, Home, End, Insert, Pause, NumLock, F1 to F12: the same word.
  return code;
}

}  // namespace

int KeyCodeFromBrowserCode(const std::string &code) {
  // Only names of the table: a decimal code is no browser code.
  if (code.empty() || (code[0] >= '0' && code[0] <= '9')) return 0;
  return KeyCodeFromHostName(("OAPI_KEY_" + HostWordOf(code)).c_str());
}

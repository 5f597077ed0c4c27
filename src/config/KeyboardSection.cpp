#include "config/KeyboardSection.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"

namespace {

struct KeyName {
  const char *name;
  int32_t code;
};

// The names configuration files use, spelled as they have always been: the
// keypad minus is "OPAI_KEY_SUBTRACT", and the main-keyboard 8 has no name.
const KeyName kKeyTable[] = {
    {"OAPI_KEY_ESCAPE", 1},       {"OAPI_KEY_1", 2},           {"OAPI_KEY_2", 3},
    {"OAPI_KEY_3", 4},            {"OAPI_KEY_4", 5},           {"OAPI_KEY_5", 6},
    {"OAPI_KEY_6", 7},            {"OAPI_KEY_7", 8},           {"OAPI_KEY_9", 10},
    {"OAPI_KEY_0", 11},           {"OAPI_KEY_MINUS", 12},      {"OAPI_KEY_EQUALS", 13},
    {"OAPI_KEY_BACK", 14},        {"OAPI_KEY_TAB", 15},        {"OAPI_KEY_Q", 16},
    {"OAPI_KEY_W", 17},           {"OAPI_KEY_E", 18},          {"OAPI_KEY_R", 19},
    {"OAPI_KEY_T", 20},           {"OAPI_KEY_Y", 21},          {"OAPI_KEY_U", 22},
    {"OAPI_KEY_I", 23},           {"OAPI_KEY_O", 24},          {"OAPI_KEY_P", 25},
    {"OAPI_KEY_LBRACKET", 26},    {"OAPI_KEY_RBRACKET", 27},   {"OAPI_KEY_RETURN", 28},
    {"OAPI_KEY_LCONTROL", 29},    {"OAPI_KEY_A", 30},          {"OAPI_KEY_S", 31},
    {"OAPI_KEY_D", 32},           {"OAPI_KEY_F", 33},          {"OAPI_KEY_G", 34},
    {"OAPI_KEY_H", 35},           {"OAPI_KEY_J", 36},          {"OAPI_KEY_K", 37},
    {"OAPI_KEY_L", 38},           {"OAPI_KEY_SEMICOLON", 39},  {"OAPI_KEY_APOSTROPHE", 40},
    {"OAPI_KEY_GRAVE", 41},       {"OAPI_KEY_LSHIFT", 42},     {"OAPI_KEY_BACKSLASH", 43},
    {"OAPI_KEY_Z", 44},           {"OAPI_KEY_X", 45},          {"OAPI_KEY_C", 46},
    {"OAPI_KEY_V", 47},           {"OAPI_KEY_B", 48},          {"OAPI_KEY_N", 49},
    {"OAPI_KEY_M", 50},           {"OAPI_KEY_COMMA", 51},      {"OAPI_KEY_PERIOD", 52},
    {"OAPI_KEY_SLASH", 53},       {"OAPI_KEY_RSHIFT", 54},     {"OAPI_KEY_MULTIPLY", 55},
    {"OAPI_KEY_LALT", 56},        {"OAPI_KEY_SPACE", 57},      {"OAPI_KEY_CAPITAL", 58},
    {"OAPI_KEY_F1", 59},          {"OAPI_KEY_F2", 60},         {"OAPI_KEY_F3", 61},
    {"OAPI_KEY_F4", 62},          {"OAPI_KEY_F5", 63},         {"OAPI_KEY_F6", 64},
    {"OAPI_KEY_F7", 65},          {"OAPI_KEY_F8", 66},         {"OAPI_KEY_F9", 67},
    {"OAPI_KEY_F10", 68},         {"OAPI_KEY_NUMLOCK", 69},    {"OAPI_KEY_SCROLL", 70},
    {"OAPI_KEY_NUMPAD7", 71},     {"OAPI_KEY_NUMPAD8", 72},    {"OAPI_KEY_NUMPAD9", 73},
    {"OPAI_KEY_SUBTRACT", 74},    {"OAPI_KEY_NUMPAD4", 75},    {"OAPI_KEY_NUMPAD5", 76},
    {"OAPI_KEY_NUMPAD6", 77},     {"OAPI_KEY_ADD", 78},        {"OAPI_KEY_NUMPAD1", 79},
    {"OAPI_KEY_NUMPAD2", 80},     {"OAPI_KEY_NUMPAD3", 81},    {"OAPI_KEY_NUMPAD0", 82},
    {"OAPI_KEY_DECIMAL", 83},     {"OAPI_KEY_OEM_102", 86},    {"OAPI_KEY_F11", 87},
    {"OAPI_KEY_F12", 88},         {"OAPI_KEY_NUMPADENTER", 156}, {"OAPI_KEY_RCONTROL", 157},
    {"OAPI_KEY_DIVIDE", 181},     {"OAPI_KEY_RALT", 184},
};

}  // namespace

int32_t KeyCodeFromName(const char *name) {
  if (name == nullptr) return 0;
  for (const KeyName &key : kKeyTable)
    if (strcasecmp(key.name, name) == 0) return key.code;
  return 0;
}

// "KEYNAME ACTION CONFIGURATION" per line; a line that does not give all
// three binds nothing.
void KeyboardSection::Read(ParseContext &context) {
  char *line;
  SectionLines section(context, "</KEYBOARD>");
  while (section.Next(line)) {
    LineWord keyName, action;
    KeyBinding binding;
    context.diagnostics.CheckWordCount(line, 3, "key binding");
    if (line == nullptr ||
        (Fields(line, &context.diagnostics) >> keyName >> action >> binding.configuration).Count() != 3)
      continue;
    binding.keyCode = KeyCodeFromName(keyName);
    binding.action = MatchKeyword(action, "SEPARATION") ? kActionSeparation : kActionOther;
    if (binding.keyCode == 0) context.diagnostics.Report(std::string("key ") + keyName + " is not in the key table");
    if (binding.action == kActionOther)
      context.diagnostics.Report(std::string("action ") + action + " is not one the module knows (SEPARATION)");
    else
      context.diagnostics.NoteRequired(&set.configurations, "separation to configuration",
                                       std::to_string(binding.configuration).c_str());
    InsertAfterFirst(set.keyBindings, binding);
  }
}

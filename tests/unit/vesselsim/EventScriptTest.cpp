#include "EventScript.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include <cmath>
#include <cstdint>
#include <fstream>

#include "KeyNames.h"
#include "Watch.h"
#include "OrbiterAPI.h"

namespace {

// Scratch files carry the test's name: ctest runs tests side by side.
bool Read(const std::string &text, std::vector<Event> &events, std::string &error) {
  const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = ::testing::TempDir() + "/" + test->name() + "-events.txt";
  std::ofstream(path) << text;
  EventScript script;
  const bool read = ReadEventScript(path, "/base", script, error);
  events = script.events;
  return read;
}

}  // namespace

TEST(EventScript, ReadsKeySetAndSaveInFileOrder) {
  std::vector<Event> events;
  std::string error;
  ASSERT_TRUE(Read("# comment\n\n1 key OAPI_KEY_J  # separate\n2.5 set int=SHIP:CUSTOMINT1 -4\n"
                   "3 save out.scn\n3 save /abs/x.scn\n",
                   events, error))
      << error;
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, Event::Kind::Key);
  EXPECT_EQ(events[0].keyCode, OAPI_KEY_J);
  EXPECT_EQ(events[1].time, 2.5);
  EXPECT_EQ(events[1].target.type, ValueType::Int);
  EXPECT_EQ(events[1].target.reference, "SHIP:CUSTOMINT1");
  EXPECT_EQ(events[1].value, -4.0);
  EXPECT_EQ(events[2].file, "/base/out.scn");
  EXPECT_EQ(events[3].file, "/abs/x.scn");
}

TEST(EventScript, RejectsWhatItCannotApply) {
  const char *bad[] = {"x key OAPI_KEY_J\n",         "-1 key OAPI_KEY_J\n", "1 key OAPI_KEY_NOPE\n",
                       "1 set int=SHIP:A 1.5\n",     "1 set SHIP:A\n",      "1 set long=SHIP:A 1\n",
                       "1 fly away\n",               "1 key OAPI_KEY_J extra\n", "1 save\n",
                       "1 set\n"};
  for (const char *text : bad) {
    std::vector<Event> events;
    std::string error;
    EXPECT_FALSE(Read(text, events, error)) << text;
    EXPECT_NE(error.find(":1:"), std::string::npos) << error;
  }
  // Out of time order: it would run late, so it is refused with its line.
  std::vector<Event> events;
  std::string error;
  EXPECT_FALSE(Read("2 key OAPI_KEY_J\n2 key OAPI_KEY_K\n1 key OAPI_KEY_J\n", events, error));
  EXPECT_NE(error.find(":3: its time comes before"), std::string::npos) << error;
}

TEST(Watch, AReferenceWithoutANameIsRefusedAndSaysSo) {
  for (const char *text : {"", "int="}) {
    TypedReference ref;
    std::string error;
    EXPECT_FALSE(ref.parse(text, error)) << text;
    EXPECT_NE(error.find("no reference in"), std::string::npos) << "'" << text << "': " << error;
  }
  TypedReference ref;
  std::string error;
  EXPECT_TRUE(ref.parse("float=SHIP:ALTITUDE", error)) << error;
  EXPECT_EQ(ref.type, ValueType::Float);
  EXPECT_EQ(ref.reference, "SHIP:ALTITUDE");
}

TEST(KeyNames, HostNamesAndCodesGiveTheKeyAndAnythingElseNone) {
  EXPECT_EQ(KeyCodeFromHostName("oapi_key_f1"), OAPI_KEY_F1);
  EXPECT_EQ(KeyCodeFromHostName("OAPI_KEY_8"), 9);
  EXPECT_EQ(KeyCodeFromHostName("36"), 36);
  EXPECT_EQ(KeyCodeFromHostName("OAPI_KEY"), 0);
  EXPECT_EQ(KeyCodeFromHostName("300"), 0);
  EXPECT_EQ(KeyCodeFromHostName(""), 0);
}

// The browser's key codes of a US keyboard: each reaches a key of its own.
TEST(KeyNames, BrowserCodesGiveTheHostsKeysEachADifferentOne) {
  EXPECT_EQ(KeyCodeFromBrowserCode("KeyJ"), OAPI_KEY_J);
  EXPECT_EQ(KeyCodeFromBrowserCode("Digit0"), OAPI_KEY_0);
  EXPECT_EQ(KeyCodeFromBrowserCode("Numpad7"), OAPI_KEY_NUMPAD7);
  EXPECT_EQ(KeyCodeFromBrowserCode("Enter"), OAPI_KEY_RETURN);
  EXPECT_EQ(KeyCodeFromBrowserCode("PageDown"), OAPI_KEY_NEXT);
  std::set<int> keys;
  const std::string codes[] = {"Escape", "Minus", "Equal", "Backspace", "Tab", "BracketLeft", "BracketRight",
                               "ControlLeft", "ControlRight", "Semicolon", "Quote", "Backquote", "ShiftLeft",
                               "ShiftRight", "Backslash", "Comma", "Period", "Slash", "AltLeft", "AltRight",
                               "Space", "CapsLock", "F1", "F12", "NumLock", "ScrollLock", "NumpadMultiply",
                               "NumpadSubtract", "NumpadAdd", "NumpadDecimal", "NumpadDivide", "NumpadEnter",
                               "IntlBackslash", "Home", "End", "PageUp", "Insert", "Pause", "ArrowUp",
                               "ArrowDown", "ArrowLeft", "ArrowRight", "PrintScreen", "KeyA", "Digit9", "Numpad0"};
  for (const std::string &code : codes) {
    EXPECT_NE(KeyCodeFromBrowserCode(code), 0) << code;
    keys.insert(KeyCodeFromBrowserCode(code));
  }
  EXPECT_EQ(keys.size(), std::size(codes));
  for (const char *none : {"", "36", "Key", "KeyJJ", "MetaLeft", "OAPI_KEY_J"}) EXPECT_EQ(KeyCodeFromBrowserCode(none), 0) << none;
}

TEST(Watch, ValuesPrintAndRoundTripByType) {
  EXPECT_EQ(FormatValue(ValueType::Double, 0.1 + 0.2), "0.3");
  EXPECT_EQ(ShortestValue(ValueType::Double, 0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(ShortestValue(ValueType::Float, 1.1f), "1.1");
  EXPECT_EQ(FormatValue(ValueType::Int, -42), "-42");
  double value;
  EXPECT_TRUE(ParseValue(ValueType::Int, "2147483647", value));
  EXPECT_FALSE(ParseValue(ValueType::Int, "2147483648", value));
  EXPECT_FALSE(ParseValue(ValueType::Double, "", value));
}

// The variable is read and written as the module stores it, whatever the
// TYPE it is shown as: a double written into an int would overrun it.
TEST(Watch, VariablesKeepTheirStoredType) {
  struct {
    int32_t value = 7;
    int32_t neighbour = 11;
  } ints;
  StoredVariable stored{&ints.value};
  ASSERT_TRUE(stored.setType("int"));
  stored.write(2.9e12);
  EXPECT_EQ(ints.value, INT32_MAX);
  EXPECT_EQ(ints.neighbour, 11);
  stored.write(-3.7);
  EXPECT_EQ(stored.read(), -3.0);
  EXPECT_EQ(FormatValue(ValueType::Double, stored.read()), "-3");
  EXPECT_EQ(ShortestValue(ValueType::Int, std::nan("")), "0");

  float f = 0;
  StoredVariable single{&f};
  ASSERT_TRUE(single.setType("float"));
  single.write(2.5);
  EXPECT_EQ(f, 2.5f);
  EXPECT_FALSE(single.setType(nullptr));
  EXPECT_FALSE(single.setType("pointer"));
}

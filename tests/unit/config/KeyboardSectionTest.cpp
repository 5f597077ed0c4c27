#include <gtest/gtest.h>

#include "config/KeyboardSection.h"

TEST(KeyCodeFromName, NamesAreSpelledAsTheTableHasThem) {
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_ESCAPE"), 1);
  EXPECT_EQ(KeyCodeFromName("oapi_key_j"), 36);
  EXPECT_EQ(KeyCodeFromName("OPAI_KEY_SUBTRACT"), 74);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_SUBTRACT"), 0);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_8"), 0);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_9"), 10);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_OEM_102"), 86);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_RALT"), 184);
  EXPECT_EQ(KeyCodeFromName("OAPI_KEY_J2"), 0);
  EXPECT_EQ(KeyCodeFromName(nullptr), 0);
}


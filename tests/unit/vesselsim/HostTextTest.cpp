#include "HostText.h"

#include <gtest/gtest.h>

#include <string>

// Every byte of the code page that names a character comes back from the
// page as it went; the five it leaves undefined show as U+FFFD.
TEST(HostText, EveryCharacterOfTheCodePageRoundTrips) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string page = Utf8FromHostText(all);
  std::string back;
  EXPECT_FALSE(HostTextFromUtf8(page, back));  // U+FFFD is no character of the code page
  for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) all.erase(all.find(static_cast<char>(undefined)), 1);
  ASSERT_TRUE(HostTextFromUtf8(Utf8FromHostText(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Utf8FromHostText("\xe9\xb0\xb5\x80\x81"), "\u00e9\u00b0\u00b5\u20ac\ufffd");
}

TEST(HostText, WhatIsNotUtf8OrNotInTheCodePageIsRefused) {
  std::string back = "kept";
  for (const char *bad : {"\xff", "\xc3", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                          "\u4e2d", "\U0001F600"}) {
    EXPECT_FALSE(HostTextFromUtf8(bad, back)) << bad;
    EXPECT_EQ(back, "kept");
  }
  ASSERT_TRUE(HostTextFromUtf8("D\u00e9j\u00e0 \u2013 \u20ac", back));
  EXPECT_EQ(back, "D\xe9j\xe0 \x96 \x80");
}

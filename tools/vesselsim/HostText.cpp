#include "HostText.h"

#include <cstdint>

namespace {

// Code page 1252's characters for 0x80 to 0x9F, where it differs from
// Latin-1; 0 where it has none. From 0xA0 on it is Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

char32_t CodePoint(unsigned char byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t mapped = kHighControls[byte - 0x80];
  return mapped != 0 ? mapped : kReplacement;
}

void AppendUtf8(std::string &out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next character of UTF-8 `text` from `at`, which it moves past it;
// false for bytes that are not UTF-8 (overlong forms and surrogates included).
bool NextCodePoint(std::string_view text, size_t &at, char32_t &c) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) return false;
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char follow = static_cast<unsigned char>(text[at + i]);
    if ((follow & 0xC0) != 0x80) return false;
    c = (c << 6) | (follow & 0x3F);
  }
  constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  at += length;
  return true;
}

// The code page's byte for `c`; false when it has none.
bool HostByte(char32_t c, char &byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Utf8FromHostText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) AppendUtf8(out, CodePoint(static_cast<unsigned char>(byte)));
  return out;
}

bool HostTextFromUtf8(std::string_view text, std::string &hostText) {
  std::string out;
  out.reserve(text.size());
  char32_t c;
  char byte;
  for (size_t at = 0; at < text.size();) {
    if (!NextCodePoint(text, at, c) || !HostByte(c, byte)) return false;
    out += byte;
  }
  hostText.swap(out);
  return true;
}

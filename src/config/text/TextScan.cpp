#include "config/text/TextScan.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "config/text/Diagnostics.h"

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

const char *SkipBlanks(const char *at) {
  while (IsBlank(*at)) ++at;
  return at;
}

// A number as "%lf" reads it: strtod's number, with the characters scanf
// takes past it and cannot give back. An exponent without digits ("1e+") is
// taken and ignored; "0x" without digits, or "infin" short of "infinity",
// fails.
bool ReadNumber(const char *&at, double &value) {
  const char *start = SkipBlanks(at);
  char *end = nullptr;
  const double read = std::strtod(start, &end);
  if (end == start) return false;
  const std::string number(start, static_cast<const char *>(end));
  const char next = static_cast<char>(std::tolower(static_cast<unsigned char>(*end)));
  const bool hex = number.find_first_of("xX") != std::string::npos;
  const bool bareZero = number.find_first_not_of("+-") == number.size() - 1 && number.back() == '0';
  const bool infinity = std::isinf(read) && std::isalpha(static_cast<unsigned char>(number.back()));
  if ((bareZero && next == 'x') || (infinity && next == 'i')) return false;
  if (next == (hex ? 'p' : 'e') && !infinity && number.find_first_of("nN") == std::string::npos) {
    ++end;
    if (*end == '+' || *end == '-') ++end;
  }
  value = read;
  at = end;
  return true;
}

// A word as "%254s" reads it: the blanks before it passed over, it runs to
// the next blank.
bool ReadWord(const char *&at, LineWord &word) {
  const char *start = SkipBlanks(at);
  size_t length = 0;
  while (start[length] != '\0' && !IsBlank(start[length]) && length + 1 < sizeof(LineWord)) ++length;
  if (length == 0) return false;
  std::memcpy(word, start, length);
  word[length] = '\0';
  at = start + length;
  return true;
}

}  // namespace

// All vectors or none, so that a bad one leaves every value as it was.
bool ScanVectors(const char *text, Vec3 *vectors, int count, Diagnostics *findings) {
  Vec3 read[3];
  if (count < 1 || count > 3 || text == nullptr) return false;
  Fields fields(text, findings);
  for (int i = 0; i < count; ++i) fields >> read[i];
  if (fields.Count() != 3 * count) return false;
  std::copy(read, read + count, vectors);
  return true;
}

bool ScanVector(const char *text, Vec3 &v, Diagnostics *findings) { return ScanVectors(text, &v, 1, findings); }

// A field that does not read ends the scan. A word where a number belongs is
// an author's mistake (the field keeps what it held); the end of the line,
// where optional fields begin, is none.
void Fields::EndScan() {
  LineWord word = "";
  const char *rest = at;
  if (!ended && diagnostics != nullptr && diagnostics->FindingsWanted() && ReadWord(rest, word))
    diagnostics->Report("number \"" + std::string(word) + "\" does not read: the value before is kept");
  ended = true;
}

Fields &Fields::Took(bool read) {
  if (read)
    ++count;
  else
    EndScan();
  return *this;
}

Fields &Fields::operator>>(LineWord &word) { return Took(!ended && ReadWord(at, word)); }

// strtoll with base 0 reads what "%i" reads: blanks, a sign, and a decimal,
// octal ("0") or hexadecimal ("0x") number.
Fields &Fields::operator>>(int &value) {
  char *end = nullptr;
  const long long read = ended ? 0 : std::strtoll(at, &end, 0);
  if (ended || end == at) return Took(false);
  value =
      static_cast<int>(std::clamp<long long>(read, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  at = end;
  return Took(true);
}

Fields &Fields::operator>>(double &value) { return Took(!ended && ReadNumber(at, value)); }

Fields &Fields::operator>>(Vec3 &v) {
  double *const xyz[] = {&v.x, &v.y, &v.z};
  return Bracketed(xyz, 3, "a vector <x y z>");
}

Fields &Fields::Pair(double &a, double &b) {
  double *const ab[] = {&a, &b};
  return Bracketed(ab, 2, "two numbers <a b>");
}

// Every vector of a line reads by one rule: all its numbers or none of them
// (a bad one keeps the values before, and the rest of the line is not read);
// its closing ">" may be left out, which is said.
Fields &Fields::Bracketed(double *const *values, int n, const char *what) {
  const char *opening = SkipBlanks(at);
  if (ended || *opening == '\0') return Took(false);
  double read[3];
  const char *p = opening + 1;
  int numbers = 0;
  while (*opening == '<' && numbers < n && ReadNumber(p, read[numbers])) ++numbers;
  p = SkipBlanks(p);
  if (numbers < n) {
    const char *closing = std::strpbrk(opening, *opening == '<' ? ">" : " ");
    const std::string written(opening,
                              closing == nullptr ? opening + std::strlen(opening) : closing + (*closing == '>'));
    if (diagnostics != nullptr)
      diagnostics->Report("\"" + written + "\" is not " + what +
                          ": the value before is kept and the rest of the line is not read");
    ended = true;
    return *this;
  }
  if (*p == '>')
    ++p;
  else if (diagnostics != nullptr)
    diagnostics->Report("\"" + std::string(opening, p) + "\" has no closing \">\": it is read as " + what);
  for (int i = 0; i < n; ++i) *values[i] = read[i];
  at = p;
  count += n;
  return *this;
}

const char *FromColumn(const char *line, size_t column) {
  return line != nullptr && std::strlen(line) >= column ? line + column : "";
}

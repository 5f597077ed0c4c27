// The fields of a configuration line, declared once per line kind: the one
// declaration reads a line into a description, says how many fields a whole
// line has, checks each number against its range and names the field in what
// the check says about it.
#pragma once

#include <array>
#include <cstddef>

#include "config/text/TextScan.h"

class Diagnostics;

// A vector is "<x y z>", a pair "<a b>": all their numbers or none.
enum class FieldType { kWord, kInt, kReal, kVector, kPair };

struct FieldDeclaration {
  const char *name;
  FieldType type;
  // Fields after the last one a line must give.
  bool optional = false;
  // A number outside [low, high] is taken as written, and the check says
  // "WHAT NAME at FIELD VALUE OUTSIDE"; without `outside`, any number is.
  double low = 0, high = 0;
  const char *outside = nullptr;
};

constexpr size_t kMaxLineFields = 8;

// A line kind: what the check calls it and its fields in order, the first of
// them the object's name.
struct LineGrammar {
  // `tagged`: the line starts with its kind's tag, which its fields follow.
  template <size_t N>
  constexpr LineGrammar(const char *kindName, const FieldDeclaration (&declared)[N], bool taggedLine = true)
      : what(kindName), fields(declared), count(N), tagged(taggedLine) {
    static_assert(N <= kMaxLineFields, "a line kind has at most kMaxLineFields fields");
  }
  // The blank-separated words of a line that gives every field it must, its
  // tag included: a vector counts three, a pair two.
  size_t RequiredWords() const;

  const char *what;
  const FieldDeclaration *fields;
  size_t count;
  bool tagged;
};

// The values one line gives, in the order its kind declares them. A field the
// line did not give holds "" or 0.
class LineDescription {
 public:
  // Reads `text` (the line after its tag), as Fields reads, and checks the
  // numbers read against their ranges. `line` is the whole line, for the
  // check's count of its words; null for a kind whose builder says itself
  // what a short line lacks (an exhaust's seven numbers).
  LineDescription(const LineGrammar &grammar, const char *line, const char *text, Diagnostics &diagnostics);

  // Whether every field the line must give was read; numbers counted one by one.
  bool Complete() const { return complete; }
  // The fields read, a vector's numbers counting one each, as scanf counts.
  int Read() const { return read; }
  bool Given(size_t field) const { return field < given; }
  const char *Name() const { return Word(0); }
  const char *Word(size_t field) const { return values[field].word; }
  int Int(size_t field) const { return static_cast<int>(values[field].number.x); }
  double Real(size_t field) const { return values[field].number.x; }
  // A vector's numbers, or a pair's as x and y.
  const Vec3 &Vector(size_t field) const { return values[field].number; }

 private:
  struct Value {
    LineWord word = "";
    Vec3 number;
  };
  void CheckRanges(const LineGrammar &grammar, Diagnostics &diagnostics) const;

  std::array<Value, kMaxLineFields> values;
  int read = 0;
  size_t given = 0;
  bool complete = false;
};

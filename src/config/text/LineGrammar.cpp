#include "config/text/LineGrammar.h"

#include <string>

#include "config/text/Diagnostics.h"
#include "config/text/ExactNumber.h"

size_t LineGrammar::RequiredWords() const {
  size_t words = tagged ? 1 : 0;
  for (size_t i = 0; i < count && !fields[i].optional; ++i)
    words += fields[i].type == FieldType::kVector ? 3 : fields[i].type == FieldType::kPair ? 2 : 1;
  return words;
}

LineDescription::LineDescription(const LineGrammar &grammar, const char *line, const char *text,
                                 Diagnostics &diagnostics) {
  diagnostics.CheckWordCount(line, grammar.RequiredWords(), (std::string(grammar.what) + " line").c_str());
  Fields fields(text, &diagnostics);
  for (; given < grammar.count; ++given) {
    Value &value = values[given];
    const int before = fields.Count();
    switch (grammar.fields[given].type) {
      case FieldType::kWord:
        fields >> value.word;
        break;
      case FieldType::kInt: {
        int number = 0;
        fields >> number;
        value.number.x = number;
        break;
      }
      case FieldType::kReal:
        fields >> value.number.x;
        break;
      case FieldType::kVector:
        fields >> value.number;
        break;
      case FieldType::kPair:
        fields.Pair(value.number.x, value.number.y);
        break;
    }
    if (fields.Count() == before) break;
  }
  read = fields.Count();
  complete = given == grammar.count || grammar.fields[given].optional;
  CheckRanges(grammar, diagnostics);
}

void LineDescription::CheckRanges(const LineGrammar &grammar, Diagnostics &diagnostics) const {
  for (size_t i = 0; i < given; ++i) {
    const FieldDeclaration &field = grammar.fields[i];
    const double number = values[i].number.x;
    if (field.outside == nullptr || (number >= field.low && number <= field.high)) continue;
    const std::string written = field.type == FieldType::kInt ? std::to_string(Int(i)) : ExactNumber(number).text;
    diagnostics.Report(std::string(grammar.what) + " " + Name() + " at " + field.name + " " + written + " " +
                       field.outside);
  }
}

#include "panels/PanelParser.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "config/KeyboardSection.h"
#include "config/VariableResolver.h"
#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/TextScan.h"
#include "panels/instruments/AdiInstrument.h"
#include "panels/instruments/DigitInstrument.h"
#include "panels/instruments/InstrumentLooks.h"
#include "panels/instruments/LinearInstrument.h"
#include "panels/instruments/MfdInstrument.h"
#include "panels/instruments/PlotInstrument.h"
#include "panels/instruments/RotationalInstrument.h"
#include "panels/instruments/SelectInstrument.h"
#include "panels/instruments/SwitchInstrument.h"
#include "panels/instruments/TbInstrument.h"
#include "panels/instruments/TextInstrument.h"

namespace {

// A fuel cell's START and a valve's OPEN are commands the object reads once in
// its next step: a momentary switch (three positions) writes 0 again when the
// button is released, before that step, so the command is never seen.
void ReportSpringBackOnACommand(Diagnostics &diagnostics, int positions, int momentary, const char *reference) {
  const char *colon = std::strrchr(reference, ':');
  const char *variable = colon != nullptr ? colon + 1 : reference;
  if (positions < 3 || momentary == 0 || (strcasecmp(variable, "START") != 0 && strcasecmp(variable, "OPEN") != 0))
    return;
  diagnostics.Report(std::string("a momentary switch on ") + reference +
                     " springs back to 0 before the command is read: use a switch that stays");
}

int32_t ConditionOfWord(const char *word) {
  if (MatchKeyword(word, "ZERO")) return kZero;
  if (MatchKeyword(word, "NON_ZERO")) return kNonZero;
  if (MatchKeyword(word, "GR_ZERO")) return kGreaterThanZero;
  if (MatchKeyword(word, "SM_ZERO")) return kSmallerThanZero;
  return 0;
}

// The label between "<" and ">" from the eighth character on, or the line
// from its second character when there is no "<".
void LabelOf(const char *line, char (&label)[kNameSize], Diagnostics &diagnostics) {
  const char *open = std::strchr(FromColumn(line, 7), '<');
  char text[kConfigLineSize];
  std::snprintf(text, sizeof text, "%s", open != nullptr ? open + 1 : FromColumn(line, 1));
  if (open != nullptr) {
    if (char *close = std::strchr(text, '>')) *close = '\0';
  }
  CopyName(label, text, &diagnostics);
}

const char *KindName(VariableKind kind) {
  switch (kind) {
    case VariableKind::kInt: return "an integer";
    case VariableKind::kFloat: return "a float";
    case VariableKind::kDouble: return "a double";
    case VariableKind::kIntSlot: return "an instrument's integer slot";
    case VariableKind::kDoubleSlot: return "an instrument's double slot";
    case VariableKind::kObject: return "an object";
    case VariableKind::kObjectLink: return "an object's link";
    default: return "nothing";
  }
}

// The rectangle an instrument covers on its panel, as far as its class and
// line say; empty for one without an area of its own.
RECT Covered(const Instrument &instrument) {
  if (const auto *text = dynamic_cast<const TextInstrument *>(&instrument)) {
    const int32_t w = text->AreaWidth();
    return {text->x - w / 2, text->y, text->x + w / 2, text->y + text->look.labelHeight};
  }
  return {instrument.x, instrument.y, instrument.x + instrument.width, instrument.y + instrument.height};
}

bool Overlap(const RECT &a, const RECT &b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom && a.left < a.right &&
         a.top < a.bottom && b.left < b.right && b.top < b.bottom;
}

// A two-position switch stands at -1 or 1; bound to a variable that starts
// between them, its first press steps past 1.
void CheckStart(Diagnostics &diagnostics, const SwitchInstrument &sw) {
  if (sw.positions != 2 || sw.Variable() == &sw.state || sw.state == -1 || sw.state == 1) return;
  diagnostics.Report("two-position switch starts at " + std::to_string(sw.state) +
                     ", between its positions -1 and 1: its first press writes " + std::to_string(sw.state + 2));
}

std::string Named(const Instrument &instrument, int line) {
  return (instrument.name[0] != '\0' ? std::string(instrument.name) : std::string("the instrument")) + " (line " +
         std::to_string(line) + ")";
}

}  // namespace

template <typename T>
Bound<T> PanelParser::Resolve(const char *reference) const {
  const VariableRef variable = resolver.ResolveReference(reference, context.diagnostics);
  if (variable && variable.kind != VariableKindOf<T>::kind)
    context.diagnostics.Report(std::string("reference ") + reference + " is " + KindName(variable.kind) +
                               "; this instrument takes " + KindName(VariableKindOf<T>::kind));
  return Bound<T>(OfKind(variable, VariableKindOf<T>::kind));
}

// Instruments that overlap, and a name that a later instrument's name begins
// (references to it find the other), once the whole panel is read.
void PanelParser::Finish() const {
  if (!context.diagnostics.FindingsWanted()) return;
  for (size_t i = 0; i < placed.size(); ++i) {
    const auto &[instrument, line] = placed[i];
    for (size_t j = i + 1; j < placed.size(); ++j)
      if (Overlap(Covered(*instrument), Covered(*placed[j].first)))
        context.diagnostics.ReportAt(
            placed[j].second, Named(*placed[j].first, placed[j].second) + " overlaps " + Named(*instrument, line));
    const Instrument *found = instrument->name[0] != '\0' ? panel.FindInstrument(instrument->name) : instrument;
    if (found != nullptr && found != instrument)
      context.diagnostics.ReportAt(line, std::string("references to instrument ") + instrument->name + " find " +
                                             found->name + ", whose name begins it and which comes later");
  }
}

Diagnostics &PanelParser::Findings() const { return context.diagnostics; }

template <typename T>
T &PanelParser::Place(std::unique_ptr<T> instrument) {
  T &placedInstrument = *instrument;
  placed.emplace_back(&placedInstrument, context.Line());
  panel.AddInstrument(std::move(instrument));
  return placedInstrument;
}

template <typename T>
T &PanelParser::Add(std::unique_ptr<T> instrument, const InstrumentClass &c, const char *instrumentName) {
  T &added = *instrument;
  const AreaLook look = AreaLook::Of(c);
  CopyName(added.name, instrumentName, &context.diagnostics);
  added.width = look.width;
  added.height = look.height;
  added.bitmap = look.bitmap;
  return Place(std::move(instrument));
}

namespace {

// "<TAG> X Y POSITIONS MOMENTARY REFERENCE NAME", or for an action switch
// "<TAG> X Y POSITIONS MOMENTARY ACTION REFERENCE"; action 2 takes the
// reference as a key name and the key's code as its action.
void BuildSwitch(PanelParser &parser, const InstrumentClass &c, const char *line, bool action) {
  LineWord tag, reference = "", name = "";
  int x = 0, y = 0, positions = 0, momentary = 0, code = 0;
  if (!action) {
    Fields(line, &parser.Findings()) >> tag >> x >> y >> positions >> momentary >> reference >> name;
    ReportSpringBackOnACommand(parser.Findings(), positions, momentary, reference);
    CheckStart(parser.Findings(),
               parser.Add(std::make_unique<SwitchInstrument>(parser.PanelNumber(), x, y, positions, momentary,
                                                             parser.Resolve<int32_t>(reference)),
                          c, name));
    return;
  }
  Fields(line, &parser.Findings()) >> tag >> x >> y >> positions >> momentary >> code >> reference;
  ReportSpringBackOnACommand(parser.Findings(), positions, momentary, reference);
  // A key switch names its key where other switches name their variable: a
  // key name is no variable, and no mistake to log.
  const int32_t key = code == 2 ? KeyCodeFromName(reference) : 0;
  const Bound<int32_t> bound = key != 0 ? Bound<int32_t>() : parser.Resolve<int32_t>(reference);
  if (code == 2) code = key;
  CheckStart(parser.Findings(), parser.Add(std::make_unique<CSwitchInstrument>(parser.PanelNumber(), x, y, positions,
                                                                               momentary, bound, code),
                                           c, ""));
}

void BuildRotational(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, reference = "", name = "";
  int x = 0, y = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> reference >> name;
  auto &gauge = parser.Add(
      std::make_unique<RotationalInstrument>(parser.PanelNumber(), x, y, parser.Resolve<double>(reference)), c, name);
  const RotationalLook look = RotationalLook::Of(c);
  gauge.SetScale(look.maxValue, look.maxDegrees, look.minValue, look.minDegrees);
  gauge.SetPivot(look.pivotX, look.pivotY);
  gauge.SetNeedle(look.needleWidth, look.needleLength);
}

void BuildText(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag;
  int x = 0, y = 0, frameWidth = 0, rows = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> frameWidth >> rows;
  char label[kNameSize];
  LabelOf(line, label, parser.Findings());
  if (std::strchr(FromColumn(line, 7), '<') == nullptr)
    parser.Findings().Report("text line has no \"<\": its label is the line from its second character");
  auto text = std::make_unique<TextInstrument>(parser.PanelNumber(), x, y, frameWidth, rows, label);
  text->look = TextLook::Of(c);
  parser.Place(std::move(text));
}

void BuildLinear(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, reference = "", name = "";
  int x = 0, y = 0;
  double low = 0, high = 0, divisor = 0, offset = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> low >> high >> divisor >> offset >> reference >> name;
  auto &linear =
      parser.Add(std::make_unique<LinearInstrument>(parser.PanelNumber(), x, y, parser.Resolve<double>(reference), low,
                                                    high, divisor, offset),
                 c, name);
  linear.look = LinearLook::Of(c);
}

void BuildTalkback(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, reference = "", condition = "", name = "";
  int x = 0, y = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> reference >> condition >> name;
  parser.Add(std::make_unique<TbInstrument>(parser.PanelNumber(), x, y, parser.Resolve<double>(reference),
                                            ConditionOfWord(condition), TalkbackLook::Of(c).blinkRate),
             c, name);
}

void BuildSelect(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, name = "";
  int x = 0, y = 0, initial = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> initial >> name;
  const SelectLook look = SelectLook::Of(c);
  parser.Add(std::make_unique<SelectInstrument>(parser.PanelNumber(), x, y, initial, look.highestPosition,
                                                look.lowestPosition),
             c, name);
}

void BuildDigit(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, reference = "", name = "";
  int x = 0, y = 0, digits = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> digits >> reference >> name;
  parser.Add(std::make_unique<DigitInstrument>(parser.PanelNumber(), x, y, digits, parser.Resolve<double>(reference)),
             c, name);
}

// "<TAG> X Y YAW PITCH ROLL NAME"
void BuildAdi(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, yaw = "", pitch = "", roll = "", name = "";
  int x = 0, y = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> yaw >> pitch >> roll >> name;
  auto &ball = parser.Add(std::make_unique<AdiInstrument>(parser.PanelNumber(), x, y, parser.Resolve<double>(yaw),
                                                          parser.Resolve<double>(pitch), parser.Resolve<double>(roll)),
                          c, name);
  ball.SetUp(AdiLook::Of(c));
}

// "<TAG> X Y VERTICAL LOW HIGH HORIZONTAL ORIGIN IGNORED UNITSPERPIXEL NAME"
void BuildPlot(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag, vertical = "", horizontal = "", name = "";
  int x = 0, y = 0;
  double low = 0, high = 0, origin = 0, ignored = 0, units = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> vertical >> low >> high >> horizontal >> origin >> ignored >>
      units >> name;
  auto plotted = std::make_unique<PlotInstrument>(parser.PanelNumber(), x, y, parser.Resolve<double>(vertical),
                                                  parser.Resolve<double>(horizontal));
  auto &plot = parser.Add(std::move(plotted), c, name);
  plot.look = PlotLook::Of(c);
  plot.verticalLow = BoundedCoordinate(low);
  plot.verticalHigh = BoundedCoordinate(high);
  plot.horizontalOrigin = BoundedCoordinate(origin);
  plot.ignored = BoundedCoordinate(ignored);
  plot.unitsPerPixel = units;
}

// "<TAG> X Y NUMBER"; every panel MFD is named "MFD".
void BuildMfd(PanelParser &parser, const InstrumentClass &c, const char *line) {
  LineWord tag;
  int x = 0, y = 0, number = 0;
  Fields(line, &parser.Findings()) >> tag >> x >> y >> number;
  auto mfd = std::make_unique<MfdInstrument>(parser.PanelNumber(), x, y, number);
  mfd->Place(MfdLook::Of(c));
  parser.Place(std::move(mfd));
}

void BuildSwitchLine(PanelParser &parser, const InstrumentClass &c, const char *line) {
  BuildSwitch(parser, c, line, false);
}

void BuildActionSwitchLine(PanelParser &parser, const InstrumentClass &c, const char *line) {
  BuildSwitch(parser, c, line, true);
}

// Every kind of instrument a class can be, by the name its CLASS line gives
// (the first that begins it), and the builder of its panel lines.
const struct {
  const char *kind;
  void (*build)(PanelParser &parser, const InstrumentClass &c, const char *line);
} kInstrumentKinds[] = {
    {"SWITCH", BuildSwitchLine},
    {"CSWITCH", BuildActionSwitchLine},
    {"ROTATIONAL", BuildRotational},
    {"TEXT", BuildText},
    {"ADI", BuildAdi},
    {"LINEAR", BuildLinear},
    {"TB", BuildTalkback},
    {"SELECT", BuildSelect},
    {"DIGIT", BuildDigit},
    {"MFD", BuildMfd},
    {"PLOT", BuildPlot},
};

}  // namespace

void PanelParser::Line(const char *line) {
  if (line == nullptr) return;
  KeywordLine keyword(line);
  if (keyword.Is("SIZE")) {
    Fields(keyword.rest, &context.diagnostics) >> panel.width >> panel.height;
    panel.width = BoundedCoordinate(panel.width);
    panel.height = BoundedCoordinate(panel.height);
  } else if (keyword.Is("BITMAP", 1)) {
    CopyName(panel.backgroundFile, keyword.rest, &context.diagnostics);
    context.diagnostics.ReportFileUse(nullptr, context.Line(), std::string("bitmap ") + keyword.rest, keyword.rest);
  } else if (keyword.Is("NEIGHBOURS")) {
    int32_t *n = panel.neighbours;
    Fields(keyword.rest, &context.diagnostics) >> n[0] >> n[1] >> n[2] >> n[3];
  } else if (keyword.Is("TRANSPARENT")) {
    int r, g, b;
    if ((Fields(keyword.rest, &context.diagnostics) >> r >> g >> b).Count() == 3)
      panel.colourKey = r * 65536.0 + g * 256.0 + b;
  } else if (keyword.Is("<SELECTEL>")) {
    context.diagnostics.CheckWordCount(line, 6, "selector element line");
    SelectorElements(line);
  } else if (const InstrumentClass *c = classes.FindClass(line)) {
    for (const auto &kind : kInstrumentKinds) {
      if (!MatchKeyword(c->kind, kind.kind)) continue;
      kind.build(*this, *c, line);
      break;
    }
  } else if (line[0] == '<') {
    LineWord tag;
    Fields(line, &context.diagnostics) >> tag;
    context.diagnostics.Report(std::string("no instrument class for ") + tag);
  }
}

// An instrument reads and writes what it is bound to as its own type: an
// integer read as a double, a number written into an object or a pointer
// would show garbage or corrupt memory.
VariableRef PanelParser::OfKind(const VariableRef &variable, VariableKind kind) const {
  if (variable.kind == kind) return variable;
  if (variable) context.diagnostics.LogError(kInvalidComponent);
  return {};
}

// "<SELECTEL> TARGET SELECTOR FIRST LAST INITIAL", then one reference line per
// index from FIRST to LAST. The target must be an instrument's variable slot
// ("...:SRCP"); each variable bound into it must be of the slot's own type.
void PanelParser::SelectorElements(const char *line) {
  LineWord tag, target = "", selector = "";
  int first = 0, last = -1, initial = -1;
  Fields(line, &context.diagnostics) >> tag >> target >> selector >> first >> last >> initial;
  const VariableRef targetVariable = resolver.ResolveReference(target, context.diagnostics);
  const VariableKind boundKind = targetVariable.BoundKind();
  const VariableRef slot = boundKind != VariableKind::kNone ? targetVariable : VariableRef();
  if (targetVariable && !slot) context.diagnostics.LogError(kInvalidComponent);
  auto element = std::make_unique<SelectElement>(panel.number, slot, Resolve<int32_t>(selector), first, last, initial);
  for (int64_t index = first; index <= last; ++index) {
    const char *referenceLine = context.NextLine();
    if (referenceLine == nullptr && context.Ended()) break;
    LineWord reference;
    const bool named =
        referenceLine != nullptr && (Fields(referenceLine, &context.diagnostics) >> reference).Count() == 1;
    const VariableRef entry = named ? resolver.ResolveReference(reference, context.diagnostics) : VariableRef();
    element->AddVariable(slot ? OfKind(entry, boundKind) : VariableRef());
  }
  panel.AddInstrument(std::move(element));
}

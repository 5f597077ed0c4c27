#include "StrictCheck.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "WindowsFiles.h"
#include "winpath.h"

namespace {

struct Line {
  int number;
  std::string text;  // as the module sees it: tabs as blanks, no comment, no leading blanks
};

std::vector<Line> ReadLines(const std::string &path) {
  std::vector<Line> lines;
  std::ifstream in(path);
  std::string raw;
  for (int n = 1; std::getline(in, raw); ++n) {
    for (char &c : raw)
      if (c == '\t' || c == '\r') c = ' ';
    const size_t hash = raw.find('#');
    if (hash != std::string::npos) raw.erase(hash);
    const size_t first = raw.find_first_not_of(' ');
    lines.push_back({n, first == std::string::npos ? "" : raw.substr(first)});
  }
  return lines;
}

bool Starts(const std::string &text, const char *keyword) {
  return strncasecmp(text.c_str(), keyword, std::strlen(keyword)) == 0;
}

std::vector<std::string> Words(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The offset lines and the closing line that follow an element line whose
// offsets run from `first` to `last`: never more than the `remaining` lines
// of the file, whatever numbers the line holds.
long long ElementLines(const std::string &first, const std::string &last, long long remaining) {
  if (remaining <= 0) return 0;
  // strtoll saturates where the numbers are too large; the span is taken
  // unsigned, where the largest one still fits.
  const long long from = std::strtoll(first.c_str(), nullptr, 10), to = std::strtoll(last.c_str(), nullptr, 10);
  const unsigned long long span = to > from ? static_cast<unsigned long long>(to) - static_cast<unsigned long long>(from) : 0;
  const unsigned long long left = static_cast<unsigned long long>(remaining);
  return static_cast<long long>(std::min(std::min(span, left) + 1, left));
}

std::string Upper(std::string s) {
  for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Where each object of a namespace is defined, to tell a reference to an
// object that only a later line defines.
class Definitions {
 public:
  void Add(const std::string &name, int line) {
    if (!name.empty()) names.emplace_back(Upper(name), line);
  }
  // The line of the first definition the module would find for `text`
  // (its name a prefix match), or 0.
  int FirstFor(const std::string &text, int before, bool later) const {
    const std::string t = Upper(text);
    for (const auto &[name, line] : names)
      if ((later ? line > before : line < before) && name.compare(0, t.size(), t) == 0) return line;
    return 0;
  }

 private:
  std::vector<std::pair<std::string, int>> names;
};

class Linter {
 public:
  Linter(const std::string &path, const std::string &shown) : lines(ReadLines(path)), file(shown) {}
  std::vector<std::string> Run();

 private:
  void Report(int line, const std::string &message) {
    findings.push_back(file + ":" + std::to_string(line) + ": " + message);
  }
  void CollectDefinitions();
  void ReadClassFile(const std::string &name, int line);
  size_t Section(size_t i, const char *closing, void (Linter::*line)(const Line &));
  void VesselLine(const Line &l);
  void HydraulicLine(const Line &l);
  void ElectricLine(const Line &l);
  void PanelLine(const Line &l);
  void KeyboardLine(const Line &l);
  void SeparationLine(const Line &l);
  void Fields(const Line &l, size_t expected, const char *what);
  void Reference(const Line &l, const std::string &reference, const Definitions &where, const char *what);
  void SystemReference(const Line &l, const std::string &reference);

  std::vector<Line> lines;
  std::string file;
  std::vector<std::string> findings;
  std::vector<std::string> classTags;
  Definitions hydraulic, electric, panels;
  std::string block;  // the block open inside a section, e.g. "</TANK>"
  int blockLine = 0;
  long long elementLinesDue = 0;  // offset and closing lines of the element being read
};

void Linter::CollectDefinitions() {
  std::string section;
  for (const Line &l : lines) {
    const std::vector<std::string> w = Words(l.text);
    if (w.empty()) continue;
    if (Starts(l.text, "<HYDRAULIC>") || Starts(l.text, "<ELECTRIC>")) section = w[0];
    if (Starts(l.text, "</HYDRAULIC>") || Starts(l.text, "</ELECTRIC>")) section.clear();
    if (Starts(l.text, "<PANEL>") && w.size() > 1) panels.Add(w[1], l.number);
    if (w.size() < 2) continue;
    const bool opener = w[0].size() > 2 && w[0][0] == '<' && w[0][1] != '/';
    if (section == "<HYDRAULIC>" && opener) hydraulic.Add(w[1], l.number);
    if (section == "<ELECTRIC>" && opener) electric.Add(w[1], l.number);
  }
}

void Linter::ReadClassFile(const std::string &name, int line) {
  const std::string path = "config\\" + name + ".prd";
  if (!host::windowsFileExists(path)) {
    Report(line, "class file " + path + " not found");
    return;
  }
  const std::string shown = "config/" + name + ".prd";
  for (const Line &l : ReadLines(ResolveWindowsPath(path.c_str()))) {
    if (!l.text.empty() && l.text[0] == '<' && !Starts(l.text, "</")) classTags.push_back(l.text);
    for (const char *keyword : {"BITMAP", "MASK1", "MASK2"}) {
      if (!Starts(l.text, keyword)) continue;
      const std::string bitmap = l.text.size() > std::strlen(keyword) + 1 ? l.text.substr(std::strlen(keyword) + 1) : "";
      if (!host::windowsFileExists(bitmap)) findings.push_back(shown + ":" + std::to_string(l.number) + ": bitmap " + bitmap + " not found");
    }
    if (!Starts(l.text, "BALTEX")) continue;
    const std::string texture = l.text.size() > 7 ? l.text.substr(7) : "";
    if (!host::windowsFileExists(texture)) findings.push_back(shown + ":" + std::to_string(l.number) + ": texture " + texture + " not found");
  }
}

void Linter::Fields(const Line &l, size_t expected, const char *what) {
  const size_t count = Words(l.text).size();
  if (count < expected)
    Report(l.number, std::string(what) + " has " + std::to_string(count) + " of its " + std::to_string(expected) + " fields");
}

void Linter::Reference(const Line &l, const std::string &reference, const Definitions &where, const char *what) {
  const std::string name = reference.substr(0, reference.find(':'));
  if (name.empty() || Starts(name, "NOPOWER") || where.FirstFor(name, l.number, false) != 0) return;
  if (int later = where.FirstFor(name, l.number, true))
    Report(l.number, std::string(what) + " " + name + " is defined only later, at line " + std::to_string(later));
}

void Linter::SystemReference(const Line &l, const std::string &reference) {
  if (Starts(reference, "HYDRAULIC") && reference.size() > 10)
    Reference(l, reference.substr(10), hydraulic, "fluid object");
  else if (Starts(reference, "ELECTRIC") && reference.size() > 9)
    Reference(l, reference.substr(9), electric, "electric object");
}

// Reads a section's lines to its closing one; a section the file ends in is reported.
size_t Linter::Section(size_t i, const char *closing, void (Linter::*handle)(const Line &)) {
  const Line &opening = lines[i];
  // Nothing a section expected carries over into the next one.
  block.clear();
  elementLinesDue = 0;
  for (++i; i < lines.size(); ++i) {
    if (Starts(lines[i].text, closing)) {
      if (!block.empty()) Report(blockLine, "block has no " + block + " line");
      return i;
    }
    if (!lines[i].text.empty()) (this->*handle)(lines[i]);
  }
  Report(opening.number, "section " + Words(opening.text)[0] + " has no " + closing + " line");
  return i;
}

void Linter::VesselLine(const Line &l) {
  const std::vector<std::string> w = Words(l.text);
  if (elementLinesDue > 0) {
    --elementLinesDue;
    return;
  }
  if (!block.empty() && Starts(l.text, block.c_str())) {
    block = block == "</THRUSTERS>" ? "</CONFIG" : "";
    return;
  }
  if (block == "</ELEMENTS>") {
    if (l.text[0] != '<') return;
    if (w.size() < 5) return Fields(l, 5, "element");
    if (!host::windowsFileExists("Meshes\\" + w[1] + ".msh")) Report(l.number, "mesh Meshes/" + w[1] + ".msh not found");
    elementLinesDue = ElementLines(w[3], w[4], static_cast<long long>(lines.size()) - l.number);
    return;
  }
  if (block == "</PROPELLANTS>") return Fields(l, 4, "tank");
  if (block == "</THRUSTERS>") return Fields(l, 11, "thruster");
  if (block == "</CONFIG") {
    for (const char *tag : {"<SIZE>", "<CW>", "<CROSSSECTION>", "<ROTDRAG>", "<PMI>", "<CAMERAOFF>", "<TOUCHDOWN>", "<DOCK>"})
      if (Starts(l.text, tag)) return;
    if (Starts(l.text, "<THRUSTERS>")) {
      block = "</THRUSTERS>";
      return;
    }
  } else {
    for (const char *opener : {"<ELEMENTS>", "<PROPELLANTS>", "<CONFIG"}) {
      if (!Starts(l.text, opener)) continue;
      block = std::string("</") + (opener + 1);
      blockLine = l.number;
      return;
    }
  }
  Report(l.number, "line not understood in <VESSEL>");
}

void Linter::HydraulicLine(const Line &l) {
  const std::vector<std::string> w = Words(l.text);
  if (!block.empty()) {
    if (Starts(l.text, block.c_str())) {
      block.clear();
    } else if (block == "</TANK>") {
      if (!Starts(l.text, "CHM")) Report(l.number, "line not understood in a tank");
      else Fields(l, 5, "substance line");
    } else if (block == "</PIPE>") {
      Fields(l, 2, "pipe");
      for (size_t i = 0; i < 2 && i < w.size(); ++i) Reference(l, w[i], hydraulic, "tank");
    } else if (block == "</VENT>") {
      Fields(l, 3, "exhaust");
    }
    return;
  }
  for (const char *opener : {"<TANK>", "<PIPE>", "<VENT>"}) {
    if (!Starts(l.text, opener)) continue;
    block = std::string("</") + (opener + 1);
    blockLine = l.number;
    if (Starts(l.text, "<TANK>")) Fields(l, 8, "tank line");
    return;
  }
  if (Starts(l.text, "<RADIATOR>")) return Fields(l, 6, "radiator line");
  if (Starts(l.text, "<CREW>")) {
    Fields(l, 4, "crew line");
    if (w.size() > 3) Reference(l, w[3], hydraulic, "tank");
    return;
  }
  if (std::isdigit(static_cast<unsigned char>(l.text[0])) || l.text[0] == '.') return;  // a radiator's second line
  Report(l.number, "line not understood in <HYDRAULIC>");
}

void Linter::ElectricLine(const Line &l) {
  const std::vector<std::string> w = Words(l.text);
  if (block == "</COOLING>") {
    if (Starts(l.text, "</COOLING>")) block.clear();
    else if (!w.empty()) SystemReference(l, Starts(w[0], "HYDRAULIC") ? w[0] : "ELECTRIC:" + w[0]);
    return;
  }
  struct Kind {
    const char *tag;
    size_t fields;
    std::vector<size_t> electricRefs, fluidRefs;
  };
  static const Kind kinds[] = {
      {"<BATTERY>", 4, {3}, {}}, {"<FCELL>", 9, {}, {6, 7, 8}}, {"<DCBUS>", 3, {2}, {}}, {"<ACBUS>", 3, {2}, {}},
      {"<SOCKET>", 7, {3, 4, 5, 6}, {}}, {"<COOLING>", 7, {3}, {}}, {"<ATMREGEN>", 7, {3}, {5, 6}},
      {"<BOILER>", 7, {3}, {6}},
  };
  for (const Kind &k : kinds) {
    if (!Starts(l.text, k.tag)) continue;
    Fields(l, k.fields, "line");
    for (size_t i : k.electricRefs)
      if (i < w.size()) SystemReference(l, Starts(w[i], "HYDRAULIC") ? w[i] : "ELECTRIC:" + w[i]);
    for (size_t i : k.fluidRefs)
      if (i < w.size()) Reference(l, w[i], hydraulic, "tank");
    if (Starts(l.text, "<COOLING>")) {
      block = "</COOLING>";
      blockLine = l.number;
    }
    return;
  }
  Report(l.number, "line not understood in <ELECTRIC>");
}

void Linter::PanelLine(const Line &l) {
  for (const char *keyword : {"SIZE", "NEIGHBOURS", "TRANSPARENT"})
    if (Starts(l.text, keyword)) return;
  if (Starts(l.text, "BITMAP")) {
    const std::string bitmap = l.text.size() > 7 ? l.text.substr(7) : "";
    if (!host::windowsFileExists(bitmap)) Report(l.number, "bitmap " + bitmap + " not found");
    return;
  }
  const std::vector<std::string> w = Words(l.text);
  if (Starts(l.text, "<SELECTEL>")) {
    Fields(l, 6, "selector element line");
    return;
  }
  bool known = false;
  for (const std::string &tag : classTags) known = known || Starts(l.text, tag.c_str());
  if (!known) {
    if (l.text[0] == '<') Report(l.number, "no instrument class for " + w[0]);
    // Reference lines of a selector element group stand alone.
    else SystemReference(l, w[0]);
    return;
  }
  for (size_t i = 1; i < w.size(); ++i) SystemReference(l, w[i]);
}

void Linter::KeyboardLine(const Line &l) { Fields(l, 3, "key binding"); }

void Linter::SeparationLine(const Line &l) {
  if (block.empty()) {
    if (Starts(l.text, "<CONFIG>")) {
      block = "</CONFIG>";
      blockLine = l.number;
    } else {
      Report(l.number, "line not understood in <SEPARATION>");
    }
    return;
  }
  if (Starts(l.text, "</CONFIG>")) block.clear();
  else if (Starts(l.text, "<EJECT>")) Fields(l, 8, "eject line");
  else if (!Starts(l.text, "<DELETE>") && !Starts(l.text, "<CGOFFSET>")) Report(l.number, "line not understood in a <CONFIG> block");
}

std::vector<std::string> Linter::Run() {
  CollectDefinitions();
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line &l = lines[i];
    const std::vector<std::string> w = Words(l.text);
    if (w.empty()) continue;
    if (Starts(l.text, "Panel")) {
      if (l.text.size() > 7) {
        const std::vector<std::string> name = Words(l.text.substr(7));
        ReadClassFile(name.empty() ? "" : name[0], l.number);
      }
    } else if (Starts(l.text, "<VESSEL>")) {
      i = Section(i, "</VESSEL>", &Linter::VesselLine);
    } else if (Starts(l.text, "<HYDRAULIC>")) {
      i = Section(i, "</HYDRAULIC>", &Linter::HydraulicLine);
    } else if (Starts(l.text, "<ELECTRIC>")) {
      i = Section(i, "</ELECTRIC>", &Linter::ElectricLine);
    } else if (Starts(l.text, "<PANEL>")) {
      i = Section(i, "</PANEL>", &Linter::PanelLine);
    } else if (Starts(l.text, "<KEYBOARD>")) {
      i = Section(i, "</KEYBOARD>", &Linter::KeyboardLine);
    } else if (Starts(l.text, "<SEPARATION>")) {
      i = Section(i, "</SEPARATION>", &Linter::SeparationLine);
    } else {
      Report(l.number, "line outside every section");
    }
  }
  return findings;
}

}  // namespace

std::vector<std::string> StrictFindings(const std::string &configPath, const std::string &shownName) {
  return Linter(configPath, shownName).Run();
}

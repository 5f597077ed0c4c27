#include "SchematicDot.h"

#include <map>
#include <sstream>
#include <vector>

std::string ObjectElementId(size_t object) { return "o" + std::to_string(object); }

namespace {

struct NodeLook {
  const char *kind;
  const char *shape;
  const char *style;
  const char *fill;
};

const NodeLook kNodeLooks[] = {
    {"tank", "record", "filled", "#e3eefa"},
    {"vent", "record", "filled", "#ececec"},
    {"radiator", "box3d", "filled", "#f9e0dc"},
    {"crew", "ellipse", "filled", "#dff2e6"},
    {"fuel cell", "box", "filled", "#fff0d6"},
    {"battery", "box", "filled", "#fff0d6"},
    {"DC bus", "box", "rounded,filled,bold", "#fddcaa"},
    {"AC bus", "box", "rounded,filled,bold", "#f6c6a0"},
    {"socket", "diamond", "filled", "#fff8e8"},
    {"regenerator", "box", "filled", "#f0f0f0"},
    {"boiler", "box", "filled", "#f0f0f0"},
    {"cooling loop", "ellipse", "filled", "#f9e0dc"},
};
const NodeLook kPlainLook = {"", "box", "filled", "#ffffff"};

const NodeLook &LookOf(const std::string &kind) {
  for (const NodeLook &look : kNodeLooks)
    if (kind == look.kind) return look;
  return kPlainLook;
}

// What flows along a link, by the role it plays.
const char *LinkColour(const std::string &role) {
  if (role == "body" || role == "heats") return "#b03a2e";
  if (role == "cabin") return "#2e8b57";
  if (role == "source" || role == "charging source" || role == "target" || role.rfind("candidate", 0) == 0)
    return "#c77c0e";
  return "#1f6fb2";
}

// A text as a label shows it: a line break as Graphviz's "\n", and the quote
// and backslash, which would end or escape the quoted text, as look-alikes.
std::string Shown(const std::string &text) {
  std::string shown;
  for (char c : text) shown += c == '\n' ? "\\n" : c == '"' ? "'" : c == '\\' ? "/" : std::string(1, c);
  return shown;
}

std::string Quoted(const std::string &text) { return "\"" + Shown(text) + "\""; }

// A text inside a record field, where braces, bars, angle brackets and blanks
// shape fields and ports.
std::string RecordText(const std::string &text) {
  std::string escaped;
  for (char c : Shown(text)) {
    if (std::string("{}|<> ").find(c) != std::string::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string Caption(const PlantObject &object) {
  const std::string detail = object.kind + (object.label.empty() ? "" : " " + object.label);
  return object.name + (detail.empty() ? "" : "\n" + detail);
}

// A pipe joined to two ports is drawn as an edge between them.
bool DrawnAsEdge(const PlantGraph &plant, size_t object, std::vector<size_t> &ends) {
  if (plant.objects[object].kind != "pipe") return false;
  ends.clear();
  for (size_t i = 0; i < plant.connections.size(); ++i)
    if (plant.connections[i].from == object) ends.push_back(i);
  return ends.size() == 2;
}

std::string Endpoint(const PlantConnection &c) { return ObjectElementId(c.to) + (c.port.empty() ? "" : ":" + c.port); }

void WriteNode(std::ostringstream &dot, size_t n, const PlantObject &object) {
  const NodeLook &look = LookOf(object.kind);
  dot << "  " << ObjectElementId(n) << " [id=" << Quoted(ObjectElementId(n)) << ", class=" << Quoted("object")
      << ", tooltip=" << Quoted(object.Reference()) << ", shape=" << look.shape << ", style=" << Quoted(look.style)
      << ", fillcolor=" << Quoted(look.fill) << ", label=";
  if (object.IsTankLike())
    dot << "\"{<IN> IN|" << RecordText(object.name) << "\\n"
        << RecordText(object.kind + " " + object.label) << "|<OUT> OUT}\"";
  else
    dot << Quoted(Caption(object));
  dot << "];\n";
}

// Its tooltip says who is what to whom: "SM_MAINA: source SM_FC1".
void WriteLink(std::ostringstream &dot, size_t i, const PlantConnection &c, const PlantGraph &plant) {
  const std::string self = ObjectElementId(c.from), other = Endpoint(c);
  const std::string says = plant.objects[c.from].name + ": " + c.role + " " + plant.objects[c.to].name +
                           (c.port.empty() ? "" : ":" + c.port);
  dot << "  " << (c.inward ? other : self) << " -> " << (c.inward ? self : other)
      << " [id=" << Quoted("l" + std::to_string(i)) << ", class=" << Quoted("link") << ", tooltip=" << Quoted(says)
      << ", color=" << Quoted(LinkColour(c.role)) << (c.applied ? "" : ", style=dashed") << "];\n";
}

void WritePipe(std::ostringstream &dot, size_t n, const PlantObject &pipe, const PlantConnection &from,
               const PlantConnection &to) {
  dot << "  " << Endpoint(from) << " -> " << Endpoint(to) << " [id=" << Quoted(ObjectElementId(n))
      << ", class=" << Quoted("object") << ", tooltip=" << Quoted(pipe.Reference())
      << ", label=" << Quoted(pipe.name + (pipe.label.empty() ? "" : "\n" + pipe.label)) << ", color=\"#1f6fb2\""
      << ", penwidth=2];\n";
}

}  // namespace

std::string SchematicDot(const PlantGraph &plant) {
  std::ostringstream dot;
  dot << "digraph plant {\n"
         "  graph [rankdir=TB, fontname=\"DejaVu Sans\", fontsize=11, nodesep=0.25, ranksep=0.5];\n"
         "  node [fontname=\"DejaVu Sans\", fontsize=10, margin=\"0.08,0.04\"];\n"
         "  edge [fontname=\"DejaVu Sans\", fontsize=9, arrowsize=0.7];\n";
  std::map<int, std::vector<size_t>> stages;
  std::vector<bool> edge(plant.objects.size(), false);
  std::vector<size_t> ends;
  for (size_t n = 0; n < plant.objects.size(); ++n) {
    if (DrawnAsEdge(plant, n, ends)) {
      edge[n] = true;
      WritePipe(dot, n, plant.objects[n], plant.connections[ends[0]], plant.connections[ends[1]]);
      continue;
    }
    WriteNode(dot, n, plant.objects[n]);
    if (plant.objects[n].stage != kNeverDeleted) stages[plant.objects[n].stage].push_back(n);
  }
  for (const auto &[stage, members] : stages) {
    dot << "  subgraph cluster_stage" << stage
        << " {\n    label=" << Quoted("deleted at configuration " + std::to_string(stage))
        << "; style=dashed; color=\"#888888\";\n   ";
    for (size_t n : members) dot << " " << ObjectElementId(n) << ";";
    dot << "\n  }\n";
  }
  for (size_t i = 0; i < plant.connections.size(); ++i)
    if (!edge[plant.connections[i].from]) WriteLink(dot, i, plant.connections[i], plant);
  dot << "}\n";
  return dot.str();
}

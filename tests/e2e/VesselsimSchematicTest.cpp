// The plant's schematic, read back from its SVG: one element per object (a
// pipe is the edge between its ports) and one per link, each object's element
// showing its name, every link between elements that are there, and no two
// nodes on top of each other; for every example and for a plant of sixty-two
// objects in three stages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Vesselsim.h"

namespace {

struct Box {
  double left, top, right, bottom;
  bool Overlaps(const Box &o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

struct Element {
  std::string id, kind, body;
};

// The value of the attribute `name` after `from` in `text`, or "".
std::string Attribute(const std::string &text, const std::string &name, size_t from = 0) {
  const size_t at = text.find(" " + name + "=\"", from);
  if (at == std::string::npos) return "";
  const size_t start = at + name.size() + 3;
  return text.substr(start, text.find('"', start) - start);
}

// Each top-level element of the drawing ("<g id=... class=...>" up to the
// next one) that stands for an object or a link.
std::vector<Element> Elements(const std::string &svg) {
  std::vector<Element> elements;
  for (size_t at = svg.find("<g id=\""); at != std::string::npos; at = svg.find("<g id=\"", at + 1)) {
    const std::string id = Attribute(svg, "id", at), kind = Attribute(svg, "class", at);
    if (kind != "node object" && kind != "edge object" && kind != "edge link") continue;
    const size_t start = svg.find('>', at) + 1;
    elements.push_back({id, kind.substr(0, 4), svg.substr(start, svg.find("\n<!-- ", start) - start)});
  }
  return elements;
}

// The bounds of a node's outlines: polygons and ellipses.
Box Bounds(const std::string &body) {
  Box box{1e18, 1e18, -1e18, -1e18};
  const auto take = [&box](double x, double y) {
    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
  };
  for (size_t at = body.find("<polygon "); at != std::string::npos; at = body.find("<polygon ", at + 1)) {
    std::istringstream points(Attribute(body, "points", at));
    double x, y;
    char comma;
    while (points >> x >> comma >> y) take(x, y);
  }
  for (size_t at = body.find("<ellipse "); at != std::string::npos; at = body.find("<ellipse ", at + 1)) {
    const double cx = std::stod(Attribute(body, "cx", at)), cy = std::stod(Attribute(body, "cy", at));
    const double rx = std::stod(Attribute(body, "rx", at)), ry = std::stod(Attribute(body, "ry", at));
    take(cx - rx, cy - ry);
    take(cx + rx, cy + ry);
  }
  return box;
}

// What the check counts of a configuration's plant: fluid tanks, other fluid
// objects and electric objects.
int PlantObjects(const std::string &summary) {
  int total = 0;
  for (const char *what : {" fluid tank", " other fluid object", " electric object"}) {
    const size_t at = summary.find(what);
    const size_t start = summary.rfind(' ', at - 1) + 1;
    total += std::atoi(summary.substr(start, at - start).c_str());
  }
  return total;
}

// The names the file's lines define objects by.
std::set<std::string> DefinedNames(const std::string &text) {
  std::set<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string tag, name;
    words >> tag >> name;
    for (const char *kind : {"<TANK>", "<PIPE>", "<VENT>", "<RADIATOR>", "<CREW>", "<FCELL>", "<BATTERY>", "<DCBUS>",
                             "<ACBUS>", "<SOCKET>", "<ATMREGEN>", "<BOILER>", "<COOLING>"})
      if (tag == kind && !name.empty()) names.insert(name);
  }
  return names;
}

// A link's two ends from its title, "o3:OUT&#45;&gt;o5": their node ids.
std::pair<std::string, std::string> Ends(const std::string &body) {
  const size_t start = body.find("<title>") + 7;
  const std::string title = body.substr(start, body.find("</title>") - start);
  const size_t arrow = title.find("&#45;&gt;");
  const auto node = [](const std::string &end) { return end.substr(0, end.find(':')); };
  return {node(title.substr(0, arrow)), node(title.substr(arrow + 9))};
}

}  // namespace

TEST(VesselsimSchematic, EveryObjectAndLinkIsOneNamedElementAndNoNodesOverlap) {
  if (BenchIsWindows()) GTEST_SKIP() << "the schematic is drawn by the Linux build";
  const std::string examples = EXAMPLES_DIR, data = TEST_DATA_DIR;
  for (const std::string &config : {examples + "/kestrel/Config/Kestrel.cfg", examples + "/capsule/Config/Capsule.cfg",
                                    examples + "/stack/Config/Stack.cfg", examples + "/steady/Config/Steady.cfg",
                                    examples + "/minimal/Config/Minimal.cfg", data + "/schematic/Config/Sixty.cfg"}) {
    const std::string svgPath = TempPath("plant.svg");
    const Result drawn = Vesselsim("schematic " + config + " --svg " + svgPath);
    ASSERT_EQ(drawn.status, 0) << config << "\n" << drawn.out;
    const std::string svg = ReadFile(svgPath);
    const std::vector<Element> elements = Elements(svg);

    // One element an object, showing the name its title gives.
    std::set<std::string> objects, nodes, shownNames;
    int pipeEdges = 0;
    std::vector<Box> boxes;
    for (const Element &e : elements) {
      if (e.id[0] != 'o') continue;
      EXPECT_TRUE(objects.insert(e.id).second) << e.id;
      const std::string reference = Attribute(e.body, "xlink:title");
      const std::string name = reference.substr(reference.find(':') + 1);
      EXPECT_NE(e.body.find(">" + name + "</text>"), std::string::npos) << config << " " << e.id;
      shownNames.insert(name);
      if (e.kind == "edge") ++pipeEdges;
      if (e.kind == "node") {
        nodes.insert(e.id);
        boxes.push_back(Bounds(e.body));
      }
    }
    const Result check = Vesselsim("check " + config);
    EXPECT_EQ(static_cast<int>(objects.size()), PlantObjects(check.out)) << config << "\n" << check.out;
    // Every object the file defines is drawn by its name.
    for (const std::string &name : DefinedNames(ReadFile(config)))
      EXPECT_EQ(shownNames.count(name), 1u) << config << ": " << name;

    // One element a link that is not a pipe's own, between drawn nodes.
    int links = 0;
    for (const Element &e : elements) {
      if (e.id[0] != 'l') continue;
      ++links;
      const auto [from, to] = Ends(e.body);
      EXPECT_EQ(nodes.count(from) + nodes.count(to), 2u) << config << " " << e.id;
    }
    int drawnObjects = -1, drawnLinks = -1;
    const size_t counted = drawn.out.find(".cfg: ") + 6;
    ASSERT_EQ(std::sscanf(drawn.out.c_str() + counted, "%d objects and %d links", &drawnObjects, &drawnLinks), 2);
    EXPECT_EQ(drawnObjects, static_cast<int>(objects.size()));
    EXPECT_EQ(links, drawnLinks - 2 * pipeEdges) << config;

    for (size_t i = 0; i < boxes.size(); ++i)
      for (size_t j = i + 1; j < boxes.size(); ++j)
        EXPECT_FALSE(boxes[i].Overlaps(boxes[j])) << config << i << " " << j;
  }
}

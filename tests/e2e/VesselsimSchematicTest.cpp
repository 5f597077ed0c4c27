// The plant's schematic, read back from its SVG: one element per object (a
// pipe is the edge between its ports) and one per link, each object's element
// showing its name, every link between elements that are there, and no two
// nodes on top of each other; for every example and for a plant of sixty-two
// objects in three stages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
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

// Each top-level element of the drawing ("<g id=... class=...>" up to the
// next one).
std::vector<Element> Elements(const std::string &svg) {
  const std::regex opening(R"re(<g id="([ol]\d+)" class="(node|edge) (object|link)">)re");
  std::vector<Element> elements;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), opening); it != std::sregex_iterator(); ++it) {
    const size_t start = static_cast<size_t>(it->position()) + it->length();
    const size_t end = svg.find("\n<!-- ", start);
    elements.push_back({(*it)[1], (*it)[2], svg.substr(start, end - start)});
  }
  return elements;
}

// The bounds of a node's outlines: polygons and ellipses.
Box Bounds(const std::string &body) {
  Box box{1e18, 1e18, -1e18, -1e18};
  const auto take = [&box](double x, double y) {
    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
  };
  const std::regex polygon(R"re(<polygon [^>]*points="([^"]+)")re"),
      ellipse(R"re(<ellipse [^>]*cx="([-\d.]+)" cy="([-\d.]+)" rx="([\d.]+)" ry="([\d.]+)")re");
  for (auto it = std::sregex_iterator(body.begin(), body.end(), polygon); it != std::sregex_iterator(); ++it) {
    std::istringstream points((*it)[1].str());
    double x, y;
    char comma;
    while (points >> x >> comma >> y) take(x, y);
  }
  for (auto it = std::sregex_iterator(body.begin(), body.end(), ellipse); it != std::sregex_iterator(); ++it) {
    const double cx = std::stod((*it)[1]), cy = std::stod((*it)[2]), rx = std::stod((*it)[3]), ry = std::stod((*it)[4]);
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
      std::smatch title;
      ASSERT_TRUE(std::regex_search(e.body, title, std::regex(R"re(xlink:title="[A-Z]+:([^"]+)")re"))) << e.id;
      EXPECT_NE(e.body.find(">" + title[1].str() + "</text>"), std::string::npos) << config << " " << e.id;
      shownNames.insert(title[1]);
      if (e.kind == "edge") ++pipeEdges;
      if (e.kind == "node") {
        nodes.insert(e.id);
        boxes.push_back(Bounds(e.body));
      }
    }
    const Result check = Vesselsim("check " + config);
    EXPECT_EQ(static_cast<int>(objects.size()), PlantObjects(check.out)) << config << "\n" << check.out;
    // Every object the file defines is drawn by its name.
    const std::string text = ReadFile(config);
    const std::regex defined(
        R"re((^|\n)<(TANK|PIPE|VENT|RADIATOR|CREW|FCELL|BATTERY|DCBUS|ACBUS|SOCKET|ATMREGEN|BOILER|COOLING)> +([^ \n]+))re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), defined); it != std::sregex_iterator(); ++it)
      EXPECT_EQ(shownNames.count((*it)[3]), 1u) << config << ": " << (*it)[3];

    // One element a link that is not a pipe's own, between drawn nodes.
    int links = 0;
    for (const Element &e : elements) {
      if (e.id[0] != 'l') continue;
      ++links;
      std::smatch ends;
      ASSERT_TRUE(std::regex_search(e.body, ends, std::regex(R"re(<title>(o\d+)[^&]*&#45;&gt;(o\d+))re"))) << e.id;
      EXPECT_EQ(nodes.count(ends[1]) + nodes.count(ends[2]), 2u) << config << " " << e.id;
    }
    std::smatch counted;
    ASSERT_TRUE(std::regex_search(drawn.out, counted, std::regex(R"re((\d+) objects and (\d+) links)re")));
    EXPECT_EQ(std::stoi(counted[1]), static_cast<int>(objects.size()));
    EXPECT_EQ(links, std::stoi(counted[2]) - 2 * pipeEdges) << config;

    for (size_t i = 0; i < boxes.size(); ++i)
      for (size_t j = i + 1; j < boxes.size(); ++j)
        EXPECT_FALSE(boxes[i].Overlaps(boxes[j])) << config << i << " " << j;
  }
}

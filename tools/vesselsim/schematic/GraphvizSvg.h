// A graph laid out by Graphviz's dot and drawn as SVG, through its library:
// the layout is Graphviz's own, well kept and readable for plants of many
// dozens of objects, and none of it is written here.
#pragma once

#include <string>

// The SVG (UTF-8) of `dot` (the host's text); empty, with Graphviz's reason
// in `error`, when it cannot read or lay out the graph.
std::string RenderSvg(const std::string &dot, std::string &error);

// The plant as a Graphviz graph: tanks and vents with their IN and OUT ports,
// pipes as edges between ports labelled with their kind and setting, every
// other object a node joined to what it is linked to, coloured by what flows
// (fluid, power, heat, people), a socket's unused candidates dashed, and the
// objects a separation deletes grouped by the configuration that deletes
// them. Every object and every link is one element with an id: "o<N>" for
// object N (a pipe's edge too), "l<N>" for link N.
#pragma once

#include <string>

#include "PlantGraph.h"

// Object N's element id.
std::string ObjectElementId(size_t object);
std::string SchematicDot(const PlantGraph &plant);

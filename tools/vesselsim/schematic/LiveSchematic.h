// The watched vessel's plant as the live page draws it: a schematic drawn
// anew whenever the plant changes (a separation deletes objects, a socket is
// turned, a reload builds the vessel again), and the live values that colour
// it, element by element.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PlantGraph.h"
#include "Watch.h"

class LiveSchematic {
 public:
  // Looks at the vessel's plant; true when it is not the plant drawn, which
  // then gets a new version and its values are found anew.
  bool Follow(const host::Vessel *vessel);
  // Follows a vessel made anew (a reload), which may stand where the old one
  // stood: its plant is read and its gauges found again before anything can
  // read the old one's.
  void FollowRebuilt(const host::Vessel *vessel);
  uint64_t Version() const { return version; }
  // The graph of the current version, for Graphviz.
  std::string Dot() const;

  // One reading of an element's variables: "ELEMENT KEY VALUE".
  struct Reading {
    const std::string &element;
    const char *key;
    double value;
  };
  std::vector<Reading> Read() const;
  // The references a click on the element adds as watches; none for an
  // element it does not have.
  std::vector<std::string> MainVariables(const std::string &element) const;

 private:
  struct Gauge {
    std::string element;
    const char *key;
    std::string reference;
    StoredVariable variable;
    bool main;
  };
  void FindGauges(const host::Vessel *vessel);

  const host::Vessel *followed = nullptr;
  std::vector<std::string> lines;
  PlantGraph plant;
  uint64_t version = 0;
  std::vector<Gauge> gauges;
};

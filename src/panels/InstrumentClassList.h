// The instrument classes a vessel's class files "config\NAME.prd" define.
#pragma once

#include <memory>
#include <vector>

#include "panels/instruments/InstrumentClass.h"

class DrawingResources;
class ParseContext;

// The vessel's classes, newest first: a tag defined twice finds the later one.
class InstrumentClassList {
 public:
  // Reads every class of "config\NAME.prd", creating what they need in
  // `resources` (made on first need).
  void LoadClassFile(ParseContext &context, const char *name, std::unique_ptr<DrawingResources> &resources);
  // The first class whose tag begins `line`, ignoring case; null for none.
  const InstrumentClass *FindClass(const char *line) const;

  const std::vector<std::unique_ptr<InstrumentClass>> &Classes() const { return classes; }

 private:
  std::vector<std::unique_ptr<InstrumentClass>> classes;
};

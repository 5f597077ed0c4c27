// `check --strict`: what the module's configuration readers pass over
// silently (unknown lines in sections, short lines, sections and blocks left
// open, panel lines of classes that do not exist, references to objects that
// only later lines define), as the readers report it, and the bitmap, texture
// and mesh files the lines use that are not there. Each finding is
// "FILE:LINE: message".
#pragma once

#include <string>
#include <vector>

#include "ModuleLibrary.h"

// Collects the findings of the configurations the module reads while it
// lives; `shownName` stands for the configuration file in them.
class StrictFindings {
 public:
  StrictFindings(host::ModuleLibrary &reporter, std::string shownName);
  ~StrictFindings();
  StrictFindings(const StrictFindings &) = delete;
  StrictFindings &operator=(const StrictFindings &) = delete;

  // False when the module cannot report its findings.
  bool Available() const { return module.bench.setFindingSink != nullptr; }
  const std::vector<std::string> &Lines() const { return lines; }
  // The files the configuration read besides its own (class and instrument
  // files) and the files its lines use that are there, each once.
  const std::vector<std::string> &Files() const { return files; }

 private:
  void Remember(const std::string &file);
  static void Receive(void *context, const char *file, int line, const char *message, const char *usedFile);

  host::ModuleLibrary &module;
  std::string configurationName;
  std::vector<std::string> lines;
  std::vector<std::string> files;
};

// A module vessel in a host, reading configuration files from a scratch root.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "HostFixture.h"
#include "module/GenericVessel.h"

class ConfigFixture : public HostFixture {
 protected:
  ConfigFixture() {
    char pattern[] = "/tmp/genvessel-test-XXXXXX";
    root = ::mkdtemp(pattern);
    previous = ::getcwd(nullptr, 0);
    if (::chdir(root.c_str()) != 0) std::abort();
    ::mkdir("Config", 0755);
    hostVessel = OrbitingVessel("Test_Vessel");
    vessel = std::make_unique<GenericVessel>(hostVessel->handle(), 1);
  }

  ~ConfigFixture() override {
    vessel.reset();
    if (::chdir(previous) != 0) std::abort();
    std::free(previous);
    std::system(("rm -rf " + root).c_str());
  }

  // Replaces the vessel by a new one of the same host world, to restore into.
  void FreshVessel() {
    vessel.reset();
    hostVessel = OrbitingVessel("Fresh_Vessel");
    vessel = std::make_unique<GenericVessel>(hostVessel->handle(), 1);
  }

  void WriteConfig(const std::string &name, const std::string &text) {
    std::ofstream("Config/" + name + ".cfg") << text;
  }

  // Reads `text` as the vessel's configuration and applies configuration n as
  // a restore does.
  void Load(const std::string &text, int n = 1) {
    WriteConfig("Test", text);
    vessel->systems.ReadVesselConfiguration("Test");
    vessel->systems.SetConfiguration(n, true);
  }

  std::string Log() const {
    std::ifstream in(root + "/Varneldebug.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  ConfigurationSet &Set() { return vessel->systems.configurationSet; }

  std::string root;
  char *previous = nullptr;
  host::Vessel *hostVessel = nullptr;
  std::unique_ptr<GenericVessel> vessel;
};

// A module vessel in a host, reading configuration files from a scratch root.
#pragma once

#include <filesystem>

#include <fstream>
#include <memory>
#include <string>

#include "HostFixture.h"
#include "WorkingFolder.h"
#include "module/GenericVessel.h"

class ConfigFixture : public HostFixture {
 protected:
  ConfigFixture() : root(folder.path) {
    std::filesystem::create_directory("Config");
    hostVessel = OrbitingVessel("Test_Vessel");
    vessel = std::make_unique<GenericVessel>(hostVessel->handle(), 1);
  }

  ~ConfigFixture() override { vessel.reset(); }

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

  std::string Log() const { return folder.Read("Varneldebug.txt"); }

  ConfigurationSet &Set() { return vessel->systems.stages.Set(); }
  // The address a reference resolves to on the vessel.
  void *Ref(const char *text) { return vessel->systems.ResolveReference(text).address; }
  // The same, logged as a reading logs what does not resolve: each entry
  // carries line 0, the reading having none.
  void *LoggedRef(const char *text) {
    DebugLog log(false);
    Diagnostics logged(&log, nullptr, nullptr);
    return vessel->systems.ResolveReference(text, logged).address;
  }

  WorkingFolder folder;
  const std::string root;
  host::Vessel *hostVessel = nullptr;
  std::unique_ptr<GenericVessel> vessel;
};

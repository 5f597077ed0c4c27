// A fuzzed vessel configuration and class file, read with the readers'
// findings on, restored through the scenario reader and then stepped, saved,
// drawn and clicked.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzRoot.h"
#include "VesselUnderTest.h"
#include "module/ModuleLog.h"

// The input is the configuration, then after a line "%%%%" the class file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterScratchRoot();
  SetModuleFindingSink([](void *, const char *, int, const char *, const char *) {}, nullptr);
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t split = input.find("\n%%%%\n");
  WriteFile("Config/Fuzz.cfg", "Panel: fuzz\n" + input.substr(0, split));
  WriteFile("config/fuzz.prd", split == std::string::npos ? std::string() : input.substr(split + 6));
  ExerciseVessel({"STATUS Orbiting Earth", "<SOURCE> Fuzz", "<CONFIG> 1"});
  return 0;
}

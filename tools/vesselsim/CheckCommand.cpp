#include "CheckCommand.h"

#include <strings.h>
#include <filesystem>

#include <fstream>
#include <iostream>

#include "ModuleLibrary.h"
#include "ModuleLog.h"
#include "StrictCheck.h"
#include "winpath.h"

namespace {

bool EndsWithCfg(const std::string &text) {
  return text.size() > 4 && strcasecmp(text.c_str() + text.size() - 4, ".cfg") == 0;
}

// CONFIG as a class name and the root it lives under: a path names its file,
// whose folder is the root's Config folder.
bool Locate(const std::string &config, const std::string &rootOption, std::string &className, std::string &root,
            std::string &error) {
  root = rootOption.empty() ? "." : rootOption;
  // Folders are separated by "/", or by "\\" as well on Windows' command line.
  if (!EndsWithCfg(config) && config.find_first_of("/\\") == std::string::npos) {
    className = config;
    return true;
  }
  const size_t slash = config.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "." : config.substr(0, slash);
  const std::string file = slash == std::string::npos ? config : config.substr(slash + 1);
  className = EndsWithCfg(file) ? file.substr(0, file.size() - 4) : file;
  const size_t parent = folder.find_last_of("/\\");
  const std::string folderName = parent == std::string::npos ? folder : folder.substr(parent + 1);
  if (strcasecmp(folderName.c_str(), "Config") != 0) {
    error = config + " is not in a Config folder of a host root";
    return false;
  }
  if (rootOption.empty()) root = parent == std::string::npos ? "." : folder.substr(0, parent);
  return true;
}

}  // namespace

bool EnterClassRoot(const std::string &config, const std::string &rootOption, std::string &className,
                    std::string &error) {
  std::string root;
  if (!Locate(config, rootOption, className, root, error)) return false;
  std::error_code entered;
  std::filesystem::current_path(root, entered);
  if (entered) error = "cannot enter root folder " + root;
  return !entered;
}

// The module reads the class without a host: no simulation is made, and no
// host vessel.
ClassCheck CheckClass(const std::string &className) {
  ClassCheck check;
  const std::string configPath = ResolveWindowsPath(("Config\\" + className + ".cfg").c_str());
  if (!std::ifstream(configPath)) {
    check.error = "cannot read " + configPath;
    return check;
  }
  std::string error;
  const std::unique_ptr<host::ModuleLibrary> module = host::ModuleLibrary::load("genvessel", error);
  if (module == nullptr || module->bench.checkClass == nullptr) {
    check.error = "the vessel module could not be loaded";
    return check;
  }
  StrictFindings strict(*module, "Config/" + className + ".cfg");
  if (!strict.Available()) {
    check.error = "the vessel module cannot report its findings";
    return check;
  }
  char summary[512] = "";
  const auto built = [](void *values, const char *reference, double value) {
    (*static_cast<std::map<std::string, double> *>(values))[reference] = value;
  };
  module->bench.checkClass(className.c_str(), built, &check.builtValues, summary, sizeof summary);
  check.loaded = true;
  check.log = ModuleLog();
  check.findings = strict.Lines();
  check.files = strict.Files();
  check.files.insert(check.files.begin(), configPath);
  check.summary = summary;
  return check;
}

int CheckConfiguration(const CheckOptions &options) {
  std::string className, error;
  if (!EnterClassRoot(options.config, options.root, className, error)) {
    std::cerr << "vesselsim: " << error << '\n';
    return 2;
  }
  const ClassCheck check = CheckClass(className);
  if (!check.loaded) {
    std::cerr << "vesselsim: " << check.error << '\n';
    return 2;
  }
  std::cout << check.log;
  bool findings = !check.log.empty();
  if (options.strict) {
    for (const std::string &finding : check.findings) std::cout << finding << '\n';
    findings = findings || !check.findings.empty();
  }
  // A clean check says what it read, so the author knows it read the file;
  // the strict one adds the module's note, which is no finding.
  const size_t noteAt = check.summary.find('\n');
  if (!findings) std::cout << className << ".cfg: " << check.summary.substr(0, noteAt) << ": no findings\n";
  if (options.strict && noteAt != std::string::npos)
    std::cout << className << ".cfg: note: " << check.summary.substr(noteAt + 1) << '\n';
  return findings ? 1 : 0;
}

#include "StrictCheck.h"

#include <algorithm>

#include "WindowsFiles.h"
#include "winpath.h"

StrictFindings::StrictFindings(host::ModuleLibrary &reporter, std::string shownName)
    : module(reporter), configurationName(std::move(shownName)) {
  if (Available()) module.bench.setFindingSink(&StrictFindings::Receive, this);
}

StrictFindings::~StrictFindings() {
  if (Available()) module.bench.setFindingSink(nullptr, nullptr);
}

// A file a line uses is a finding only when it is not there.
void StrictFindings::Receive(void *context, const char *file, int line, const char *message, const char *usedFile) {
  auto *findings = static_cast<StrictFindings *>(context);
  if (file != nullptr) findings->Remember(file);
  if (usedFile != nullptr && host::windowsFileExists(usedFile)) {
    findings->Remember(usedFile);
    return;
  }
  std::string text = (file != nullptr ? file : findings->configurationName) + ":" + std::to_string(line) + ": " + message;
  if (usedFile != nullptr) text += " not found";
  findings->lines.push_back(std::move(text));
}

void StrictFindings::Remember(const std::string &file) {
  const std::string path = ResolveWindowsPath(file.c_str());
  if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
}

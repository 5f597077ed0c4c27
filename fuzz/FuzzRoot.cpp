#include "FuzzRoot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

void EnterScratchRoot() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/genvessel-fuzz-XXXXXX";
  const char *root = ::mkdtemp(pattern);
  if (root == nullptr || ::chdir(root) != 0) std::abort();
  ::mkdir("Config", 0755);
  ::mkdir("config", 0755);
  entered = true;
}

void WriteFile(const std::string &path, const uint8_t *data, size_t size) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void WriteFile(const std::string &path, const std::string &text) {
  WriteFile(path, reinterpret_cast<const uint8_t *>(text.data()), text.size());
}

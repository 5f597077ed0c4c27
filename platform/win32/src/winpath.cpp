#include "winpath.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace {

bool Exists(const std::string &path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case, or `name`
// itself when there is none (a file about to be created).
std::string MatchEntry(const std::string &folder, const std::string &name) {
  const std::string exact = folder.empty() ? name : folder + "/" + name;
  if (Exists(exact)) return name;
  DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return name;
  std::string match = name;
  while (const dirent *entry = ::readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) {
      match = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return match;
}

std::vector<std::string> SplitComponents(const std::string &path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

std::string ResolveWindowsPath(const char *path) {
  if (path == nullptr) return std::string();
  const std::string text(path);
  const bool absolute = !text.empty() && (text[0] == '/' || text[0] == '\\');
  std::string folder = absolute ? "/" : "";
  for (const std::string &part : SplitComponents(text)) {
    const std::string entry = (part == "." || part == "..") ? part : MatchEntry(folder, part);
    if (folder.empty()) {
      folder = entry;
    } else if (folder == "/") {
      folder += entry;
    } else {
      folder += "/" + entry;
    }
  }
  return folder;
}

FILE *OpenWindowsFile(const char *path, const char *mode) {
  std::string posixMode;
  for (const char *m = mode; m != nullptr && *m != '\0'; ++m) {
    if (*m != 't') posixMode += *m;
  }
  return std::fopen(ResolveWindowsPath(path).c_str(), posixMode.c_str());
}

#include "ScenarioFile.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace host {

namespace {

const double kDegree = M_PI / 180.0;

std::string trimmed(const std::string &s) {
  size_t begin = 0, end = s.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
  return s.substr(begin, end - begin);
}

// True when `line` starts with the word `key` (ignoring case); `rest` then
// points past it.
bool takeKey(const char *line, const char *key, const char *&rest) {
  const size_t n = std::strlen(key);
  if (strncasecmp(line, key, n) != 0) return false;
  if (line[n] != '\0' && !std::isspace(static_cast<unsigned char>(line[n]))) return false;
  rest = line + n;
  return true;
}

bool readVector(const char *text, VECTOR3 &v, double scale) {
  double x, y, z;
  if (std::sscanf(text, "%lf %lf %lf", &x, &y, &z) != 3) return false;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return false;
  v = _V(x * scale, y * scale, z * scale);
  return true;
}

// "0:1.000000 1:0.5" -> (0, 1.0), (1, 0.5); levels are kept within 0 to 1.
void readLevels(const char *text, std::vector<std::pair<size_t, double>> &levels) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    unsigned long index;
    double level;
    if (std::sscanf(word.c_str(), "%lu:%lf", &index, &level) != 2 || !std::isfinite(level)) continue;
    levels.emplace_back(index, std::max(0.0, std::min(1.0, level)));
  }
}

}  // namespace

bool ParsedStatus::parseLine(const char *line) {
  const char *rest;
  if (takeKey(line, "STATUS", rest)) {
    status = std::strstr(rest, "Landed") != nullptr ? 1 : 0;
    return true;
  }
  VECTOR3 *vector = nullptr;
  double scale = 1.0;
  if (takeKey(line, "RPOS", rest)) vector = &rpos;
  else if (takeKey(line, "RVEL", rest)) vector = &rvel;
  else if (takeKey(line, "AROT", rest)) vector = &arot, scale = kDegree;
  else if (takeKey(line, "VROT", rest)) vector = &vrot, scale = kDegree;
  if (vector != nullptr) {
    readVector(rest, *vector, scale);
    return true;
  }
  if (takeKey(line, "PRPLEVEL", rest)) {
    readLevels(rest, propellantLevels);
    return true;
  }
  if (takeKey(line, "THLEVEL", rest)) {
    readLevels(rest, thrusterLevels);
    return true;
  }
  return false;
}

bool ScenarioFile::read(const std::string &path, std::string &error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open scenario " + path;
    return false;
  }
  std::vector<std::string> *section = nullptr;
  std::string endTag;
  bool inShips = false;
  ShipBlock *ship = nullptr;
  int shipLine = 0;
  std::string raw;
  for (int number = 1; std::getline(in, raw); ++number) {
    const std::string line = trimmed(raw);
    if (ship != nullptr) {
      if (strcasecmp(line.c_str(), "END") == 0) {
        ship = nullptr;
      } else {
        ship->lines.push_back(line);
      }
    } else if (inShips) {
      if (strcasecmp(line.c_str(), "END_SHIPS") == 0) {
        inShips = false;
      } else if (!line.empty()) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == line.size()) {
          error = path + ":" + std::to_string(number) + ": ship line without NAME:CLASS: " + line;
          return false;
        }
        ships.push_back({line.substr(0, colon), line.substr(colon + 1), {}});
        ship = &ships.back();
        shipLine = number;
      }
    } else if (section != nullptr) {
      if (strcasecmp(line.c_str(), endTag.c_str()) == 0) {
        section = nullptr;
      } else {
        section->push_back(section == &description ? raw : line);
      }
    } else if (strcasecmp(line.c_str(), "BEGIN_SHIPS") == 0) {
      inShips = true;
    } else if (strcasecmp(line.c_str(), "BEGIN_DESC") == 0) {
      section = &description, endTag = "END_DESC";
    } else if (strcasecmp(line.c_str(), "BEGIN_ENVIRONMENT") == 0) {
      section = &environment, endTag = "END_ENVIRONMENT";
    } else if (strcasecmp(line.c_str(), "BEGIN_WORLD") == 0) {
      section = &world, endTag = "END_WORLD";
    }
  }
  if (ship != nullptr) {
    error = path + ":" + std::to_string(shipLine) + ": ship " + ship->name + " has no END line";
    return false;
  }
  return true;
}

bool ScenarioBlockReader::next(char *&line) {
  if (position >= lines.size()) return false;
  const std::string &text = lines[position++];
  size_t first = 0;
  while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
  buffer.assign(text.begin() + first, text.end());
  buffer.push_back('\0');
  line = buffer.data();
  return true;
}

void ScenarioWriter::item(const char *name, const char *value) {
  text += "  ";
  text += name ? name : "";
  text += ' ';
  text += value ? value : "";
  text += '\n';
}

}  // namespace host

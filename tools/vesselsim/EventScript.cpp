#include "EventScript.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "FilePaths.h"
#include "KeyNames.h"

namespace {

bool parseEvent(std::istringstream &words, const std::string &base, Event &event, std::string &error) {
  std::string time, kind;
  words >> time >> kind;
  char *end;
  event.time = std::strtod(time.c_str(), &end);
  if (time.empty() || *end != '\0' || !std::isfinite(event.time) || event.time < 0) {
    error = "bad time";
    return false;
  }
  std::string argument, extra;
  if (kind == "key") {
    event.kind = Event::Kind::Key;
    words >> argument;
    event.keyCode = KeyCodeFromHostName(argument.c_str());
    if (event.keyCode == 0) error = "unknown key '" + argument + "'";
  } else if (kind == "set") {
    event.kind = Event::Kind::Set;
    std::string value;
    words >> argument >> value;
    if (event.target.parse(argument, error) && !ParseValue(event.target.type, value, event.value))
      error = RefusedValue(value);
  } else if (kind == "group") {
    event.kind = Event::Kind::Group;
    std::string level;
    words >> argument >> level;
    event.group = ThrusterGroupFromName(argument.c_str());
    if (event.group < 0) error = "unknown thruster group '" + argument + "'";
    else if (!ParseValue(ValueType::Double, level, event.value) || event.value < 0 || event.value > 1)
      error = "group level must be 0 to 1";
  } else if (kind == "save" || kind == "png") {
    event.kind = kind == "save" ? Event::Kind::Save : Event::Kind::Png;
    words >> argument;
    if (argument.empty()) error = "no file";
    event.file = AbsolutePath(argument, base);
  } else if (kind == "panel") {
    event.kind = Event::Kind::Panel;
    if (!(words >> event.panel)) error = "no panel number";
  } else if (kind == "click") {
    event.kind = Event::Kind::Click;
    std::string button;
    if (!(words >> event.panel >> event.x >> event.y)) error = "click needs AREA X Y";
    if (error.empty() && words >> button) {
      if (button != "left" && button != "right") error = "button must be left or right";
      event.right = button == "right";
    }
  } else {
    error = "unknown event '" + kind + "'";
  }
  if (error.empty() && words >> extra) error = "unexpected '" + extra + "'";
  return error.empty();
}

}  // namespace

bool ReadEventScript(const std::string &path, const std::string &baseFolder,
                     std::vector<Event> &events, std::string &error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read events file " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    words.clear();
    words.seekg(0);
    Event event;
    event.text = line;
    event.where = path + ":" + std::to_string(number);
    std::string reason;
    // Events run in file order once the clock reaches them: one before the
    // event above it would run late, at that event's time.
    if (parseEvent(words, baseFolder, event, reason) && !events.empty() && event.time < events.back().time)
      reason = "its time comes before the time of the event above it";
    if (!reason.empty()) {
      error = event.Said(reason);
      return false;
    }
    events.push_back(event);
  }
  return true;
}

#include "EventScript.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "FilePaths.h"
#include "KeyNames.h"

namespace {

// A time of 0 or more.
bool ParseTime(const std::string &text, double &time) {
  char *end;
  time = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(time) && time >= 0;
}

// "TIME", or for an expectation "FROM..TO" as well.
bool ParseTimes(const std::string &text, bool interval, double &from, double &to, std::string &error) {
  const size_t dots = text.find("..");
  if (dots == std::string::npos) {
    if (!ParseTime(text, from)) error = "bad time";
    to = from;
  } else if (!interval) {
    error = "only an expectation holds over an interval of time";
  } else if (!ParseTime(text.substr(0, dots), from) || !ParseTime(text.substr(dots + 2), to) || to < from) {
    error = "bad interval: FROM..TO, FROM not after TO";
  }
  return error.empty();
}

bool parseEvent(const std::string &kind, std::istringstream &words, const std::string &base, Event &event,
                std::string &error) {
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

double EventScript::LastTime() const {
  double last = 0.0;
  for (const Event &event : events) last = std::max(last, event.time);
  for (const Expectation &expectation : expectations) last = std::max(last, expectation.to);
  return last;
}

bool ReadEventScript(const std::string &path, const std::string &baseFolder, EventScript &script, std::string &error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read events file " + path;
    return false;
  }
  std::string line;
  double latest = 0.0;
  for (int number = 1; std::getline(in, line); ++number) {
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string time, kind;
    if (!(words >> time)) continue;
    words >> kind;
    Event event;
    event.text = line;
    event.where = path + ":" + std::to_string(number);
    std::string reason;
    double from = 0.0, to = 0.0;
    if (ParseTimes(time, kind == "expect", from, to, reason)) {
      if (kind == "expect") {
        Expectation expectation;
        static_cast<ScriptLine &>(expectation) = event;
        if (expectation.Parse(words, from, to, reason)) script.expectations.push_back(expectation);
      } else {
        event.time = from;
        if (parseEvent(kind, words, baseFolder, event, reason)) script.events.push_back(event);
      }
    }
    // Events run in file order once the clock reaches them: one before the
    // event above it would run late, at that event's time. Expectations act
    // on nothing, and may stand in any order.
    const bool acts = kind != "expect";
    if (reason.empty() && acts && from < latest) reason = "its time comes before the time of the event above it";
    if (!reason.empty()) {
      error = event.Said(reason);
      return false;
    }
    if (acts) latest = from;
  }
  return true;
}

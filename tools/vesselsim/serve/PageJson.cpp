#include "PageJson.h"

#include <cmath>

#include "HostText.h"
#include "LiveBench.h"

using nlohmann::json;

namespace {

// `value` with every string and key passed through `convert`. Bodies are
// bounded in depth before they get here, and answers are the bench's own.
template <typename Convert>
json Converted(const json &value, Convert convert) {
  if (value.is_string()) return convert(value.get_ref<const std::string &>());
  if (value.is_array()) {
    json out = json::array();
    for (const json &item : value) out.push_back(Converted(item, convert));
    return out;
  }
  if (value.is_object()) {
    json out = json::object();
    for (const auto &[key, item] : value.items()) out[convert(key)] = Converted(item, convert);
    return out;
  }
  return value;
}

std::string HostTextOrRefuse(const std::string &text) {
  std::string host;
  if (!HostTextFromUtf8(text, host))
    throw Refusal{"the body holds a character the host's files cannot (they are Windows-1252 text)"};
  return host;
}

}  // namespace

json RequestBody(const std::string &body) {
  const auto bounded = [](int depth, json::parse_event_t, json &) {
    if (depth > kMaxRequestDepth)
      throw Refusal{"the body nests deeper than " + std::to_string(kMaxRequestDepth) + " levels"};
    return true;
  };
  // Bytes that are not UTF-8 are refused by the parser, in strings and out.
  json parsed;
  try {
    parsed = json::parse(body, bounded);
  } catch (const json::exception &e) {
    throw Refusal{std::string("bad body: ") + e.what()};
  }
  if (!parsed.is_object()) throw Refusal{"the body must be a JSON object"};
  return Converted(parsed, HostTextOrRefuse);
}

std::string ForPage(const json &value) {
  return Converted(value, [](const std::string &text) { return Utf8FromHostText(text); }).dump();
}

int IntegerField(const json &body, const char *name, int low, int high) {
  const auto field = body.find(name);
  const std::string range = std::to_string(low) + " to " + std::to_string(high);
  if (field == body.end()) throw Refusal{std::string(name) + " is missing: an integer from " + range};
  const bool integer = field->is_number_integer();
  const long double value = integer ? (field->is_number_unsigned() ? static_cast<long double>(field->get<uint64_t>())
                                                                   : static_cast<long double>(field->get<int64_t>()))
                                    : 0.0L;
  if (!integer || value < low || value > high)
    throw Refusal{std::string(name) + " must be an integer from " + range};
  return static_cast<int>(value);
}

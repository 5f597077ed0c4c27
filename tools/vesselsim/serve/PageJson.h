// The door between the page and the bench: the page sends and reads JSON in
// UTF-8, the bench and the host hold the host's 8-bit text (HostText.h).
// Every request body comes in through RequestBody and every answer goes out
// through ForPage, so no string crosses unconverted and nothing the page
// sends is walked before it is bounded.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

// The deepest a request's body may nest.
constexpr int kMaxRequestDepth = 64;

// A request's body as the bench takes it: a JSON object nested at most
// kMaxRequestDepth deep, every string in it the host's text. Throws Refusal
// with the reason.
nlohmann::json RequestBody(const std::string &body);

// `value` as the page gets it: JSON text, every string (keys too) in UTF-8.
std::string ForPage(const nlohmann::json &value);

// The integer `name` of a request, from `low` to `high`; throws Refusal
// naming the field when it is missing, not an integer or out of range.
int IntegerField(const nlohmann::json &body, const char *name, int low, int high);

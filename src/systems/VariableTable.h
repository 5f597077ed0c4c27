// The variables an object publishes, declared once as a table of names and
// members: the first name, in the order declared, that begins the requested
// text gives the variable (so a name that begins another is declared after
// it: "LOADING" before "LOAD").
#pragma once

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/VariableRef.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"

class VariableTable {
 public:
  // Resolves `requested`, telling `findings` what the name finds.
  VariableTable(const char *requested, Diagnostics &findings) : name(requested), diagnostics(&findings) {}
  // A table that finds nothing but lists every name declared into `names`,
  // each after `prefix` (a part's variables as "PART:NAME").
  VariableTable(std::vector<std::string> *names, std::string prefix = "")
      : name(""), listed(names), listPrefix(std::move(prefix)) {}

  template <typename T>
  VariableTable &Add(const char *published, T &member) {
    if (Takes(published, MatchKeyword(name, published))) found = VariableRef::To(member);
    return *this;
  }
  // A variable found only by its whole name.
  template <typename T>
  VariableTable &AddWhole(const char *published, T &member) {
    if (Takes(published, strcasecmp(name, published) == 0)) found = VariableRef::To(member);
    return *this;
  }
  // A variable that holds the address of an object.
  VariableTable &AddLink(const char *published, void *pointer) {
    if (Takes(published, MatchKeyword(name, published))) found = VariableRef::Link(pointer);
    return *this;
  }
  // A part with variables of its own: its name alone is the part, its name,
  // a separator and a variable name is that variable of the part (which
  // reports a name it does not have itself).
  template <typename Part>
  VariableTable &AddPart(const char *published, Part &part) {
    if (Takes(published, MatchKeyword(name, published))) {
      const char *rest = AfterKeyword(name, published);
      found = *rest == '\0' ? VariableRef::Object(&part) : part.ResolveVariable(rest + 1, *diagnostics);
    }
    if (listed != nullptr) {
      VariableTable inner(listed, listPrefix + published + ":");
      part.Publish(inner);
    }
    return *this;
  }

  // The variable found; a name nothing declared is logged (code 2) when
  // `logUnknown`.
  VariableRef Result(bool logUnknown) const {
    if (!taken && logUnknown) diagnostics->LogError(kInvalidParameterCount);
    return found;
  }

 private:
  // Whether a declaration that `matches` is the one the name resolves to.
  bool Takes(const char *published, bool matches) {
    if (listed != nullptr) {
      listed->push_back(listPrefix + published);
      return false;
    }
    if (taken || !matches) return false;
    taken = true;
    if (diagnostics->FindingsWanted() && std::strlen(name) != std::strlen(published) &&
        std::strchr(name, ':') == nullptr)
      diagnostics->Report(std::string("variable ") + name + " is read as " + published +
                          ", the first name it begins with");
    return true;
  }

  const char *name;
  Diagnostics *diagnostics = nullptr;
  VariableRef found;
  bool taken = false;
  std::vector<std::string> *listed = nullptr;
  std::string listPrefix;
};

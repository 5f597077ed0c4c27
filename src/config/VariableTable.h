// The one way a variable is published and found. A publisher (a system
// object, a tank's port, a panel, an instrument, the ship) declares its
// variables once into a table, each with the rule its name is found by; the
// same declaration resolves a requested name and lists every name. By
// default the first declaration that finds the name gives the variable (so a
// name that begins another is declared after it: "LOADING" before "LOAD").
#pragma once

#include <strings.h>

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "config/VariableRef.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"

class VariableTable;

// No entry in the debug log for a name that finds nothing.
constexpr int kNoLogEntry = -1;

class VariablePublisher {
 public:
  // The variable declared under that name, or none; a name nothing declares
  // is logged with the publisher's code.
  VariableRef ResolveVariable(const char *keyword, Diagnostics &diagnostics);
  // As the vessel flies: nothing is logged.
  VariableRef ResolveVariable(const char *keyword);
  // Every name it lists, in its order, each after `prefix`.
  void ListVariables(std::vector<std::string> &names, const std::string &prefix = "");

 protected:
  ~VariablePublisher() = default;
  virtual void Publish(VariableTable &table) {}
  // The log's code for a name the publisher does not declare, or kNoLogEntry.
  virtual int UnknownNameCode() const { return kNoLogEntry; }

 private:
  friend class VariableTable;
};

class VariableTable {
 public:
  // Resolves `requested`, telling `findings` what the name finds.
  VariableTable(const char *requested, Diagnostics &findings) : name(requested), diagnostics(&findings) {}
  // A table that finds nothing but lists every listed name into `names`,
  // each after `prefix` (a part's variables as "PART:NAME").
  VariableTable(std::vector<std::string> *names, std::string prefix = "")
      : name(""), listed(names), listPrefix(std::move(prefix)) {}

  // Of two declarations that find the name, the later wins: a registry
  // searched newest first.
  VariableTable &LastDeclaredWins() {
    lastWins = true;
    return *this;
  }
  // Found when its name begins the requested one.
  template <typename T>
  VariableTable &Add(const char *published, T &member) {
    if (Takes(published, MatchKeyword(name, published), true)) found = VariableRef::To(member);
    return *this;
  }
  // Found only by its whole name.
  template <typename T>
  VariableTable &AddWhole(const char *published, T &member) {
    if (Takes(published, strcasecmp(name, published) == 0, false)) found = VariableRef::To(member);
    return *this;
  }
  // Found when the names are equal over at most `length` characters.
  VariableTable &AddCompared(const char *published, const VariableRef &variable, size_t length) {
    if (Takes(published, strncasecmp(name, published, length) == 0, false)) found = variable;
    return *this;
  }
  // A variable that holds the address of an object.
  VariableTable &AddLink(const char *published, void *pointer) {
    if (Takes(published, MatchKeyword(name, published), true)) found = VariableRef::Link(pointer);
    return *this;
  }
  // A variable slot: "NAMEP" is the slot itself, "NAME" the variable it
  // holds (none while it is unbound or gone). Not listed: it names another
  // publisher's variable.
  template <typename T>
  VariableTable &AddSlot(const char *published, Bound<T> &slot) {
    if (listed != nullptr || taken || !MatchKeyword(name, published)) return *this;
    taken = true;
    const char next = name[std::strlen(published)];
    found = next == 'P' || next == 'p' ? VariableRef::To(slot) : slot.Ref();
    return *this;
  }
  // A part with variables of its own, found when its name begins the
  // requested one: its name alone is the part, its name, a separator and a
  // variable name is that variable of the part.
  template <typename Part>
  VariableTable &AddPart(const char *published, Part &part) {
    if (Takes(published, MatchKeyword(name, published), false)) {
      const char *rest = AfterKeyword(name, published);
      found = *rest == '\0' ? VariableRef::Object(&part) : part.ResolveVariable(rest + 1, *diagnostics);
    }
    ListPart(published, part);
    return *this;
  }
  // A panel's instrument, found when its name begins the requested one: its
  // variable is what follows the request's first colon, or, without one, the
  // request from its second character; alone it is nothing, and unlisted.
  VariableTable &AddInstrument(const char *published, VariablePublisher &part) {
    if (listed == nullptr && Takes(published, MatchKeyword(name, published), false)) {
      const char *colon = std::strchr(name, ':');
      const char *variable = colon != nullptr ? colon + 1 : (name[0] != '\0' ? name + 1 : name);
      found = part.ResolveVariable(variable);
    }
    ListPart(published, part);
    return *this;
  }

  // The variable found; a name nothing declared is logged with `unknownCode`.
  VariableRef Result(int unknownCode) const {
    if (!taken && unknownCode != kNoLogEntry) diagnostics->LogError(unknownCode);
    return found;
  }

 private:
  // Whether a declaration that `matches` is the one the name resolves to; a
  // prefix that finds a longer name is said (a name with a part's separator
  // is the part's to judge).
  bool Takes(const char *published, bool matches, bool prefix) {
    if (listed != nullptr) {
      listed->push_back(listPrefix + published);
      return false;
    }
    if ((taken && !lastWins) || !matches) return false;
    taken = true;
    if (prefix && diagnostics->FindingsWanted() && std::strlen(name) != std::strlen(published) &&
        std::strchr(name, ':') == nullptr)
      diagnostics->Report(std::string("variable ") + name + " is read as " + published +
                          ", the first name it begins with");
    return true;
  }
  template <typename Part>
  void ListPart(const char *published, Part &part) {
    if (listed == nullptr) return;
    VariableTable inner(listed, listPrefix + published + ":");
    if constexpr (std::is_base_of_v<VariablePublisher, Part>) static_cast<VariablePublisher &>(part).Publish(inner);
    else part.Publish(inner);
  }

  const char *name;
  Diagnostics *diagnostics = nullptr;
  VariableRef found;
  bool taken = false;
  bool lastWins = false;
  std::vector<std::string> *listed = nullptr;
  std::string listPrefix;
};

inline VariableRef VariablePublisher::ResolveVariable(const char *keyword, Diagnostics &diagnostics) {
  VariableTable table(keyword, diagnostics);
  Publish(table);
  return table.Result(UnknownNameCode());
}

inline VariableRef VariablePublisher::ResolveVariable(const char *keyword) {
  Diagnostics quiet;
  return ResolveVariable(keyword, quiet);
}

inline void VariablePublisher::ListVariables(std::vector<std::string> &names, const std::string &prefix) {
  VariableTable table(&names, prefix);
  Publish(table);
}

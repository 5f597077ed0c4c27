// The variables an object publishes, declared once as a table of names and
// members: the first name, in the order declared, that begins the requested
// text gives the variable (so a name that begins another is declared after
// it: "LOADING" before "LOAD").
#pragma once

#include "config/ConfigText.h"
#include "config/VariableRef.h"

class VariableTable {
 public:
  explicit VariableTable(const char *requested) : name(requested) {}

  template <typename T>
  VariableTable &Add(const char *published, T &member) {
    if (!found && MatchKeyword(name, published)) found = VariableRef::To(member);
    return *this;
  }
  // A variable that holds the address of an object.
  VariableTable &AddLink(const char *published, void *pointer) {
    if (!found && MatchKeyword(name, published)) found = VariableRef::Link(pointer);
    return *this;
  }

  VariableRef found;

 private:
  const char *name;
};

#include "systems/SystemObject.h"

#include <cstring>

#include "config/BoundedCopy.h"

namespace {

const char *KeptName(const char *objectName) {
  char cut[kNameSize];
  CopyName(cut, objectName);
  const size_t length = std::strlen(cut);
  char *kept = new char[length + 1];
  std::memcpy(kept, cut, length + 1);
  return kept;
}

}  // namespace

SystemObject::SystemObject(const char *objectName) : name(KeptName(objectName)) {}

SystemObject::~SystemObject() { delete[] name; }

VariableRef SystemObject::ResolveVariable(const char *keyword) {
  VariableTable table(keyword);
  Publish(table);
  return table.Result(LogsUnknownNames());
}

void SystemObject::ListVariables(std::vector<std::string> &names) {
  VariableTable table(&names);
  Publish(table);
}

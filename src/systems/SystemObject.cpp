#include "systems/SystemObject.h"

#include "config/BoundedCopy.h"

SystemObject::SystemObject(const char *objectName) { CopyName(name, objectName); }

VariableRef SystemObject::ResolveVariable(const char *keyword) {
  VariableTable table(keyword);
  Publish(table);
  return table.Result(LogsUnknownNames());
}

void SystemObject::ListVariables(std::vector<std::string> &names) {
  VariableTable table(&names);
  Publish(table);
}

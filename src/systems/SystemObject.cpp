#include "systems/SystemObject.h"

#include "config/BoundedCopy.h"

SystemObject::SystemObject(const char *objectName) { CopyName(name, objectName); }

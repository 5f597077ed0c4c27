#include "systems/electric/ElectricSystem.h"

#include <strings.h>

#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "systems/electric/ElectricObject.h"
#include "systems/fluid/HydraulicSystem.h"

VariableRef ElectricSystem::ResolveReference(const char *text) {
  if (MatchKeyword(text, "NOPOWER")) return {};
  // The character after a system's name (its colon) is passed over.
  if (const char *name = AfterKeyword(text, "ELECTRIC", 1)) text = name;
  if (const char *name = AfterKeyword(text, "HYDRAULIC", 1)) return hydraulic->ResolveReference(name);
  return SystemList::ResolveReference(text);
}

ElectricObject *ElectricSystem::ResolveSource(const char *text) {
  VariableRef reference = ResolveReference(text);
  if (!reference) return nullptr;
  void *address = reference.ObjectAddress();
  if (Contains(address)) return static_cast<ElectricObject *>(static_cast<SystemObject *>(address));
  ReportError(kInvalidComponent);
  return nullptr;
}

// Each line names its object after its tag; a line naming no object of this
// vessel is logged and skipped.
void ElectricSystem::LoadFromScenario(FILEHANDLE scn) {
  char *line;
  while (oapiReadScenario_nextline(scn, line) && strcasecmp(line, "</ELECTRIC>") != 0) {
    LineWord tag, name;
    if ((Fields(line) >> tag >> name).Count() != 2) continue;
    if (SystemObject *object = FindNamed(name)) {
      static_cast<ElectricObject *>(object)->LoadStateLine(line);
    } else {
      ReportUnplacedRecord(line);
    }
  }
}

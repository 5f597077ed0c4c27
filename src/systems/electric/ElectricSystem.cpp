#include "systems/electric/ElectricSystem.h"

#include "config/ConfigText.h"
#include "config/TextScan.h"
#include "systems/fluid/HydraulicSystem.h"

void *ElectricSystem::ResolveReference(const char *text) {
  if (MatchKeyword(text, "NOPOWER")) return nullptr;
  if (MatchKeyword(text, "ELECTRIC")) text = AfterTag(text, 9);
  if (MatchKeyword(text, "HYDRAULIC")) return hydraulic->ResolveReference(AfterTag(text, 10));
  return SystemList::ResolveReference(text);
}

#include "config/SeparationSection.h"

#include <cstdio>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"
#include "systems/SystemList.h"

namespace {

// "HYDRAULIC:NAME" or "ELECTRIC:NAME": every object whose name begins with
// NAME (trailing blanks included) goes at configuration n.
void MarkForDeletion(const char *target, int n, SystemList &fluid, SystemList &electric) {
  if (const char *prefix = AfterKeyword(target, "HYDRAULIC:")) fluid.MarkStage(prefix, n);
  if (const char *prefix = AfterKeyword(target, "ELECTRIC:")) electric.MarkStage(prefix, n);
}

}  // namespace

void SeparationSection::Read(FILE *file) {
  char *line;
  SectionLines section(file, "</SEPARATION>");
  while (section.Next(line)) {
    const char *number = AfterKeyword(line, "<CONFIG>");
    if (number == nullptr) {
      if (line != nullptr) ReportFinding("line not understood in <SEPARATION>");
      continue;
    }
    int n = -1;
    if ((Fields(number) >> n).Count() != 1) n = -1;
    ReadBlock(file, n);
  }
}

// A block for a number outside 0 to 9 is read and dropped: it neither ejects
// nor marks anything.
void SeparationSection::ReadBlock(FILE *file, int n) {
  StageConfiguration discarded;
  const bool valid = IsConfigurationNumber(n);
  StageConfiguration &stage = valid ? set.configurations[n] : discarded;
  char *line;
  SectionLines section(file, "</CONFIG>");
  while (section.Next(line)) {
    // The character after "<DELETE>" is passed over, whatever it is.
    const char *target = AfterKeyword(line, "<DELETE>", 1);
    if (valid && target != nullptr) MarkForDeletion(target, n, fluid, electric);
    if (const char *shift = AfterKeyword(line, "<CGOFFSET>")) ScanVector(shift, stage.centreOfMassShift);
    if (line != nullptr && target == nullptr && !MatchKeyword(line, "<CGOFFSET>") && !MatchKeyword(line, "<EJECT>"))
      ReportFinding("line not understood in a <CONFIG> block");
    if (const char *text = AfterKeyword(line, "<EJECT>")) {
      CheckWordCount(line, 8, "eject line");
      EjectDef eject;
      LineWord className;
      Vec3 place[2];
      Fields fields(text);
      // The class name, then the two vectors.
      if ((fields >> className).Count() == 1 && ScanVectors(fields.Rest(), place, 2)) {
        CopyName(eject.className, className);
        eject.position = place[0];
        eject.rotation = place[1];
        InsertAfterFirst(stage.ejected, eject);
      }
    }
  }
}

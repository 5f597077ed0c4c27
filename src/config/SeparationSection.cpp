#include "config/SeparationSection.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/Diagnostics.h"
#include "config/TextScan.h"
#include "systems/SystemList.h"

namespace {

// Every object of `list` whose name begins with `prefix` (trailing blanks
// included) goes at configuration n. A prefix that marks nothing is a
// finding: blanks after the name (a comment after it), an object that only
// a later section defines, or none at all.
void MarkStage(SystemList &list, const char *prefix, int n) {
  if (list.MarkStage(prefix, n) > 0) return;
  const size_t length = std::strlen(prefix);
  if (length > 0 && prefix[length - 1] == ' ') {
    ReportFinding("<DELETE> target \"" + std::string(prefix) + "\" ends in blanks (a comment after it?): it deletes nothing");
    return;
  }
  NoteUnresolved(&list, "object to delete", prefix);
  NoteRequired(&list, "object to delete", prefix);
}

// "HYDRAULIC:NAME" or "ELECTRIC:NAME".
void MarkForDeletion(const char *target, int n, SystemList &fluid, SystemList &electric) {
  if (const char *prefix = AfterKeyword(target, "HYDRAULIC:")) MarkStage(fluid, prefix, n);
  if (const char *prefix = AfterKeyword(target, "ELECTRIC:")) MarkStage(electric, prefix, n);
}

}  // namespace

// A block opened in the <VESSEL> form is no block: its lines are passed
// over as the section's own, and say nothing more than its opening line.
void SeparationSection::Read(FILE *file) {
  char *line;
  SectionLines section(file, "</SEPARATION>");
  bool inWrongBlock = false;
  while (section.Next(line)) {
    const char *number = AfterKeyword(line, "<CONFIG>");
    if (number == nullptr) {
      if (MatchKeyword(line, "<CONFIG")) {
        ReportFinding("\"<CONFIG n>\" is the <VESSEL> form: a block of <SEPARATION> is \"<CONFIG> n\"");
        inWrongBlock = true;
      } else if (MatchKeyword(line, "</CONFIG") && inWrongBlock) {
        inWrongBlock = false;
      } else if (line != nullptr && !inWrongBlock) {
        ReportFinding("line not understood in <SEPARATION>");
      }
      continue;
    }
    inWrongBlock = false;
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
        const std::string classFile = std::string("Config\\Vessels\\") + className + ".cfg";
        ReportFileUse(nullptr, ConfigLineCount(), std::string("class file Config/Vessels/") + className + ".cfg",
                      classFile.c_str());
        CopyName(eject.className, className);
        eject.position = place[0];
        eject.rotation = place[1];
        InsertAfterFirst(stage.ejected, eject);
      }
    }
  }
}

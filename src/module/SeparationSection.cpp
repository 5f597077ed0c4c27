#include "module/SeparationSection.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/text/BoundedCopy.h"
#include "config/text/Diagnostics.h"
#include "config/text/Keywords.h"
#include "config/text/ParseContext.h"
#include "config/text/SectionLines.h"
#include "config/text/TextScan.h"
#include "systems/SystemList.h"

namespace {

// Every object of `list` whose name begins with `prefix` (trailing blanks
// included) goes at configuration n. A prefix that marks nothing is a
// finding: blanks after the name (a comment after it), an object that only
// a later section defines, or none at all.
void MarkStage(Diagnostics &diagnostics, SystemList &list, const char *prefix, int n) {
  if (list.MarkStage(prefix, n) > 0) return;
  const size_t length = std::strlen(prefix);
  if (length > 0 && prefix[length - 1] == ' ') {
    diagnostics.Report("<DELETE> target \"" + std::string(prefix) +
                       "\" ends in blanks (a comment after it?): it deletes nothing");
    return;
  }
  diagnostics.NoteUnresolved(&list, "object to delete", prefix);
  diagnostics.NoteRequired(&list, "object to delete", prefix);
}

// "HYDRAULIC:NAME" or "ELECTRIC:NAME".
void MarkForDeletion(Diagnostics &diagnostics, const char *target, int n, SystemList &fluid, SystemList &electric) {
  if (const char *prefix = AfterKeyword(target, "HYDRAULIC:")) MarkStage(diagnostics, fluid, prefix, n);
  if (const char *prefix = AfterKeyword(target, "ELECTRIC:")) MarkStage(diagnostics, electric, prefix, n);
}

}  // namespace

// A block opened in the <VESSEL> form is no block: its lines are passed
// over as the section's own, and say nothing more than its opening line.
void SeparationSection::Read(ParseContext &context) {
  char *line;
  SectionLines section(context, "</SEPARATION>");
  bool inWrongBlock = false;
  while (section.Next(line)) {
    const char *number = AfterKeyword(line, "<CONFIG>");
    if (number == nullptr) {
      if (MatchKeyword(line, "<CONFIG")) {
        context.diagnostics.Report("\"<CONFIG n>\" is the <VESSEL> form: a block of <SEPARATION> is \"<CONFIG> n\"");
        inWrongBlock = true;
      } else if (MatchKeyword(line, "</CONFIG") && inWrongBlock) {
        inWrongBlock = false;
      } else if (line != nullptr && !inWrongBlock) {
        context.diagnostics.Report("line not understood in <SEPARATION>");
      }
      continue;
    }
    inWrongBlock = false;
    int n = -1;
    if ((Fields(number, &context.diagnostics) >> n).Count() != 1) n = -1;
    ReadBlock(context, n);
  }
}

// A block for a number outside 0 to 9 is read and dropped: it neither ejects
// nor marks anything.
void SeparationSection::ReadBlock(ParseContext &context, int n) {
  StageConfiguration discarded;
  const bool valid = IsConfigurationNumber(n);
  StageConfiguration &stage = valid ? set.configurations[n] : discarded;
  char *line;
  SectionLines section(context, "</CONFIG>");
  while (section.Next(line)) {
    // The character after "<DELETE>" is passed over, whatever it is.
    const char *target = AfterKeyword(line, "<DELETE>", 1);
    if (valid && target != nullptr) MarkForDeletion(context.diagnostics, target, n, fluid, electric);
    if (const char *shift = AfterKeyword(line, "<CGOFFSET>"))
      ScanVector(shift, stage.centreOfMassShift, &context.diagnostics);
    if (line != nullptr && target == nullptr && !MatchKeyword(line, "<CGOFFSET>") && !MatchKeyword(line, "<EJECT>"))
      context.diagnostics.Report("line not understood in a <CONFIG> block");
    if (const char *text = AfterKeyword(line, "<EJECT>")) {
      context.diagnostics.CheckWordCount(line, 8, "eject line");
      EjectDef eject;
      LineWord className;
      Vec3 place[2];
      Fields fields(text, &context.diagnostics);
      // The class name, then the two vectors.
      if ((fields >> className).Count() == 1 && ScanVectors(fields.Rest(), place, 2)) {
        const std::string classFile = std::string("Config\\Vessels\\") + className + ".cfg";
        context.diagnostics.ReportFileUse(
            nullptr, context.Line(), std::string("class file Config/Vessels/") + className + ".cfg", classFile.c_str());
        CopyName(eject.className, className, &context.diagnostics);
        eject.position = place[0];
        eject.rotation = place[1];
        InsertAfterFirst(stage.ejected, eject);
      }
    }
  }
}

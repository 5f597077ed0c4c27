// The <SEPARATION> section: for each configuration, what a separation into it
// throws off and how far the centre of mass moves.
#include <cstdio>

#include "config/BoundedCopy.h"
#include "config/ConfigText.h"
#include "config/ConfigurationSet.h"
#include "config/TextScan.h"

void ConfigurationSet::ParseSeparationSection(FILE *file) {
  char *line;
  while (NextSectionLine(file, "</SEPARATION>", line)) {
    if (!MatchKeyword(line, "<CONFIG>")) continue;
    int n = -1;
    // A block for a number outside 0 to 9 is read and dropped.
    StageConfiguration discarded;
    const bool valid = std::sscanf(AfterTag(line, 8), "%i", &n) == 1 && IsConfigurationNumber(n);
    ParseSeparationBlock(file, valid ? configurations[n] : discarded);
  }
}

void ConfigurationSet::ParseSeparationBlock(FILE *file, StageConfiguration &stage) {
  char *line;
  while (NextSectionLine(file, "</CONFIG>", line)) {
    if (MatchKeyword(line, "<CGOFFSET>")) ScanVector(AfterTag(line, 10), stage.centreOfMassShift);
    if (MatchKeyword(line, "<EJECT>")) {
      EjectDef eject;
      LineWord className;
      Vec3 place[2];
      if (std::sscanf(AfterTag(line, 7), " %254s", className) == 1) {
        const char *vectors = AfterTag(line, 7);
        // Skip the class name, then read the two vectors.
        while (*vectors == ' ') ++vectors;
        while (*vectors != ' ' && *vectors != '\0') ++vectors;
        if (ScanVectors(vectors, place, 2)) {
          CopyName(eject.className, className);
          eject.position = place[0];
          eject.rotation = place[1];
          InsertAfterFirst(stage.ejected, eject);
        }
      }
    }
  }
}

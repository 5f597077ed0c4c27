#include "systems/electric/ElectricObject.h"

#include <cstring>

#include "config/ScenarioLines.h"
#include "config/text/Keywords.h"

void ElectricObject::Publish(VariableTable &table) {
  table.Add("VOLTS", voltage).Add("AMPS", current).Add("RESET", resetCommand).AddLink("SRC", &source);
}

void ElectricObject::SaveState(FILEHANDLE scn) {
  if (RecordTag() == nullptr) return;
  ScenarioRecord record(name);
  Record(record);
  WriteScenarioString(scn, RecordTag(), record.Text().c_str());
}

// The tag is compared as written, without its blanks, and case and all.
void ElectricObject::LoadStateLine(const char *line) {
  LineWord tag, savedName, ownTag;
  Fields fields(line);
  if (RecordTag() == nullptr || (fields >> tag >> savedName).Count() != 2 ||
      (Fields(RecordTag()) >> ownTag).Count() != 1 || std::strcmp(tag, ownTag) != 0)
    return;
  ScenarioRecord record = ScenarioRecord::Reading(fields.Rest());
  Record(record);
  if (!record.Complete()) return;
  record.Assign();
  Record(record);
  Restored();
}

void SourceDraw::Start(ElectricObject *source) {
  if (drawing || source == nullptr) return;
  source->AddLoad(amps);
  drawing = 1;
}

void SourceDraw::Stop(ElectricObject *source) {
  if (!drawing) return;
  if (source != nullptr) source->RemoveLoad(amps);
  drawing = 0;
}

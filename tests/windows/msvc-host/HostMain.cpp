// orbiter.exe: a host built with Microsoft's C++ ABI from the host's own SDK
// headers, driving the module DLL as the 2016 host does: LoadLibrary, three
// exports looked up, and every event a virtual call through VESSEL2. Run in
// a vessel root folder (Modules\genvessel.dll, Config, Scenarios\Kestrel.scn).
//   orbiter.exe                                 flight, saves, a key, the panel
//   orbiter.exe --preload DLL --fail-callback   a callback failing inside the module
// One line for each call sent and each check; exits 0 when every check holds.
#include <stdio.h>

#include "Host.h"

namespace {

constexpr double kStartMjd = 61400.0;  // the date of Kestrel.scn
constexpr double kStep = 0.1;
constexpr int kFrames = 300;

int checks, failures;
ScenarioBlock shipBlock, classFile;  // the class file's handle: nothing to read
SaveText firstSave, lastSave;
unsigned pixelsBefore[1 << 20];

typedef int (*ModuleVersionCall)();
typedef VESSEL *(*InitCall)(OBJHANDLE, int);
typedef void (*ExitCall)(VESSEL *);
typedef void (*FailNextCall)();

void Say(const char *tag, const char *format, va_list args) {
  printf("%s", tag);
  vprintf(format, args);
  printf("\n");
  fflush(nullptr);  // all of it on screen, should the module take the process down
}

void Sent(const char *format, ...) {
  va_list args;
  va_start(args, format);
  Say("sent  ", format, args);
  va_end(args);
}

bool Check(bool holds, const char *format, ...) {
  va_list args;
  va_start(args, format);
  Say(holds ? "ok    " : "FAIL  ", format, args);
  va_end(args);
  ++checks;
  failures += holds ? 0 : 1;
  return holds;
}

int Summary() {
  printf("%d checks, %d failed\n", checks, failures);
  fflush(nullptr);
  return failures == 0 ? 0 : 1;
}

char *Trim(char *text) {
  while (*text == ' ' || *text == '\t') ++text;
  for (int n = static_cast<int>(strlen(text)); n > 0 && text[n - 1] <= ' '; --n) text[n - 1] = '\0';
  return text;
}

// The first ship of the scenario: its NAME:CLASS line names the vessel, and
// the lines up to END are what clbkLoadStateEx reads.
bool ReadShipBlock(const char *path) {
  FILE *file = fopen(path, "r");
  if (file == nullptr) return false;
  char line[kLineSize];
  bool inShips = false, inShip = false;
  while (fgets(line, kLineSize, file) != nullptr) {
    char *text = Trim(line);
    if (inShip) {
      if (strcmp(text, "END") == 0 || shipBlock.count == 64) break;
      memcpy(shipBlock.lines[shipBlock.count++], text, strlen(text) + 1);
    } else if (inShips) {
      inShip = *text != '\0' && sscanf(text, "%63[^:]", ship.name) == 1;
    } else {
      inShips = strcmp(text, "BEGIN_SHIPS") == 0;
    }
  }
  fclose(file);
  return inShip && shipBlock.count > 0;
}

// The module's imports from orbiter.exe, read from its loaded image as
// winnt.h lays it out: the NT headers at the offset stored at 0x3c; in a PE32
// image the import directory's address 128 bytes into them. Windows would
// refuse to load a module with an import the host lacks; Wine loads it, and
// would bind a name this host lacks to another orbiter.exe on its path.
struct ImportDescriptor {
  DWORD names, timeStamp, forwarderChain, dllName, bound;
};

void CheckImports(HMODULE module) {
  const char *base = reinterpret_cast<const char *>(module);
  const DWORD headers = *reinterpret_cast<const DWORD *>(base + 0x3c);
  const DWORD directory = *reinterpret_cast<const DWORD *>(base + headers + 128);
  HMODULE host = GetModuleHandleA(nullptr);
  int imports = 0, faults = 0;
  for (auto *d = reinterpret_cast<const ImportDescriptor *>(base + directory); d->dllName != 0; ++d) {
    if (_stricmp(base + d->dllName, "orbiter.exe") != 0) continue;
    const DWORD *names = reinterpret_cast<const DWORD *>(base + d->names);
    const DWORD *bound = reinterpret_cast<const DWORD *>(base + d->bound);
    for (int i = 0; names[i] != 0; ++i, ++imports) {
      const char *name = (names[i] & 0x80000000) != 0 ? "an ordinal" : base + names[i] + 2;  // past the hint
      const FARPROC exported = GetProcAddress(host, name);
      if (exported != nullptr && reinterpret_cast<FARPROC>(bound[i]) == exported) continue;
      ++faults;
      if (exported == nullptr)
        Check(false, "the module imports %s, which this host does not export", name);
      else
        Check(false, "the module's %s is bound to another orbiter.exe", name);
    }
  }
  Check(imports > 0 && faults == 0, "%d of the module's %d imports from orbiter.exe are bound to this host",
        imports - faults, imports);
}

void Frame(VESSEL2 *vessel, int n) {
  simTime = n * kStep;
  const double mjd = kStartMjd + simTime / 86400.0;
  vessel->clbkPreStep(simTime, kStep, mjd);
  vessel->clbkPostStep(simTime, kStep, mjd);
}

// Creation from a scenario: class caps, the block read into a status the
// host then applies, then clbkPostCreation.
void Create(VESSEL2 *vessel) {
  vessel->clbkSetClassCaps(&classFile);
  Sent("clbkSetClassCaps(class file)");
  VESSELSTATUS2 status = {};
  status.version = 2;
  vessel->clbkLoadStateEx(&shipBlock, &status);
  Sent("clbkLoadStateEx(%d lines of %s's block)", shipBlock.count, ship.name);
  ship.status = status.status;
  ship.rpos = status.rpos, ship.rvel = status.rvel, ship.vrot = status.vrot, ship.arot = status.arot;
  Check(length(ship.rpos) > 0.0, "the module passed %d lines on to ParseScenarioLineEx; RPOS reached the host",
        calls.parsedLines);
  vessel->clbkPostCreation();
  Sent("clbkPostCreation()");
}

void Save(VESSEL2 *vessel, SaveText &save, const char *when) {
  const int defaultSaves = calls.defaultSaves;
  vessel->clbkSaveState(&save);
  Sent("clbkSaveState() %s: %d characters", when, save.length);
  Check(calls.defaultSaves == defaultSaves + 1 && strncmp(save.text, "  STATUS ", 9) == 0,
        "the save %s starts with the default lines of the base VESSEL2::clbkSaveState", when);
  Check(strstr(save.text, "  <INTERNALS>") != nullptr && strstr(save.text, "  <PROPELLANTS>") != nullptr &&
            strstr(save.text, "  </INTERNALS>") != nullptr,
        "the save %s holds the systems' state: <INTERNALS> with its tanks' <PROPELLANTS>", when);
}

void Fly(VESSEL2 *vessel) {
  Create(vessel);
  Frame(vessel, 0);
  Save(vessel, firstSave, "after frame 0");
  for (int n = 1; n < kFrames; ++n) Frame(vessel, n);
  Sent("clbkPreStep and clbkPostStep for %d frames of %.1f s", kFrames, kStep);
  Check(calls.statusEx > 0, "the module read the vessel's status through GetStatusEx (%d calls)", calls.statusEx);
  Check(calls.overfills == 0,
        "every propellant mass the module set was within 0 and its resource's capacity "
        "(%d were not; the first: %g kg into %g kg)",
        calls.overfills, calls.overfill[0], calls.overfill[1]);
  Save(vessel, lastSave, "at the end");
  const char *first = strstr(firstSave.text, "<INTERNALS>"), *last = strstr(lastSave.text, "<INTERNALS>");
  Check(first != nullptr && last != nullptr && strcmp(first, last) != 0,
        "the systems' state saved at the end differs from frame 0's");
}

// A key the Kestrel's class binds: J drops the transfer stage and adapter.
void PressKey(VESSEL2 *vessel) {
  char kstate[256] = {};
  kstate[OAPI_KEY_J] = static_cast<char>(0x80);
  const int created = calls.createdVessels;
  const int taken = vessel->clbkConsumeBufferedKey(OAPI_KEY_J, true, kstate);
  Sent("clbkConsumeBufferedKey(OAPI_KEY_J, down): %d", taken);
  Check(calls.createdVessels > created, "key J separated a stage: the module created %s", calls.created);
}

// True when the module drew: the area's pixels differ from what the host
// handed it.
bool Redraw(VESSEL2 *vessel, const PanelArea &area, int event) {
  if (area.backgroundMode == PANEL_MAP_BACKGROUND) MapBackground(area);
  int count;
  const unsigned *pixels = SurfacePixels(area.surface, &count);
  if (count > 1 << 20) count = 1 << 20;
  if (count > 0) memcpy(pixelsBefore, pixels, count * sizeof *pixels);
  vessel->clbkPanelRedrawEvent(area.id, event, area.surface);
  return count > 0 && memcmp(pixelsBefore, pixels, count * sizeof *pixels) != 0;
}

void ShowPanel(VESSEL2 *vessel) {
  const bool loaded = vessel->clbkLoadPanel(0);
  Check(loaded && panel.background != nullptr && panel.areaCount > 0,
        "clbkLoadPanel(0) registered a background and %d areas", panel.areaCount);
  int drawn = 0;
  for (int i = 0; i < panel.areaCount; ++i) drawn += Redraw(vessel, panel.areas[i], PANEL_REDRAW_INIT);
  Sent("clbkPanelRedrawEvent(PANEL_REDRAW_INIT) for each of %d areas", panel.areaCount);
  Check(drawn > 0, "%d of %d areas drew on their surfaces", drawn, panel.areaCount);
  for (int i = 0; i < panel.areaCount; ++i) {
    const PanelArea &area = panel.areas[i];
    if ((area.mouseEvents & PANEL_MOUSE_LBDOWN) == 0) continue;
    const int x = (area.rect.right - area.rect.left) / 2, y = (area.rect.bottom - area.rect.top) / 2;
    const bool taken = vessel->clbkPanelMouseEvent(area.id, PANEL_MOUSE_LBDOWN, x, y);
    Check(taken, "clbkPanelMouseEvent(area %d, PANEL_MOUSE_LBDOWN, %d, %d) was taken", area.id, x, y);
    return;
  }
  Check(false, "an area of panel 0 takes a mouse click");
}

bool LogSays(const char *words) {
  FILE *log = fopen("Varneldebug.txt", "r");
  char line[1024];
  bool found = false;
  while (log != nullptr && !found && fgets(line, sizeof line, log) != nullptr) found = strstr(line, words) != nullptr;
  if (log != nullptr) fclose(log);
  return found;
}

void FailInsideModule(VESSEL2 *vessel, HMODULE module) {
  Create(vessel);
  Frame(vessel, 0);
  auto failNext = reinterpret_cast<FailNextCall>(GetProcAddress(module, "vsimFailNextCallback"));
  if (!Check(failNext != nullptr, "the module exports vsimFailNextCallback")) return;
  failNext();
  simTime = kStep;
  vessel->clbkPostStep(simTime, kStep, kStartMjd + simTime / 86400.0);
  Sent("vsimFailNextCallback(), then clbkPostStep()");
  Check(true, "the process survived a callback that failed inside the module");
  Check(LogSays("failed inside the module"), "Varneldebug.txt says the callback failed inside the module");
}

int Run(int argc, char **argv) {
  const char *preload = nullptr;
  bool failCallback = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--preload") == 0 && i + 1 < argc) {
      preload = argv[++i];
    } else if (strcmp(argv[i], "--fail-callback") == 0) {
      failCallback = true;
    } else {
      printf("usage: orbiter.exe [--preload DLL] [--fail-callback]\n");
      return 2;
    }
  }
  FILE *log = failCallback ? fopen("Varneldebug.txt", "w") : nullptr;  // only this run's lines count
  if (log != nullptr) fclose(log);
  if (preload != nullptr) Check(LoadLibraryA(preload) != nullptr, "preloaded %s", preload);
  if (!Check(ReadShipBlock("Scenarios\\Kestrel.scn"), "read the block of %s from Scenarios\\Kestrel.scn", ship.name))
    return Summary();
  HMODULE module = LoadLibraryA("Modules\\genvessel.dll");
  if (!Check(module != nullptr, "LoadLibrary(Modules\\genvessel.dll)")) return Summary();
  CheckImports(module);
  auto moduleVersion = reinterpret_cast<ModuleVersionCall>(GetProcAddress(module, "GetModuleVersion"));
  auto ovcInit = reinterpret_cast<InitCall>(GetProcAddress(module, "ovcInit"));
  auto ovcExit = reinterpret_cast<ExitCall>(GetProcAddress(module, "ovcExit"));
  Sent("GetModuleVersion(): %d%s", moduleVersion != nullptr ? moduleVersion() : 0,
       moduleVersion != nullptr ? "" : " (not exported)");
  if (!Check(ovcInit != nullptr && ovcExit != nullptr, "the module exports ovcInit and ovcExit")) return Summary();
  VESSEL *created = ovcInit(&ship, 1);
  Sent("ovcInit(%s, 1)", ship.name);
  const int version = created != nullptr ? created->Version() : -1;
  if (Check(version >= 1, "ovcInit gave a vessel of interface version %d; callbacks go to VESSEL2 (1) or later",
            version)) {
    VESSEL2 *vessel = static_cast<VESSEL2 *>(created);
    if (failCallback) {
      FailInsideModule(vessel, module);
    } else {
      Fly(vessel);
      PressKey(vessel);  // before the panel, whose click may press a stage key of its own
      ShowPanel(vessel);
      vessel->clbkMFDMode(0, MFD_ORBIT);
      Sent("clbkMFDMode(0, MFD_ORBIT)");
    }
  }
  if (created != nullptr) ovcExit(created);
  Sent("ovcExit()");
  return Summary();
}

}  // namespace

// No C runtime starts this program: msvcrt.dll gives the arguments, and the
// compiler's floating-point marker is defined here.
extern "C" {
int __getmainargs(int *argc, char ***argv, char ***env, int wildcards, int *startInfo);
int _fltused;

void HostEntry() {
  int argc, startInfo = 0;
  char **argv, **env;
  __getmainargs(&argc, &argv, &env, 0, &startInfo);
  exit(Run(argc, argv));
}
}

#include "module/UnwindTables.h"

#ifdef _WIN32

#include <windows.h>

#include <cstdint>

// The DWARF unwinder's registry, as the compiler's runtime declares it.
extern "C" {
struct dwarf_eh_bases {
  void *tbase;
  void *dbase;
  void *func;
};
const void *_Unwind_Find_FDE(void *pc, dwarf_eh_bases *bases);
void __register_frame_info(const void *begin, void *object);
}

// The start of the module's own image, as the linker places it.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The unwinder's record of the registered tables: it fills what it needs of
// it, and it must outlive the registration, so it is static and oversized.
void *registration[16];

const char kSharedRuntime[] = "libgcc_s_dw2-1.dll";

// The start of the module's image section that holds `address`: the tables'
// section, found from one of its entries.
const void *SectionHolding(const void *address) {
  const auto *image = reinterpret_cast<const unsigned char *>(&__ImageBase);
  const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(image + __ImageBase.e_lfanew);
  const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(headers);
  const uintptr_t offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(image);
  for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
    if (offset >= section->VirtualAddress && offset < section->VirtualAddress + section->Misc.VirtualSize)
      return image + section->VirtualAddress;
  return nullptr;
}

}  // namespace

void KeepUnwindTablesWithOwnUnwinder() {
  void *here = reinterpret_cast<void *>(&KeepUnwindTablesWithOwnUnwinder);
  dwarf_eh_bases bases;
  if (_Unwind_Find_FDE(here, &bases) != nullptr) return;
  HMODULE shared = GetModuleHandleA(kSharedRuntime);
  if (shared == nullptr) return;
  using FindEntry = const void *(*)(void *, dwarf_eh_bases *);
  const auto sharedFind =
      reinterpret_cast<FindEntry>(reinterpret_cast<void *>(GetProcAddress(shared, "_Unwind_Find_FDE")));
  const void *entry = sharedFind != nullptr ? sharedFind(here, &bases) : nullptr;
  const void *tables = entry != nullptr ? SectionHolding(entry) : nullptr;
  if (tables != nullptr) __register_frame_info(tables, registration);
}

#else

void KeepUnwindTablesWithOwnUnwinder() {}

#endif

// The module's unwind tables with the unwinder its own throws run.
#pragma once

// On 32-bit Windows the compiler's start-up code registers the module's unwind
// tables with the shared runtime DLL of MinGW (libgcc_s_dw2-1.dll) when
// another add-on has loaded it into the process before the module, while the
// module's throws run the unwinder linked into the module itself, which then
// knows none of its frames: the first exception, even one caught inside the
// module, ends the whole simulator. This registers the tables with the
// module's own unwinder when it does not know them yet. Safe to call more than
// once; nothing to do elsewhere.
void KeepUnwindTablesWithOwnUnwinder();

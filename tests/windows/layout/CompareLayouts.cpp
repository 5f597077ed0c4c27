// Our host headers against the host SDK's: every size and offset the same.
#include <cstdio>

#include "StructLayout.h"

extern const LayoutEntry gv_layout_ours[];
extern const LayoutEntry gv_layout_sdk[];

int main() {
  int compared = 0;
  int differing = 0;
  for (const LayoutEntry *ours = gv_layout_ours, *sdk = gv_layout_sdk; ours->what != nullptr; ++ours, ++sdk) {
    ++compared;
    if (ours->value == sdk->value) continue;
    ++differing;
    std::printf("%s: %u here, %u in the SDK\n", ours->what, static_cast<unsigned>(ours->value),
                static_cast<unsigned>(sdk->value));
  }
  std::printf("%d sizes and offsets compared, %d differ\n", compared, differing);
  return differing == 0 && compared > 0 ? 0 : 1;
}

#!/usr/bin/env bash
# The demo: the Kestrel's two-hour mission from a cold start in orbit: fuel
# cells started and buses powered by clicks, a transfer burn, two separations
# by key press, venting, battery charging, lighting. Telemetry, charts, panel
# images and the saved scenario go into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p out
bench=build/release/bin/vesselsim
root=examples/kestrel

watches=(
  SHIP:ALTITUDE SHIP:AVEL SHIP:TOTALMASS SHIP:MAINTH
  HYDRAULIC:CABIN:PRESS HYDRAULIC:CABIN:O2_PPRESS HYDRAULIC:CABIN:CO2_PPRESS HYDRAULIC:CABIN:TEMP
  ELECTRIC:ESSENTIAL:VOLTS ELECTRIC:ESSENTIAL:AMPS ELECTRIC:SM_FC1:AMPS ELECTRIC:SM_FC1:TEMP
  ELECTRIC:BATT:VOLTS HYDRAULIC:SM_H2:MASS HYDRAULIC:WATER:MASS HYDRAULIC:WASTE:MASS
)
args=()
for w in "${watches[@]}"; do args+=(--watch "$w"); done

echo "demo: flying the Kestrel for two simulated hours ..."
"$bench" run "$root/Scenarios/Kestrel.scn" --root "$root" --duration 7200 --every 10 \
  --events "$root/Scenarios/Mission.events" "${args[@]}" \
  --csv out/kestrel.csv --plot out/kestrel-telemetry.png --describe > out/kestrel-summary.txt

echo
grep -E '^[A-Z]+:' out/kestrel-summary.txt | sed 's/^/  /'
echo
echo "demo: in out/:"
echo "  kestrel.csv ($(($(wc -l < out/kestrel.csv) - 1)) rows), kestrel-telemetry.png (charts)"
echo "  $(ls out/kestrel-main-*.png out/kestrel-nav-*.png | wc -l) panel images: $(cd out && ls kestrel-main-*.png kestrel-nav-*.png | tr '\n' ' ')"
echo "  kestrel-saved.scn (the end state), kestrel-summary.txt (watches and the host's model)"

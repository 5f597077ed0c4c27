#!/usr/bin/env bash
# The demo: the example vessel flown for ten simulated minutes, its telemetry
# recorded into out/ and its end state saved.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p out
bench=build/release/bin/vesselsim
root=examples/minimal

"$bench" run "$root/Scenarios/Minimal.scn" --root "$root" --duration 600 --every 10 \
  --watch SHIP:ALTITUDE --watch SHIP:AVEL --watch SHIP:DVTOGO --watch SHIP:PITCH \
  --watch SHIP:YAW --csv out/minimal.csv --save out/minimal-saved.scn --describe

echo
echo "demo: telemetry in out/minimal.csv ($(($(wc -l < out/minimal.csv) - 1)) rows), end state in out/minimal-saved.scn"

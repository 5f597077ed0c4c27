#!/usr/bin/env bash
# The demo: the three-stage Stack flown for ten simulated minutes: a burn of
# the transfer stage, two separations by key press, a burn of the service
# module. Telemetry and the end state go into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p out
bench=build/release/bin/vesselsim
root=examples/stack

cat > out/stack-events.txt <<'EVENTS'
# time  event
10  group THGROUP_MAIN 1
130 group THGROUP_MAIN 0
200 key OAPI_KEY_J
300 group THGROUP_MAIN 1
360 group THGROUP_MAIN 0
450 key OAPI_KEY_K
EVENTS

"$bench" run "$root/Scenarios/Stack.scn" --root "$root" --duration 600 --every 10 \
  --events out/stack-events.txt \
  --watch SHIP:ALTITUDE --watch SHIP:AVEL --watch SHIP:DVTOGO --watch SHIP:TOTALMASS \
  --watch SHIP:MAINTH --watch SHIP:FUEL0 --watch SHIP:FUEL1 \
  --csv out/stack.csv --save out/stack-saved.scn --describe

echo
echo "demo: telemetry in out/stack.csv ($(($(wc -l < out/stack.csv) - 1)) rows), end state in out/stack-saved.scn"

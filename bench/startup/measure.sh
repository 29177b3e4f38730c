#!/usr/bin/env bash
# Start-up of Velmora against a minimal Qt Widgets program of the same window
# size, under Xvfb: time from launch to the window shown, and resident memory
# then. Runs alternate between the two; medians and ratios are printed.
#   bench/startup/measure.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-21}
probe=$build/bench/startup_probe
floor=$build/bench/startup_floor
floorText=$build/bench/startup_floor_text
[ -x "$probe" ] && [ -x "$floor" ] || { echo "build the benchmarks first: cmake --build $build" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is missing: scripts/install-deps test" >&2; exit 1; }

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb

measure() {
    VELMORA_LAUNCHED_NS=$(date +%s%N) "$1"
}
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq "$runs"); do
    measure "$probe" >>"$runtime/velmora"
    measure "$floor" >>"$runtime/floor"
    measure "$floorText" >>"$runtime/floor-text"
done

# median FILE COLUMN
median() {
    sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
tv=$(median "$runtime/velmora" 1); tf=$(median "$runtime/floor" 1)
mv=$(median "$runtime/velmora" 2); mf=$(median "$runtime/floor" 2)
tt=$(median "$runtime/floor-text" 1); mt=$(median "$runtime/floor-text" 2)
echo "runs: $runs each, alternating, $(date -u +%Y-%m-%d)"
awk -v tv="$tv" -v tf="$tf" -v mv="$mv" -v mf="$mf" -v tt="$tt" -v mt="$mt" 'BEGIN {
    printf "launch to shown (median): velmora %.1f ms, floor %.1f ms, ratio %.2f\n", tv, tf, tv / tf
    printf "resident memory when shown (median): velmora %.1f MiB, floor %.1f MiB, ratio %.2f\n", mv / 1024, mf / 1024, mv / mf
    printf "floor with one Chinese label (context): %.1f ms (velmora %.2fx), %.1f MiB (velmora %.2fx)\n", tt, tv / tt, mt / 1024, mv / mt
}'

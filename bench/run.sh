#!/usr/bin/env bash
# Builds Zelpo and its benchmark in Release and prints the benchmark table: start-up and peak
# memory against a minimal Qt Widgets program, and the chart window's history load, "Graficar"
# and pointer readout, each a median beside its goal.
#
# Usage: bench/run.sh [zelpo_bench options, e.g. --launches 25 --scale 2]
# The build goes to build-bench/ (ZELPO_BENCH_BUILD_DIR overrides it). The measurements run in a
# private Xvfb with openbox; without them they fall back to Qt's offscreen platform and say so.
# Exit status: 0 every goal met, 1 a goal missed, 2 something could not be measured.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ZELPO_BENCH_BUILD_DIR:-$root/build-bench}

echo "# Building in Release into $build"
mkdir -p "$build"
# A fresh build directory skips the tests; an existing one keeps its own choice.
first_configure=()
[[ -f "$build/CMakeCache.txt" ]] || first_configure=(-G Ninja -DZELPO_BUILD_TESTS=OFF)
cmake -S "$root" -B "$build" "${first_configure[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DZELPO_BUILD_BENCH=ON >"$build/bench-configure.log" 2>&1 || {
    cat "$build/bench-configure.log"
    exit 2
}
cmake --build "$build" --target zelpo zelpo_minimal_window zelpo_bench -j2 >"$build/bench-build.log" 2>&1 || {
    tail -n 40 "$build/bench-build.log"
    exit 2
}

source "$root/scripts/private_display.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-bench.XXXXXX")
cleanup() {
    private_display_stop
    rm -rf "$work"
}
trap cleanup EXIT

unset ZELPO_REPORT_FIRST_PAINT
if command -v Xvfb >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1; then
    if ! private_display_start "$work"; then
        echo "$display_problem:"
        cat "$work/xvfb.log" "$work/openbox.log" 2>/dev/null
        exit 2
    fi
    setting="a private Xvfb on $DISPLAY (1280x1024, 24-bit) with openbox"
else
    isolate_qt_settings "$work"
    export QT_QPA_PLATFORM=offscreen
    setting="Qt's offscreen platform (no Xvfb and openbox on this machine)"
fi

echo "# Display: $setting"
# Other work on the machine slows every figure; the load says how busy it was.
echo "# Load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
"$build/bench/zelpo_bench" "$@"

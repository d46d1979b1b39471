#!/usr/bin/env bash
# Builds Zelpo and its benchmark in Release and prints the benchmark table: start-up and peak
# memory against a minimal Qt Widgets program, and the chart window's history load, "Graficar"
# and pointer readout, each a median beside its goal.
#
# Usage: bench/run.sh [zelpo_bench options, e.g. --launches 25 --scale 2]
# The build goes to build-bench/ (ZELPO_BENCH_BUILD_DIR overrides it). The measurements run in a
# private Xvfb with openbox; without Xvfb they fall back to Qt's offscreen platform and say so.
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

work=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-bench.XXXXXX")
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
xvfb_pid="" openbox_pid=""
stop() { # stop <pid>: ends one process we started and reaps it
    [[ -n "$1" ]] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    stop "$openbox_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a command for up to 10 s.
wait_for() {
    local tries=200
    until "$@"; do
        ((--tries > 0)) || return 1
        sleep 0.05
    done
}

# The same settings for every program measured, isolated from the user's desktop.
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
    QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI ZELPO_REPORT_FIRST_PAINT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"

display_known() { [[ -s "$work/display" ]] && grep -q '^[0-9]' "$work/display"; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

if command -v Xvfb >/dev/null 2>&1; then
    # -displayfd lets the server pick a free display and tell us which.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if ! wait_for display_known; then
        echo "Xvfb did not start:"
        cat "$work/xvfb.log"
        exit 2
    fi
    export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
    setting="a private Xvfb on $DISPLAY (1280x1024, 24-bit)"
    if command -v openbox >/dev/null 2>&1 && command -v xprop >/dev/null 2>&1; then
        openbox >"$work/openbox.log" 2>&1 &
        openbox_pid=$!
        if wait_for wm_running; then
            setting+=" with openbox"
        else
            setting+=" (openbox did not start: no window manager)"
        fi
    else
        setting+=" without a window manager"
    fi
else
    export QT_QPA_PLATFORM=offscreen
    setting="Qt's offscreen platform (no Xvfb on this machine)"
fi

echo "# Display: $setting"
# Other work on the machine slows every figure; the load says how busy it was.
echo "# Load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
"$build/bench/zelpo_bench" "$@"

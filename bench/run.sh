#!/usr/bin/env bash
# Builds Zelpo and its benchmark in Release and prints the benchmark table: start-up and peak
# memory against a minimal Qt Widgets program, and the chart window's history load, "Graficar"
# and pointer readout, each a median beside its goal.
#
# Usage: bench/run.sh [--earlier <commit>] [--callgrind] [--screen-scale <factor>]
#                     [zelpo_bench options, e.g. --launches 25 --scale 2]
#   --earlier <commit>       also builds that commit and measures its start-up in the same launches
#   --callgrind              also counts, under valgrind's callgrind, the instructions each program
#                            runs to its first complete paint, on its main thread and on all threads
#   --screen-scale <factor>  runs every program at that screen scale (QT_SCALE_FACTOR)
# The build goes to build-bench/ (ZELPO_BENCH_BUILD_DIR overrides it). The measurements run in a
# private Xvfb with openbox; without them they fall back to Qt's offscreen platform and say so.
# Exit status: 0 every goal met, 1 a goal missed, 2 something could not be measured.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ZELPO_BENCH_BUILD_DIR:-$root/build-bench}

earlier="" callgrind="" screen_scale="" bench_options=()
while (($#)); do
    case $1 in
    --earlier) earlier=${2:?--earlier needs a commit}; shift 2 ;;
    --callgrind) callgrind=1; shift ;;
    --screen-scale) screen_scale=${2:?--screen-scale needs a factor}; shift 2 ;;
    *) bench_options+=("$1"); shift ;;
    esac
done

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

# The earlier release is built from the commit's own files, apart from this tree.
earlier_program=""
if [[ -n "$earlier" ]]; then
    commit=$(git -C "$root" rev-parse --verify "$earlier^{commit}") || exit 2
    echo "# Building the earlier release ${commit:0:7} in Release into $build/earlier"
    if [[ "$(cat "$build/earlier/commit" 2>/dev/null)" != "$commit" ]]; then
        rm -rf "$build/earlier" && mkdir -p "$build/earlier/source"
        git -C "$root" archive "$commit" | tar -x -C "$build/earlier/source" || exit 2
        echo "$commit" >"$build/earlier/commit"
    fi
    cmake -S "$build/earlier/source" -B "$build/earlier/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DZELPO_BUILD_TESTS=OFF -DZELPO_BUILD_BENCH=OFF >"$build/earlier/configure.log" 2>&1 &&
        cmake --build "$build/earlier/build" --target zelpo -j2 >"$build/earlier/build.log" 2>&1 || {
        tail -n 40 "$build/earlier/configure.log" "$build/earlier/build.log"
        exit 2
    }
    earlier_program=$build/earlier/build/app/zelpo
    bench_options+=(--earlier "$earlier_program")
fi

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

if [[ -n "$screen_scale" ]]; then
    export QT_SCALE_FACTOR=$screen_scale
    setting+=", screen scale $screen_scale"
fi

echo "# Display: $setting"
# Other work on the machine slows every figure; the load says how busy it was.
echo "# Load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
"$build/bench/zelpo_bench" "${bench_options[@]}"
status=$?
[[ -n "$callgrind" ]] || exit $status

# callgrind_counts <name> <program>: one table row, the instructions the program runs from its
# start to its first complete paint, in millions, on its main thread and on all its threads.
# Counts barely move with the machine's other work, which times do.
callgrind_counts() {
    local folder="$work/callgrind-$1" pid main all
    mkdir -p "$folder"
    (cd "$folder" && ZELPO_REPORT_FIRST_PAINT=1 exec valgrind --tool=callgrind \
        --separate-threads=yes --callgrind-out-file="$folder/counts" "$2" \
        >"$folder/out.log" 2>"$folder/valgrind.log") &
    pid=$!
    if ! wait_until 300 grep -q '^first-paint$' "$folder/out.log"; then
        stop "$pid"
        echo "| $1 | not measured: no first paint under callgrind | |"
        return 1
    fi
    # Ended at once: callgrind writes the counts as the program ends.
    kill -TERM "$pid" && wait "$pid" 2>/dev/null
    # One file for each thread, the main thread's first; each gives its count once or twice.
    main=$(awk '/^(summary|totals):/ { print $2; exit }' "$folder"/counts-01)
    all=$(awk 'FNR == 1 { counted = 0 } /^(summary|totals):/ && !counted { n += $2; counted = 1 }
               END { print n }' "$folder"/counts-*)
    awk -v name="$1" -v main="$main" -v all="$all" \
        'BEGIN { printf "| %s | %.1f M | %.1f M |\n", name, main / 1e6, all / 1e6 }'
}

if ! command -v valgrind >/dev/null 2>&1; then
    echo "Instruction counts not measured: valgrind is not installed"
    exit 2
fi
echo
echo "| Instructions to the first complete paint (callgrind) | main thread | all threads |"
echo "|---|---|---|"
callgrind_counts "minimal program" "$build/bench/zelpo_minimal_window" || status=2
callgrind_counts "Zelpo" "$build/app/zelpo" || status=2
if [[ -n "$earlier_program" ]]; then
    callgrind_counts "earlier release (${commit:0:7})" "$earlier_program" || status=2
fi
exit $status

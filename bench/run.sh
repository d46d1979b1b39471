#!/usr/bin/env bash
# Builds Zelpo and its benchmark in Release and prints the benchmark table: start-up and peak
# memory against a minimal Qt Widgets program and against a window showing text, at the screen
# scales 1, 1.25, 1.5 and 2, and the chart window's history load, "Graficar" and pointer readout,
# each a median beside its goal.
#
# Usage: bench/run.sh [--earlier <commit>] [--callgrind] [--screen-scale <factor>]
#                     [zelpo_bench options, e.g. --launches 25 --scale 2]
#   --earlier <commit>       also builds that commit and measures its start-up in the same launches
#   --callgrind              also counts, under valgrind's callgrind, the instructions each program
#                            runs to its first complete paint, on its main thread and on all
#                            threads, at each screen scale
#   --screen-scale <factor>  runs every program, the chart window's steps included, at that one
#                            screen scale (QT_SCALE_FACTOR) instead
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
cmake --build "$build" --target zelpo zelpo_minimal_window zelpo_text_window zelpo_bench -j2 >"$build/bench-build.log" 2>&1 || {
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

screen_scales=(1 1.25 1.5 2)
if [[ -n "$screen_scale" ]]; then
    export QT_SCALE_FACTOR=$screen_scale
    screen_scales=("$screen_scale")
    setting+=", screen scale $screen_scale"
fi

echo "# Display: $setting"
# Other work on the machine slows every figure; the load says how busy it was.
echo "# Load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
"$build/bench/zelpo_bench" --screen-scales "$(IFS=,; echo "${screen_scales[*]}")" "${bench_options[@]}"
status=$?
[[ -n "$callgrind" ]] || exit $status

# callgrind_counts <name> <program> <screen scale>: one table row, the instructions the program
# runs from its start to its first complete paint, in millions, on its main thread and on all its
# threads; the counts are also left in counted_main and counted_all. Counts barely move with the
# machine's other work, which times do.
callgrind_counts() {
    local folder="$work/callgrind-$1-$3" pid
    mkdir -p "$folder"
    counted_main="" counted_all=""
    (cd "$folder" && if [[ "$3" == 1 ]]; then unset QT_SCALE_FACTOR; else export QT_SCALE_FACTOR=$3; fi &&
        ZELPO_REPORT_FIRST_PAINT=1 exec valgrind --tool=callgrind \
        --separate-threads=yes --callgrind-out-file="$folder/counts" "$2" \
        >"$folder/out.log" 2>"$folder/valgrind.log") &
    pid=$!
    if ! wait_until 300 grep -qs '^first-paint$' "$folder/out.log"; then
        stop "$pid"
        echo "| $1 | $3 | not measured: no first paint under callgrind | |"
        return 1
    fi
    # Ended at once: callgrind writes the counts as the program ends.
    kill -TERM "$pid" && wait "$pid" 2>/dev/null
    # One file for each thread, the main thread's first; each gives its count once or twice.
    counted_main=$(awk '/^(summary|totals):/ { print $2; exit }' "$folder"/counts-01)
    counted_all=$(awk 'FNR == 1 { counted = 0 } /^(summary|totals):/ && !counted { n += $2; counted = 1 }
               END { print n }' "$folder"/counts-*)
    awk -v name="$1" -v scale="$3" -v main="$counted_main" -v all="$counted_all" \
        'BEGIN { printf "| %s | %s | %.1f M | %.1f M |\n", name, scale, main / 1e6, all / 1e6 }'
}

if ! command -v valgrind >/dev/null 2>&1; then
    echo "Instruction counts not measured: valgrind is not installed"
    exit 2
fi
# Zelpo's counts against the window showing text's, at each scale, beside the goal.
instruction_goal=1.3
ratios=()
# keep_ratio <program> <screen scale>: the counts just taken against the window showing text's.
keep_ratio() {
    [[ -n "$counted_main" && -n "$text_main" ]] || return 0
    ratios+=("$1"$'\t'"$2"$'\t'"$(awk -v m="$counted_main" -v a="$counted_all" -v tm="$text_main" \
        -v ta="$text_all" 'BEGIN { printf "%f\t%f", m / tm, a / ta }')")
}
echo
echo "| Instructions to the first complete paint (callgrind) | screen scale | main thread | all threads |"
echo "|---|---|---|---|"
for scale in "${screen_scales[@]}"; do
    callgrind_counts "minimal program" "$build/bench/zelpo_minimal_window" "$scale" || status=2
    callgrind_counts "window showing text" "$build/bench/zelpo_text_window" "$scale" || status=2
    text_main=$counted_main text_all=$counted_all
    callgrind_counts "Zelpo" "$build/app/zelpo" "$scale" || status=2
    keep_ratio Zelpo "$scale"
    if [[ -n "$earlier_program" ]]; then
        callgrind_counts "earlier release (${commit:0:7})" "$earlier_program" "$scale" || status=2
        keep_ratio "earlier release (${commit:0:7})" "$scale"
    fi
done
echo
echo "| Instructions to the first complete paint, against the window showing text | main thread | all threads | Goal | Met |"
echo "|---|---|---|---|---|"
for ratio in "${ratios[@]}"; do
    IFS=$'\t' read -r program scale main all <<<"$ratio"
    if [[ "$program" != Zelpo ]]; then
        # The earlier release's, for comparison: its goals are not this release's to meet.
        printf '| %s at screen scale %s | %.2f | %.2f | | |\n' "$program" "$scale" "$main" "$all"
        continue
    fi
    met=$(awk -v r="$main" -v goal="$instruction_goal" 'BEGIN { print (r <= goal) ? "yes" : "**no**" }')
    printf '| Zelpo at screen scale %s | %.2f | %.2f | ≤ %s (main thread) | %s |\n' \
        "$scale" "$main" "$all" "$instruction_goal" "$met"
    [[ "$met" == yes || $status -ne 0 ]] || status=1
done
exit $status

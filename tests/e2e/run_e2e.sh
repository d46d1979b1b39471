#!/usr/bin/env bash
# Starts Zelpo the way a user does, in a private X server with a window manager, and checks with
# real mouse and keyboard input that the chart comes up centred above its black backdrop, that
# "Fin" and the window manager's close both end the program at once, and that merely starting
# and ending leaves no patient file behind.
#
# Usage: run_e2e.sh <path to the built zelpo program>
set -uo pipefail

program=${1:?usage: run_e2e.sh <path to zelpo>}
readonly expected_screen="1280x1024"
readonly chart_width=627 chart_height=460

failures=0
pass() { echo "ok   - $*"; }
fail() {
    echo "FAIL - $*"
    failures=$((failures + 1))
}
check() { # check <description> <command...>
    local description=$1
    shift
    if "$@"; then pass "$description"; else fail "$description"; fi
}

for tool in Xvfb xdpyinfo openbox xprop xwininfo xdotool import convert awk; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL - $tool is missing: install the test packages with scripts/setup.sh --tests"
        exit 1
    fi
done
if [[ ! -x "$program" ]]; then
    echo "FAIL - no program to run at $program"
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-e2e.XXXXXX")
install_dir="$work/installation"
elsewhere="$work/elsewhere"
mkdir -p "$install_dir" "$elsewhere" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

xvfb_pid="" openbox_pid="" zelpo_pid=""
stop() { # stop <pid>: ends one process we started and reaps it
    [[ -n "$1" ]] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    stop "$zelpo_pid"
    stop "$openbox_pid"
    stop "$xvfb_pid"
    if ((failures == 0)); then
        rm -rf "$work"
    else
        echo "Screenshots and logs kept in $work"
    fi
}
trap cleanup EXIT
trap 'fail "interrupted"; exit 1' INT TERM

# Microseconds since the epoch, whatever the locale's decimal separator.
now_us() { echo "${EPOCHREALTIME//[.,]/}"; }

# wait_until <seconds> <command...>: polls the command until it succeeds or time runs out.
wait_until() {
    local deadline=$(($(now_us) + $1 * 1000000))
    shift
    until "$@"; do
        (($(now_us) >= deadline)) && return 1
        sleep 0.05
    done
}

# --- The display: its own X server at 96 dpi and openbox, isolated from the user's settings. ---
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
    QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"

Xvfb -displayfd 3 -screen 0 "${expected_screen}x24" -dpi 96 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_known() { [[ -s "$work/display" ]] && grep -q '^[0-9]' "$work/display"; }
if ! wait_until 10 display_known; then
    fail "Xvfb did not start (see $work/xvfb.log)"
    exit 1
fi
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
if ! wait_until 10 eval 'xdpyinfo >/dev/null 2>&1'; then
    fail "Xvfb on $DISPLAY does not answer"
    exit 1
fi
screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
screen_width=${screen%x*} screen_height=${screen#*x}

openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! wait_until 10 wm_running; then
    fail "openbox did not start (see $work/openbox.log)"
    exit 1
fi
echo "# X server $DISPLAY ($screen) with openbox"

cp "$program" "$install_dir/zelpo"

# --- Helpers on the program's windows. ---
start_zelpo() { # start_zelpo <log name>
    (cd "$elsewhere" && exec "$install_dir/zelpo") >"$work/$1.log" 2>&1 &
    zelpo_pid=$!
}

# Sets chart_id and backdrop_id once both windows are visible; the chart is the small one.
find_windows() {
    chart_id="" backdrop_id=""
    local id width
    for id in $(xdotool search --onlyvisible --class zelpo 2>/dev/null); do
        width=$(xwininfo -id "$id" 2>/dev/null | awk '/^  Width:/ { print $2 }')
        [[ -n "$width" ]] || continue
        if ((width < screen_width * 3 / 4)); then chart_id=$id; else backdrop_id=$id; fi
    done
    [[ -n "$chart_id" && -n "$backdrop_id" ]]
}

# Sets x, y, width, height (client area, absolute) of a window.
read_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    x=$(awk '/Absolute upper-left X:/ { print $4 }' <<<"$info")
    y=$(awk '/Absolute upper-left Y:/ { print $4 }' <<<"$info")
    width=$(awk '/^  Width:/ { print $2 }' <<<"$info")
    height=$(awk '/^  Height:/ { print $2 }' <<<"$info")
    [[ -n "$x" && -n "$y" && -n "$width" && -n "$height" ]]
}

# The window manager has framed the chart and the chart has stopped moving.
chart_settled() {
    xprop -id "$chart_id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' || return 1
    read_geometry "$chart_id" || return 1
    local before="$x $y $width $height"
    sleep 0.1
    read_geometry "$chart_id" && [[ "$before" == "$x $y $width $height" ]]
}

chart_active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$chart_id" ]]; }
chart_keeps_focus() { chart_active && sleep 0.1 && chart_active; }

process_ended() { # a reaped or zombie process counts as ended
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z "$state" || "$state" == Z ]]
}

# ends_within_a_second <time of the request> <what was done>: the program must be gone within
# one second of the request, and end cleanly.
ends_within_a_second() {
    local start=$1 status elapsed_ms
    if wait_until 1 process_ended "$zelpo_pid"; then
        elapsed_ms=$((($(now_us) - start) / 1000))
        wait "$zelpo_pid"
        status=$?
        zelpo_pid=""
        pass "$2 ends the program (after ${elapsed_ms} ms)"
        check "the program ends with status 0 (got $status)" test "$status" -eq 0
    else
        fail "$2 leaves the program running after one second"
        stop "$zelpo_pid"
        zelpo_pid=""
    fi
}

shot_number=0
take_screenshot() {
    shot_number=$((shot_number + 1))
    shot="$work/screenshot-$shot_number.png"
    import -window root "$shot"
}

# region <x> <y> <w> <h>: prints "min max mean" brightness (0..1) of a screenshot area.
region() {
    convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -colorspace Gray \
        -format '%[fx:minima] %[fx:maxima] %[fx:mean]' info:
}
black() { # black <x> <y> <w> <h>: every pixel is dark
    region "$@" | awk '{ exit !($2 < 0.2) }'
}
near_white() { # near_white <x> <y> <w> <h>: light on average, as paper with faint grid lines
    region "$@" | awk '{ exit !($3 > 0.85) }'
}
not_black() { # not_black <x> <y> <w> <h>: something other than the backdrop shows there
    region "$@" | awk '{ exit !($3 > 0.3) }'
}
# Client-area coordinates of the chart window into screen coordinates.
on_chart() { # on_chart <test> <cx> <cy> <w> <h>
    "$1" $((chart_x + $2)) $((chart_y + $3)) "$4" "$5"
}

chart_is_above_backdrop() {
    local stacking
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null) || return 1
    stacking=${stacking#*#}
    stacking=${stacking//,/ }
    local id position=0 chart_at=-1 backdrop_at=-1
    for id in $stacking; do
        (($(printf '%d' "$id") == chart_id)) && chart_at=$position
        (($(printf '%d' "$id") == backdrop_id)) && backdrop_at=$position
        position=$((position + 1))
    done
    ((chart_at > backdrop_at && backdrop_at >= 0))
}

# Corners and edge midpoints of the screen, all outside the centred chart window.
backdrop_black_around_chart() {
    local right=$((screen_width - 150)) bottom=$((screen_height - 150))
    local middle_x=$((screen_width / 2 - 50)) middle_y=$((screen_height / 2 - 50))
    black 0 0 150 150 && black "$right" 0 150 150 && black 0 "$bottom" 150 150 &&
        black "$right" "$bottom" 150 150 && black 0 "$middle_y" 150 100 &&
        black "$right" "$middle_y" 150 100 && black "$middle_x" 0 100 150 &&
        black "$middle_x" "$bottom" 100 150
}

chart_painted() {
    take_screenshot && on_chart not_black $((chart_width / 2 - 10)) $((chart_height / 2 - 10)) 20 20
}

# The chart as the layout puts it: 3-px black outline with its left edge on client columns
# 227..228, paper inside it, the black status strip above it.
check_chart_drawing() { # check_chart_drawing <when>
    local failures_before=$failures
    check "$1: the chart window's centre is not covered by the black backdrop" \
        on_chart not_black $((chart_width / 2 - 10)) $((chart_height / 2 - 10)) 20 20
    check "$1: the chart outline's left edge is black at client x 227..228, y 60..300" \
        on_chart black 227 60 2 241
    check "$1: the paper just inside the outline is light" on_chart near_white 231 60 3 241
    check "$1: the picture inside the outline is near-white" on_chart near_white 240 40 90 110
    check "$1: the status strip is black" on_chart black 235 16 345 10
    check "$1: the window manager stacks the chart above the backdrop" chart_is_above_backdrop
    ((failures == failures_before)) || echo "# screenshot: $shot"
}

# --- 1. Start, placement and drawing. ---
start=$(now_us)
start_zelpo first-run
if ! wait_until 15 find_windows; then
    fail "the chart window and the backdrop did not both appear within 15 s (see $work/first-run.log)"
    exit 1
fi
pass "the chart window and the backdrop are visible after $((($(now_us) - start) / 1000)) ms"
if ! wait_until 5 chart_settled; then
    fail "the window manager did not frame the chart window, or it kept moving"
    exit 1
fi
chart_x=$x chart_y=$y

check "the screen is $expected_screen (got $screen)" test "$screen" = "$expected_screen"
check "the chart's client area is ${chart_width}x${chart_height} (got ${width}x${height})" \
    test "$width" -eq "$chart_width" -a "$height" -eq "$chart_height"

read -r left right top bottom < <(xprop -id "$chart_id" _NET_FRAME_EXTENTS |
    sed 's/.*= *//; s/,/ /g')
outer_left=$((chart_x - left)) outer_top=$((chart_y - top))
outer_width=$((width + left + right)) outer_height=$((height + top + bottom))
# Doubled so that half pixels stay whole: |2*left - (screen - outer)| <= 2 is within 1 px.
off_x=$((2 * outer_left - (screen_width - outer_width)))
off_y=$((2 * outer_top - (screen_height - outer_height)))
check "the outer frame ${outer_width}x${outer_height}+${outer_left}+${outer_top} is centred across the screen" \
    test "${off_x#-}" -le 2
check "the outer frame ${outer_width}x${outer_height}+${outer_left}+${outer_top} is centred down the screen" \
    test "${off_y#-}" -le 2

transient_for=$(xprop -id "$chart_id" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*# *//p')
check "the chart window is transient for the backdrop (got ${transient_for:-none})" \
    test "$(printf '%d' "${transient_for:-0}")" -eq "$backdrop_id"

read_geometry "$backdrop_id"
check "the backdrop covers the whole screen (got ${width}x${height}+${x}+${y})" \
    test "${width}x${height}+${x}+${y}" = "${screen}+0+0"

wait_until 5 chart_painted
check "the backdrop is black around the chart window" backdrop_black_around_chart
check_chart_drawing "at start"

# Clicking the backdrop must not bring it over the chart.
xdotool mousemove --sync 5 5 click 1
sleep 0.3
take_screenshot
check_chart_drawing "after a click on the backdrop"

# --- 2. "Fin" ends the program. ---
xdotool mousemove --sync --window "$chart_id" 175 363 click 1
ends_within_a_second "$(now_us)" 'a click on "Fin"'

# --- 3. Closing the chart window through the window manager ends the program. ---
start_zelpo second-run
if wait_until 15 find_windows && wait_until 5 chart_settled; then
    # openbox closes whichever window holds the focus when alt+F4 arrives.
    xdotool windowactivate --sync "$chart_id" >/dev/null 2>&1
    if wait_until 3 chart_keeps_focus; then
        xdotool key --clearmodifiers alt+F4
        ends_within_a_second "$(now_us)" "openbox's close (alt+F4) on the chart window"
    else
        fail "the chart window does not keep the focus (active: $(xdotool getactivewindow 2>&1))"
    fi
else
    fail "the chart window did not appear on the second start (see $work/second-run.log)"
fi

# --- 4. Starting and ending writes no patient file. ---
stray=$(find "$work" -iname '*.crv' -print)
check "starting and ending created no patient file${stray:+ (found: $stray)}" test -z "$stray"

if ((failures > 0)); then
    echo "# $failures check(s) failed"
    exit 1
fi
echo "# all checks passed"

#!/usr/bin/env bash
# Starts Zelpo the way a user does, in a private X server with a window manager, and checks with
# real mouse and keyboard input that the chart comes up centred above its black backdrop, that
# "Fin" and the window manager's close both end the program, and that merely starting and ending
# leaves no patient file behind. Every wait is for an event; how fast it comes is the benchmark's
# to measure.
#
# Usage: run_e2e.sh <path to the built zelpo program>
set -uo pipefail

program=${1:?usage: run_e2e.sh <path to zelpo>}
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_program "$program"
x_session_start
install_program "$program"

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
start_zelpo first-run
wait_for_chart first-run || exit 1
pass "the chart window and the backdrop are visible"

check "the screen is $expected_screen (got $screen)" test "$screen" = "$expected_screen"
check "the chart's client area is ${chart_width}x${chart_height} (got ${width}x${height})" \
    test "$width" -eq "$chart_width" -a "$height" -eq "$chart_height"

read -r left right top bottom < <(xprop -id "$chart_id" _NET_FRAME_EXTENTS |
    sed 's/.*= *//; s/,/ /g')
outer_left=$((chart_x - left)) outer_top=$((chart_y - top))
outer_width=$((width + left + right)) outer_height=$((height + top + bottom))
# Doubled, so within 1 px is at most 2.
off_x=$(centred_off "$chart_x" "$width" "$left" "$right" "$screen_width")
off_y=$(centred_off "$chart_y" "$height" "$top" "$bottom" "$screen_height")
check "the outer frame ${outer_width}x${outer_height}+${outer_left}+${outer_top} is centred across the screen" \
    test "$off_x" -le 2
check "the outer frame ${outer_width}x${outer_height}+${outer_left}+${outer_top} is centred down the screen" \
    test "$off_y" -le 2

transient_for=$(xprop -id "$chart_id" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*# *//p')
check "the chart window is transient for the backdrop (got ${transient_for:-none})" \
    test "$(printf '%d' "${transient_for:-0}")" -eq "$backdrop_id"

# The backdrop may be placed a moment after it shows.
backdrop_covers_screen() {
    read_geometry "$backdrop_id" && [[ "${width}x${height}+${x}+${y}" == "${screen}+0+0" ]]
}
wait_until "$patience" backdrop_covers_screen
check "the backdrop covers the whole screen (got ${width}x${height}+${x}+${y})" \
    backdrop_covers_screen

wait_until "$patience" chart_painted
check "the backdrop is black around the chart window" backdrop_black_around_chart
check_chart_drawing "at start"

# Clicking the backdrop must not bring it over the chart: the chart takes the focus back.
xdotool mousemove --sync 5 5 click 1
chart_keeps_focus
take_screenshot
check_chart_drawing "after a click on the backdrop"

# --- 2. "Fin" ends the program. ---
xdotool mousemove --sync --window "$chart_id" 175 363 click 1
ends_cleanly 'a click on "Fin"'

# --- 3. Closing the chart window through the window manager ends the program. ---
start_zelpo second-run
if wait_for_chart second-run; then
    # openbox closes whichever window holds the focus when alt+F4 arrives.
    xdotool windowactivate --sync "$chart_id" >/dev/null 2>&1
    if chart_keeps_focus; then
        xdotool key --clearmodifiers alt+F4
        ends_cleanly "openbox's close (alt+F4) on the chart window"
    else
        fail "the chart window does not keep the focus (active: $(xdotool getactivewindow 2>&1))"
    fi
fi

# --- 4. Starting and ending writes no patient file. ---
stray=$(find "$work" -iname '*.crv' -print)
check "starting and ending created no patient file${stray:+ (found: $stray)}" test -z "$stray"

# --- 5. At scale 1.5 openbox offers no minimize, maximize or resize and no dark rule crosses the
# foot of the left panel; without a window manager the backdrop still covers the screen. ---
allowed() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null; }
fixed() { [[ "$(allowed "$1")" == *CLOSE* && ! "$(allowed "$1")" =~ MINIMIZE|MAXIMIZE|RESIZE ]]; }
QT_SCALE_FACTOR=1.5 start_zelpo scaled-run
if wait_for_chart scaled-run && wait_until "$patience" chart_painted; then
    check "openbox offers the chart window no minimize, maximize or resize" fixed "$chart_id"
    dark_rows=$(for y in $(seq 640 660); do on_chart black 30 "$y" 287 1 && echo -n "$y "; done)
    check "no dark rule crosses the left panel at scale 1.5 (dark rows: ${dark_rows:-none})" \
        test -z "$dark_rows"
    click_on_chart 81 547 # "?", scaled
    wait_for_box "Información" || fail "\"?\" showed no help (open: $(open_boxes))"
    check "openbox offers the message box no minimize" fixed "$(xdotool getactivewindow)"
    xdotool key --clearmodifiers Return
    wait_until "$patience" no_box_open && click_on_chart 262 545 # "Fin", scaled
    ends_cleanly '"Fin" at scale 1.5'
fi
stop "$openbox_pid"
openbox_pid=""
start_zelpo bare-run
wait_until "$patience" find_windows && wait_until "$patience" backdrop_covers_screen
check "without a window manager the backdrop covers the screen (got ${width}x${height}+${x}+${y})" \
    backdrop_covers_screen
click_on_chart 175 363
ends_cleanly '"Fin" without a window manager'

x_session_finish

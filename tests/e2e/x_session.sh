# shellcheck shell=bash disable=SC2034 # the names set here are read by the sourcing scripts
# Shared by the end-to-end scripts (sourced, not run): a private X server at 96 dpi with openbox,
# isolated from the user's settings; the program copied into a temporary installation folder and
# started from another directory; finding its windows; real pointer and keyboard input; and
# screenshots read back pixel by pixel.
#
# A script sources this file, calls require_program <zelpo>, x_session_start (which ends the
# script if the display cannot be had) and install_program <zelpo>, does its work with the
# helpers below and ends with x_session_finish. Everything started here is ended on exit; the temporary folder with its
# screenshots and logs is kept when a check failed.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private_display.sh"

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

readonly expected_screen="1280x1024"
readonly chart_width=627 chart_height=460

# require_program <path>: the tools the session needs are installed and the program exists.
require_program() {
    local tool
    for tool in Xvfb xdpyinfo openbox xprop xwininfo xdotool import convert awk; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "FAIL - $tool is missing: install the test packages with scripts/setup.sh --tests"
            exit 1
        fi
    done
    if [[ ! -x "$1" ]]; then
        echo "FAIL - no program to run at $1"
        exit 1
    fi
}

zelpo_pid=""
x_session_cleanup() {
    stop "$zelpo_pid"
    private_display_stop
    if ((failures == 0)); then
        rm -rf "$work"
    else
        echo "Screenshots and logs kept in $work"
    fi
}

# x_session_start: sets work, install_dir and elsewhere (the folder the program is started
# from), DISPLAY, screen, screen_width and screen_height.
x_session_start() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-e2e.XXXXXX")
    install_dir="$work/installation"
    elsewhere="$work/elsewhere"
    mkdir -p "$install_dir" "$elsewhere"
    trap x_session_cleanup EXIT
    trap 'fail "interrupted"; exit 1' INT TERM
    if ! private_display_start "$work" "$expected_screen"; then
        fail "$display_problem"
        exit 1
    fi
    screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
    screen_width=${screen%x*} screen_height=${screen#*x}

    echo "# X server $DISPLAY ($screen) with openbox"
}

# x_session_finish: the summary line and the script's exit status.
x_session_finish() {
    if ((failures > 0)); then
        echo "# $failures check(s) failed"
        exit 1
    fi
    echo "# all checks passed"
    exit 0
}

# --- The program. ---
install_program() { cp "$1" "$install_dir/zelpo"; }

start_zelpo() { # start_zelpo <log name>
    (cd "$elsewhere" && exec "$install_dir/zelpo") >"$work/$1.log" 2>&1 &
    zelpo_pid=$!
}

# Sets chart_id and backdrop_id once both windows are visible; the chart is the small one.
# Call it while no message box is open: a box is a small window of the program too.
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

# centred_off <client position> <client size> <frame before> <frame after> <screen size>: how far
# a window's outer frame stands off the screen's centre, doubled so that half pixels stay whole.
centred_off() {
    local off=$((2 * ($1 - $3) - ($5 - $2 - $3 - $4)))
    echo "${off#-}"
}

# The window manager has framed the chart and the program has centred it by its outer frame, as
# it does once it learns the frame's size; it moves no more after that. Within a pixel, or two at
# a screen scale whose logical pixels are not whole device pixels.
chart_settled() {
    local left right top bottom
    read -r left right top bottom < <(xprop -id "$chart_id" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/.*= *//p' | tr -d ,)
    [[ -n "$bottom" ]] && read_geometry "$chart_id" || return 1
    (($(centred_off "$x" "$width" "$left" "$right" "$screen_width") <= 4 &&
        $(centred_off "$y" "$height" "$top" "$bottom" "$screen_height") <= 4))
}

# wait_for_chart <log name>: both windows shown and the chart framed and centred; sets chart_x
# and chart_y (the client area's top-left corner on the screen). Reports and fails otherwise.
wait_for_chart() {
    if ! wait_until "$patience" find_windows; then
        fail "the chart window and the backdrop did not both appear within $patience s (see $work/$1.log)"
        take_screenshot
        local id
        for id in $(xdotool search --class zelpo 2>/dev/null); do
            echo "#   window $id: $(xwininfo -id "$id" | awk '/Map State|Width|Height|Absolute/ { printf "%s ", $0 }')"
        done
        # Each thread's state and processor ticks tell one stuck waiting from one starved.
        process_ended "$zelpo_pid" && echo "#   the program had ended" ||
            echo "#   its threads (state utime stime): $(sed 's/.*) //' /proc/"$zelpo_pid"/task/*/stat |
                awk '{ printf "[%s %s %s] ", $1, $12, $13 }')"
        sed 's/^/#   log: /' "$work/$1.log" | tail -n 20
        stop "$zelpo_pid"
        zelpo_pid=""
        return 1
    fi
    if ! wait_until "$patience" chart_settled; then
        fail "the window manager did not frame the chart window, or the program did not centre it by its frame"
        return 1
    fi
    chart_x=$x chart_y=$y
}

chart_active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$chart_id" ]]; }

# window_manager_caught_up: returns once openbox has handled every input and request sent before
# it, as it handles them in turn: it is asked to change the number of desktops, and that is seen.
window_manager_caught_up() {
    local desktops
    desktops=$(xprop -root _NET_NUMBER_OF_DESKTOPS 2>/dev/null | sed -n 's/.*= *//p')
    desktops=$((desktops == 4 ? 5 : 4))
    xdotool set_num_desktops "$desktops" &&
        wait_until "$patience" eval "xprop -root _NET_NUMBER_OF_DESKTOPS | grep -q '= $desktops\$'"
}

# chart_keeps_focus: the chart holds the focus once openbox has handled what came before (a click,
# a window closed): when openbox gave the focus to the backdrop, the program takes it back.
chart_keeps_focus() { window_manager_caught_up && wait_until "$patience" chart_active; }

process_ended() { # a reaped or zombie process counts as ended
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z "$state" || "$state" == Z ]]
}

# ends_cleanly <what was done>: the program ends, with status 0.
ends_cleanly() {
    local status
    if wait_until "$patience" process_ended "$zelpo_pid"; then
        wait "$zelpo_pid"
        status=$?
        zelpo_pid=""
        check "$1 ends the program with status 0 (got $status)" test "$status" -eq 0
    else
        fail "$1 leaves the program running after $patience s"
        stop "$zelpo_pid"
        zelpo_pid=""
    fi
}

# --- Input on the chart window, in its client coordinates. ---
# The pointer must really move: xdotool's --sync waits for motion, and a move onto the place
# where the pointer already is would stall it for many seconds.
click_on_chart() { # click_on_chart <cx> <cy>
    xdotool mousemove --sync --window "$chart_id" "$1" "$2" click 1
}
point_on_chart() { # point_on_chart <cx> <cy>
    xdotool mousemove --sync --window "$chart_id" "$1" "$2"
}

# Message boxes are windows of their own, found by their title.
# wait_for_box <title>: a visible window has exactly that title and holds the focus, so that keys
# reach it.
wait_for_box() { wait_until "$patience" box_has_focus "$1"; }
box_has_focus() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [[ "$(xdotool getactivewindow 2>/dev/null)" == "$id" ]] && return 0
    done
    return 1
}
# The titles of the program's visible windows other than the chart and the backdrop, for
# telling what showed up instead of an expected box.
open_boxes() {
    local id names=""
    for id in $(xdotool search --onlyvisible --class zelpo 2>/dev/null); do
        [[ "$id" == "$chart_id" || "$id" == "$backdrop_id" ]] && continue
        names+="\"$(xdotool getwindowname "$id" 2>/dev/null)\" "
    done
    echo "${names:-none}"
}
no_box_open() { [[ "$(open_boxes)" == none ]]; }

# --- Screenshots and pixels. ---
shot_number=0
take_screenshot() { # sets shot, a picture of the whole screen
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

# Colour tests on the 8-bit channels r, g and b, for pixels_where.
readonly red_pixel='r > 200 && g < 60 && b < 60'
readonly blue_pixel='b > 150 && r < 90 && b - r > 90'
readonly dark_pixel='r < 60 && g < 60 && b < 60'
readonly white_pixel='r > 200 && g > 200 && b > 200'

# pixels_where <x> <y> <w> <h> <colour test>: prints "count centre_x centre_y" of the pixels
# of a screenshot area that pass the test, the centre (mean position, to one decimal) in the
# screenshot's coordinates; "0 -1 -1" when none does.
pixels_where() {
    convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk -v left="$1" -v top="$2" -v w="$3" "
            { r = \$1; g = \$2; b = \$3
              if ($5) { n++; sx += (NR - 1) % w; sy += int((NR - 1) / w) } }
            END { if (n) printf \"%d %.1f %.1f\\n\", n, left + sx / n, top + sy / n
                  else print \"0 -1 -1\" }"
}
# chart_pixels_where <cx> <cy> <w> <h> <colour test>: the same in chart client coordinates.
chart_pixels_where() {
    local count centre_x centre_y
    read -r count centre_x centre_y < <(pixels_where $((chart_x + $1)) $((chart_y + $2)) "$3" "$4" "$5")
    if ((count > 0)); then
        centre_x=$(awk -v v="$centre_x" -v o="$chart_x" 'BEGIN { printf "%.1f", v - o }')
        centre_y=$(awk -v v="$centre_y" -v o="$chart_y" 'BEGIN { printf "%.1f", v - o }')
    fi
    echo "$count $centre_x $centre_y"
}

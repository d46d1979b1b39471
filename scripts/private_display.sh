# shellcheck shell=bash disable=SC2034 # the names set here are read by the sourcing scripts
# Sourced, not run: a private X server at 96 dpi (Xvfb) with the openbox window manager, for the
# end-to-end tests and the benchmark. The programs started in it are isolated from the user's
# settings and screen scaling.
#
#   private_display_start <folder> [<screen size>]   sets DISPLAY, xvfb_pid and openbox_pid;
#       on failure returns 1 with the reason in display_problem (the log files stay in <folder>)
#   private_display_stop                             ends openbox and the server
#   wait_until <seconds> <command...>                polls a command until it succeeds
#   patience                                         how many seconds to wait for an event
#   stop <pid>                                       ends one process we started and reaps it
#   isolate_qt_settings <folder>                     as private_display_start, without a display

# Microseconds since the epoch, whatever the locale's decimal separator.
now_us() { echo "${EPOCHREALTIME//[.,]/}"; }

# How long a script waits for an event (a window appears, a process ends, a file is written) before
# it gives up: generous, for a machine whose processors other work keeps busy. Waiting is never
# timing: how fast the program answers is the benchmark's to measure.
patience=30

wait_until() {
    local deadline=$(($(now_us) + $1 * 1000000))
    shift
    until "$@"; do
        (($(now_us) >= deadline)) && return 1
        sleep 0.05
    done
}

stop() {
    [[ -n "$1" ]] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

xvfb_pid="" openbox_pid="" display_problem=""

# isolate_qt_settings <folder>: programs started from here on see none of the user's Qt
# settings or scaling; their settings and runtime files go to <folder>.
isolate_qt_settings() {
    mkdir -p "$1/config" "$1/runtime"
    chmod 700 "$1/runtime"
    unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
        QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
    export XDG_CONFIG_HOME="$1/config" XDG_RUNTIME_DIR="$1/runtime"
}

private_display_start() {
    local folder=$1 size=${2:-1280x1024}
    isolate_qt_settings "$folder"
    export QT_QPA_PLATFORM=xcb

    # -displayfd picks a free display number, so parallel sessions never meet; -noreset keeps
    # the server alive when the last client disconnects between two starts of a program.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset \
        3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if ! wait_until "$patience" _display_known "$folder"; then
        display_problem="Xvfb did not start (see $folder/xvfb.log)"
        return 1
    fi
    DISPLAY=":$(head -n1 "$folder/display")"
    export DISPLAY
    if ! wait_until "$patience" eval 'xdpyinfo >/dev/null 2>&1'; then
        display_problem="Xvfb on $DISPLAY does not answer"
        return 1
    fi
    openbox >"$folder/openbox.log" 2>&1 &
    openbox_pid=$!
    if ! wait_until "$patience" _window_manager_running; then
        display_problem="openbox did not start (see $folder/openbox.log)"
        return 1
    fi
}

private_display_stop() {
    stop "$openbox_pid"
    stop "$xvfb_pid"
    openbox_pid="" xvfb_pid=""
}

_display_known() { [[ -s "$1/display" ]] && grep -q '^[0-9]' "$1/display"; }
_window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

#!/usr/bin/env bash
# Makes the README's picture of the chart window: a girl's stored history of eight weighings
# over her first two years, loaded by her history number, with the pointer over the chart so
# that the cross-hair and the readout show. Runs in the same private X session as the
# end-to-end tests.
#
# Usage: make_screenshot.sh <path to the built zelpo program> <output.png> [<page.png>]
#   e.g. tests/e2e/make_screenshot.sh build/app/zelpo docs/zelpo.png
# <page.png>: the saved PDF's page (zelpo-page.png beside <output.png> unless given). Beside
# <output.png> also go the chart with a marker's tooltip (zelpo-tooltip.png), the stored
# weighings exported for spreadsheets (zelpo-medidas.csv), the list of the folder's children
# (zelpo-ninos.png) and the chart window in the view of the first two years, Ctrl+2
# (zelpo-two-years.png).
set -uo pipefail

program=${1:?usage: make_screenshot.sh <path to zelpo> <output.png>}
output=${2:?usage: make_screenshot.sh <path to zelpo> <output.png>}
output=$(realpath -m "$output")
page_output=$(realpath -m "${3:-$(dirname "$output")/zelpo-page.png}")
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_program "$program"
x_session_start
install_program "$program"

# Born on 18/03/2023, weighed at two weeks, at two, four, six, nine and twelve months, at a
# year and a half and at two years, growing along the middle of the girls' curves.
printf '"%s"\r\n' 18/03/2023 \
    01/04/20230000003600 20/05/20230000005100 19/07/20230000006400 18/09/20230000007300 \
    18/12/20230000008300 19/03/20240000009000 18/09/20240000010300 18/03/20250000011600 \
    >"$install_dir/0001027M.CRV"
# Beside her in the folder, for the list of its children: a boy whose last weighing was struck
# out, a girl born at 30+2 and a girl at term.
printf '"%s"\r\n' 29/10/2022 28/04/20240000010800 28/10/20240000013100 20/05/20250000001200 \
    >"$install_dir/0000052V.CRV"
printf '"A|0003|20/05/20250000001200|21/05/2025|error de tipeo"\r\n' >"$install_dir/0000052V.COR"
printf '"%s"\r\n' 01/01/2025 11/04/20250000002500 >"$install_dir/0002025M.CRV"
printf '"G|0000|01/01/2025|12/04/2025|30+2"\r\n' >"$install_dir/0002025M.COR"
printf '"%s"\r\n' 14/02/2021 03/03/20210000003950 14/02/20220000009800 >"$install_dir/0004711M.CRV"

start_zelpo screenshot
wait_for_chart screenshot || exit 1
click_on_chart 108 236 # "Mujer"
click_on_chart 143 216 # the history-number box
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 1027
xdotool key --clearmodifiers Tab
if ! wait_for_box "Información"; then
    fail "the stored history was not announced (open: $(open_boxes))"
    exit 1
fi
xdotool key --clearmodifiers Return
wait_until "$patience" no_box_open

# Eight markers show as red on the chart's side of the window.
history_shown() {
    take_screenshot
    (($(chart_pixels_where 200 0 427 460 "$red_pixel" | awk '{ print $1 }') >= 8 * 20))
}
if ! wait_until "$patience" history_shown; then
    fail "the eight stored weighings did not appear on the chart"
    exit 1
fi

# The pointer a little above the curve at two years and two months.
point_on_chart 362 236
readout_shown() {
    take_screenshot
    (($(chart_pixels_where 226 14 365 13 "$white_pixel" | awk '{ print $1 }') >= 30))
}
if ! wait_until "$patience" readout_shown; then
    fail "the pointer over the chart brought no readout"
    exit 1
fi

mkdir -p "$(dirname "$output")"
if import -window "$chart_id" "$output"; then
    pass "the chart window is saved in $output"
else
    fail "the chart window could not be saved in $output"
fi

# The pointer resting on the marker at two years: its tooltip, beside the window that shows it,
# once the tooltip's window is up and its text drawn (dark on light).
tooltip_drawn() {
    local id
    for id in $(xdotool search --onlyvisible --class zelpo 2>/dev/null); do
        [[ "$id" == "$chart_id" || "$id" == "$backdrop_id" ]] && continue
        read_geometry "$id" && take_screenshot &&
            region "$x" "$y" "$width" "$height" | awk '{ exit !($1 < 0.3 && $2 > 0.7) }' && return 0
    done
    return 1
}
point_on_chart 348 259
check "resting on a marker shows its tooltip" wait_until "$patience" tooltip_drawn
tooltip_output="$(dirname "$output")/zelpo-tooltip.png"
check "the chart with a marker's tooltip is saved in $tooltip_output" \
    convert "$shot" -crop "600x300+$((chart_x + 200))+$((chart_y + 120))" +repage "$tooltip_output"

# The stored weighings exported with Ctrl+Shift+E.
csv_output="$(dirname "$output")/zelpo-medidas.csv"
rm -f "$csv_output"
xdotool key --clearmodifiers ctrl+shift+e
wait_for_box "Exportar las medidas" && xdotool key --clearmodifiers ctrl+a &&
    xdotool type --delay 20 "$csv_output" && xdotool key --clearmodifiers Return
check "the stored weighings are exported to $csv_output" wait_until "$patience" test -s "$csv_output"
chart_keeps_focus

# The same history saved as a PDF with Ctrl+S, its page rendered for the README.
xdotool key --clearmodifiers ctrl+s
wait_for_box "Guardar el gr.*fico como PDF" && xdotool key --clearmodifiers ctrl+a &&
    xdotool type --delay 20 "$work/zelpo.pdf" && xdotool key --clearmodifiers Return
check "the page of the saved PDF is rendered in $page_output" eval 'wait_until "$patience" test -s \
    "$work/zelpo.pdf" && pdftoppm -r 75 -png -singlefile "$work/zelpo.pdf" "${page_output%.png}"'
chart_keeps_focus

# The list of the folder's children, opened with Ctrl+Shift+L once its rows are drawn.
list_output="$(dirname "$output")/zelpo-ninos.png"
list_drawn() { # the list window holds the focus and its rows show as dark text on light
    local id
    id=$(xdotool getactivewindow 2>/dev/null) &&
        [[ "$(xdotool getwindowname "$id")" =~ ^Ni.*os\ de\ la\ carpeta ]] &&
        import -window "$id" "$work/list.png" &&
        (($(convert "$work/list.png" -crop 60%x50%+0+60 +repage -threshold 50% -negate \
            -format '%[fx:int(mean*w*h)]' info:) >= 400))
}
xdotool key --clearmodifiers ctrl+shift+l
if wait_until "$patience" list_drawn; then
    check "the list of the folder's children is saved in $list_output" cp "$work/list.png" "$list_output"
else
    fail "Ctrl+Shift+L showed no list of the folder's children (open: $(open_boxes))"
fi
xdotool key --clearmodifiers Escape
chart_keeps_focus

# The first two years, Ctrl+2: the caption above the status line names the view and the weighing
# at two years and a day that it leaves out; the pointer over the chart reads the view's scales.
two_years_output="$(dirname "$output")/zelpo-two-years.png"
point_on_chart 614 446 # the bare window: the readout goes
xdotool key --clearmodifiers ctrl+2
caption_shown() {
    take_screenshot
    (($(chart_pixels_where 226 1 365 13 "$dark_pixel" | awk '{ print $1 }') >= 30))
}
check "Ctrl+2 shows the view of the first two years" wait_until "$patience" caption_shown
point_on_chart 470 150
check "the pointer over the first two years brings the readout" \
    wait_until "$patience" readout_shown
check "the chart window in the first two years is saved in $two_years_output" \
    import -window "$chart_id" "$two_years_output"
xdotool key --clearmodifiers ctrl+2
click_on_chart 175 363 # "Fin"
ends_cleanly '"Fin"'
x_session_finish

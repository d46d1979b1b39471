#!/usr/bin/env bash
# The road of one weighing, as a user walks it with real mouse and keyboard input: a girl with
# history number 4711 is weighed, the weighing is stored beside the program and plotted with
# the arrow on it; at a later visit her number brings back the stored birth date and the
# marker; and the pointer over the chart shows the cross-hair and the readout. Last, by keyboard
# alone, a mistyped weighing of another girl is questioned, stored, struck out with its reason
# and stays off the chart at the next start; a girl born early, her gestational age recorded,
# is read at her corrected age; the list of the folder's children shows them all; and Ctrl+2
# shows the first two years and the whole chart again.
#
# Usage: run_e2e_weighing.sh <path to the built zelpo program>
set -uo pipefail

program=${1:?usage: run_e2e_weighing.sh <path to zelpo>}
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
require_program "$program"
x_session_start
install_program "$program"

# Client-area places of the controls used here, in pixels.
readonly mujer_x=108 mujer_y=236          # "Mujer", Option1(1)
readonly history_x=143 history_y=216      # Text3
readonly history_box=(123 207 40 19)     # Text3 with its frame, which shows the focus
readonly birth_box=(47 276 79 20)        # Text2, the birth-date box, the same
readonly weight_x=86 weight_y=334         # Text1
readonly graficar_x=84 graficar_y=363     # "Graficar", Command1
readonly fin_x=175 fin_y=363              # "Fin", Command3
readonly bare_x=614 bare_y=446            # the window's own surface, below right of the chart
readonly panel_x=25 panel_y=420           # the picture on the left, Image1
# The chart frame: left, top, width and height; six years across, 30 kg up.
readonly frame_left=227 frame_top=29 frame_width=363 frame_height=375
readonly status_strip=(226 14 365 13) # the readout label Label5, black with white text
# Right of the left panel, whose bears wear red and blue: the chart picture and its margins.
readonly chart_side=(200 0 427 460)

readonly weight=3950 later_weight=12000 patient_file="0004711M.CRV"

# --- The dates: the program's today is the machine's. ---
day_seconds() { date -u -d "$1" +%s; } # day_seconds <yyyy-mm-dd>
today_seconds=$(day_seconds "$(date +%F)")
birth_date="14/02/2021"
age=$(((today_seconds - $(day_seconds 2021-02-14)) / 86400))
if ((age > 2190)); then
    # Past six years the marker would lie right of the frame, off the window's edge: a younger
    # child keeps it inside.
    age=400
    birth_date=$(date -u -d "@$((today_seconds - age * 86400))" +%d/%m/%Y)
fi
echo "# birth date $birth_date, $age days old today ($(date +%d/%m/%Y))"

# --- What the screen shows. ---
count_of() { awk '{ print $1 }'; }

# The ages and weights the frame spans in the view shown: the whole chart, or the first two years.
view_days=2190 view_grams=30000
# marker_centre <age in days> <grams>: where the chart puts the centre of that weighing.
marker_centre() {
    awk -v age="$1" -v grams="$2" -v l=$frame_left -v t=$frame_top -v w=$frame_width \
        -v h=$frame_height -v days=$view_days -v span=$view_grams \
        'BEGIN { printf "%.1f %.1f", l + age * w / days, t + h - grams * h / span }'
}
# red_near <age> <grams>: "count centre_x centre_y" of the red within 10 px of that weighing.
red_near() {
    local expected_x expected_y
    read -r expected_x expected_y < <(marker_centre "$1" "$2")
    chart_pixels_where $((${expected_x%.*} - 10)) $((${expected_y%.*} - 10)) 21 21 "$red_pixel"
}
marker_shown() { # marker_shown <age> <grams>: takes a screenshot; enough red where it belongs
    take_screenshot
    (($(red_near "$1" "$2" | count_of) >= 20))
}
red_on_chart() { chart_pixels_where "${chart_side[@]}" "$red_pixel" | count_of; }
blue_on_chart() { chart_pixels_where "${chart_side[@]}" "$blue_pixel" | count_of; }
near() { awk -v v="$1" -v e="$2" -v t="$3" 'BEGIN { d = v - e; exit !(d <= t && d >= -t) }'; }

# check_marker <when> <age> <grams>: a red marker, centred where the weighing belongs; adds
# its red to marker_red.
marker_red=0
check_marker() {
    local expected_x expected_y count centre_x centre_y
    read -r expected_x expected_y < <(marker_centre "$2" "$3")
    read -r count centre_x centre_y < <(red_near "$2" "$3")
    check "$1: a red marker of $count pixels lies within 10 px of ($expected_x, $expected_y)" \
        test "$count" -ge 20 -a "$count" -le 90
    check "$1: the marker's red is centred at ($centre_x, $centre_y), within 2 px of ($expected_x, $expected_y)" \
        eval "near $centre_x $expected_x 2 && near $centre_y $expected_y 2"
    marker_red=$((marker_red + count))
}
# check_only_markers <when>: no red on the chart besides the markers checked since the last
# screenshot.
check_only_markers() {
    local all
    all=$(red_on_chart)
    check "$1: no red shows on the chart but the markers ($all pixels, $marker_red in markers)" \
        test "$all" -eq "$marker_red"
    marker_red=0
}

# check_arrow <when> <age> <grams>: the blue arrow, its tip on the marker's top-left corner,
# lies below and right of the marker's centre, and no other blue shows on the chart.
check_arrow() {
    local expected_x expected_y count centre_x centre_y all
    read -r expected_x expected_y < <(marker_centre "$2" "$3")
    read -r count centre_x centre_y < <(chart_pixels_where $((${expected_x%.*} - 5)) \
        $((${expected_y%.*} - 5)) 32 32 "$blue_pixel")
    all=$(blue_on_chart)
    check "$1: the blue arrow ($count pixels) starts at the marker" test "$count" -ge 40
    check "$1: the arrow ($centre_x, $centre_y) lies below right of the marker ($expected_x, $expected_y)" \
        eval "awk -v x=$centre_x -v y=$centre_y -v ex=$expected_x -v ey=$expected_y \
            'BEGIN { exit !(x > ex + 3 && y > ey + 3) }'"
    check "$1: no other blue shows on the chart ($all pixels in all)" test "$all" -eq "$count"
}

# Dark pixels down the frame in a 3-px column around client x, and across it in a 3-px row
# around client y: a 1-px cross-hair line there makes them about the frame's height or width.
column_dark() {
    chart_pixels_where $(($1 - 1)) $((frame_top + 5)) 3 $((frame_height - 10)) "$dark_pixel" |
        count_of
}
row_dark() {
    chart_pixels_where $((frame_left + 5)) $(($1 - 1)) $((frame_width - 10)) 3 "$dark_pixel" |
        count_of
}
readonly line_down=$((frame_height - 10)) line_across=$((frame_width - 10))
strip_white() { chart_pixels_where "${status_strip[@]}" "$white_pixel" | count_of; }
readout_shown() { take_screenshot && (($(strip_white) >= 30)); }
no_red_shown() { take_screenshot && (($(red_on_chart) == 0)); }
readout_empty() { take_screenshot && (($(strip_white) == 0)); }
# focused <x> <y> <w> <h>: takes a screenshot; the box's frame shows the focus's blue all round.
focused() {
    take_screenshot
    (($(chart_pixels_where "$@" "$blue_pixel" | count_of) >= $3 + $4))
}
# The girls' chart shows: its pink curves and figures, of which the boys' has none.
readonly pink_pixel='r > 150 && r - b > 60 && g < 150'
girls_chart_shown() {
    take_screenshot
    (($(chart_pixels_where "${chart_side[@]}" "$pink_pixel" | count_of) >= 300))
}

# --- Input. ---
# answer_box <title> <key> <what for>: waits for a message box of that title and answers it.
# A weighing stored with something to review brings the notice "Para revisar" next: it is counted
# in review_notices and closed, so that a store's answer leaves no box open either way.
review_notices=0
no_box_but_review_notice() { no_box_open || box_has_focus "Para revisar"; }
answer_box() {
    if wait_for_box "$1"; then
        pass "the box \"$1\" appears $3"
        xdotool key --clearmodifiers "$2"
        wait_until "$patience" no_box_but_review_notice
        if [[ "$1" != "Para revisar" ]] && box_has_focus "Para revisar"; then
            review_notices=$((review_notices + 1))
            xdotool key --clearmodifiers Return
        fi
        if ! wait_until "$patience" no_box_open; then
            fail "the box \"$1\" is still open after $2 (open: $(open_boxes))"
            return 1
        fi
    else
        fail "no box \"$1\" appeared $3 (open: $(open_boxes))"
        return 1
    fi
}

# answer_doubt <when>: a weighing far off the curves or from the last one is asked about first,
# No the default; Alt+S answers Sí, and the store question follows.
answer_doubt() {
    if wait_for_box Zelpo; then
        pass "the question about a weighing that may be mistyped appears $1"
        xdotool key --clearmodifiers alt+s
    else
        fail "no question about the weighing appeared $1 (open: $(open_boxes))"
    fi
}

# enter_history_number <number>: types it over whatever Text3 holds, once the click has put the
# focus there, and leaves the box.
enter_history_number() {
    click_on_chart $history_x $history_y
    wait_until "$patience" focused "${history_box[@]}"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key --clearmodifiers Tab
}

file_bytes() { od -An -c "$1" | tr -s ' ' | tr -d '\n'; }

# --- 1. The first visit: a weighing stored and plotted. ---
start_zelpo first-visit
wait_for_chart first-visit || exit 1

click_on_chart $mujer_x $mujer_y
enter_history_number 4711
check "leaving the history-number box with no stored file puts the focus in the birth-date box" \
    wait_until "$patience" focused "${birth_box[@]}"
check "leaving the history-number box with no stored file opens no box (open: $(open_boxes))" \
    no_box_open
take_screenshot
check "before any weighing no red shows on the chart" test "$(red_on_chart)" -eq 0
check "before any weighing the arrow is hidden" test "$(blue_on_chart)" -eq 0

# The focus sits in the emptied birth-date box: the date is typed without a click.
xdotool type --delay 20 "$birth_date"
click_on_chart $weight_x $weight_y
xdotool type --delay 20 "$weight"
today_before=$(date +%d/%m/%Y)
click_on_chart $graficar_x $graficar_y
answer_doubt 'for 3950 g at this age'
answer_box Pregunta Return 'on "Graficar" with a birth date and a weight'
today_after=$(date +%d/%m/%Y)

# A weighing at midnight may carry either day's date.
expected="$work/expected.crv"
for today in "$today_after" "$today_before"; do
    printf '"%s"\r\n"%s%010d"\r\n' "$birth_date" "$today" "$weight" >"$expected"
    cmp -s "$expected" "$install_dir/$patient_file" && break
done
stored="$install_dir/$patient_file"
check "\"Sí\" stores $patient_file in the installation folder" test -f "$stored"
check "the stored bytes are the birth-date record and the weighing of today, $today (got: $(file_bytes "$stored" 2>/dev/null))" \
    cmp -s "$expected" "$stored"
stray=$(find "$elsewhere" -iname '*.crv' -print)
check "no patient file lands in the working directory${stray:+ (found: $stray)}" test -z "$stray"

wait_until "$patience" marker_shown "$age" "$weight"
check_marker "after the store" "$age" "$weight"
check_only_markers "after the store"
check_arrow "after the store" "$age" "$weight"

click_on_chart $fin_x $fin_y
ends_cleanly '"Fin" after the first visit'

# --- 2. The later visit: the number brings the history back. ---
start_zelpo later-visit
wait_for_chart later-visit || exit 1

click_on_chart $mujer_x $mujer_y
check "clicking \"Mujer\" with the history number 0 shows the girls' chart" \
    wait_until "$patience" girls_chart_shown
check "clicking \"Mujer\" with the history number 0 opens no box (open: $(open_boxes))" no_box_open
enter_history_number 4711
answer_box "Información" Return "on leaving the history-number box with 4711 and \"Mujer\""
wait_until "$patience" marker_shown "$age" "$weight"
check_marker "after loading" "$age" "$weight"
check_only_markers "after loading"
check "after loading the arrow stays hidden" test "$(blue_on_chart)" -eq 0
check "after loading the readout strip is empty" test "$(strip_white)" -eq 0
check "loading leaves the patient file's bytes as they were" cmp -s "$expected" "$stored"

# A weighing plotted without storing lands at the age counted from the birth date that the load
# put back into the birth-date box: its place shows the date was restored.
click_on_chart $weight_x $weight_y
xdotool type --delay 20 "$later_weight"
click_on_chart $graficar_x $graficar_y
answer_doubt 'for three times the stored weight on the same day'
answer_box Pregunta Escape 'on "Graficar" at the later visit'
wait_until "$patience" marker_shown "$age" "$later_weight"
check_marker "a weighing plotted after loading" "$age" "$later_weight"
check_marker "beside it, the stored weighing" "$age" "$weight"
check_only_markers "after plotting at the later visit"
check_arrow "after plotting at the later visit" "$age" "$later_weight"
check "answering No adds no byte to the patient file" cmp -s "$expected" "$stored"

# --- A pipe under a patient file's name is never waited on: refused, and the window answers.
mkfifo "$install_dir/0000303M.CRV"
enter_history_number 303
answer_box Zelpo Return "on loading 303, a pipe, which is no patient file"
xdotool type --delay 20 "$birth_date" && click_on_chart $weight_x $weight_y
xdotool type --delay 20 "$weight" && click_on_chart $graficar_x $graficar_y
answer_doubt 'before storing into the pipe'
wait_for_box Pregunta && xdotool key --clearmodifiers Return
answer_box Error Return "on storing into the pipe 0000303M.CRV"
check "the pipe is left a pipe" test -p "$install_dir/0000303M.CRV"
enter_history_number 4711 && answer_box "Información" Return "on loading 4711 again"

# --- 3. The pointer over the chart: cross-hair and readout (the window still answers). ---
before_column=$(column_dark 400) before_row=$(row_dark 200)
check "before the pointer comes, no line runs down x 400 ($before_column dark pixels) or across y 200 ($before_row)" \
    test "$before_column" -lt 20 -a "$before_row" -lt 20

# hover_checks <cx> <cy> [<earlier cx> <earlier cy>]
# The readout may still show the last place: the wait is for the line down the new one.
line_down_at() { readout_shown && (($(column_dark "$1") >= line_down - 5)); }
hover_checks() {
    point_on_chart "$1" "$2"
    wait_until "$patience" line_down_at "$1"
    local down across white
    down=$(column_dark "$1") across=$(row_dark "$2") white=$(strip_white)
    check "pointer at ($1, $2): a black line runs down the frame ($down of $line_down px dark)" \
        test "$down" -ge $((line_down - 5)) -a "$down" -le $((line_down * 3 / 2))
    check "pointer at ($1, $2): a black line runs across the frame ($across of $line_across px dark)" \
        test "$across" -ge $((line_across - 5)) -a "$across" -le $((line_across * 3 / 2))
    check "pointer at ($1, $2): the readout strip shows white text ($white pixels)" \
        test "$white" -ge 30
    if (($# == 4)); then
        down=$(column_dark "$3") across=$(row_dark "$4")
        check "pointer at ($1, $2): the lines left x $3 and y $4 ($down, $across dark pixels)" \
            test "$down" -lt 20 -a "$across" -lt 20
    fi
}
readout_crop() { # readout_crop <file>: the readout strip of the latest screenshot
    convert "$shot" -crop "365x13+$((chart_x + 226))+$((chart_y + 14))" +repage "$1"
}
hover_checks 400 200
readout_crop "$work/readout-1.png"
hover_checks 300 320 400 200
readout_crop "$work/readout-2.png"
changed=$(compare -metric AE "$work/readout-1.png" "$work/readout-2.png" null: 2>&1)
check "the readout's text changes as the pointer moves ($changed pixels differ)" \
    test "${changed%%[!0-9]*}" -gt 0

# Over the window's bare surface, and over the left panel, the cross-hair and the readout go.
hidden_checks() { # hidden_checks <cx> <cy> <where>
    point_on_chart "$1" "$2"
    wait_until "$patience" readout_empty
    check "$3: the cross-hair is hidden" \
        test "$(column_dark 300)" -lt 20 -a "$(row_dark 320)" -lt 20
    check "$3: the readout strip is empty" test "$(strip_white)" -eq 0
}
hidden_checks $bare_x $bare_y "over the bare window"
hover_checks 300 320
hidden_checks $panel_x $panel_y "over the left panel"

# --- 4. Ctrl+S saves the chart as a PDF where a path typed into the dialog says. ---
pdf="$work/mis datos/niña ñ.pdf"
mkdir -p "$(dirname "$pdf")"
xdotool key --clearmodifiers ctrl+s
if wait_for_box "Guardar el gr.*fico como PDF"; then
    xdotool key --clearmodifiers ctrl+a
    # On a Spanish keyboard "ñ" has a key of its own: xdotool need not lend it one for the
    # moment of typing, which the program may not yet know of when the key arrives. The program
    # hears of the new layout before the keys typed after it, and reads it then: the layout stays
    # until the PDF is written, when the program has read every key.
    setxkbmap -layout es
    xdotool type --delay 20 "$pdf"
    xdotool key --clearmodifiers Return
    wait_until "$patience" test -s "$pdf"
    setxkbmap -layout us
    check "Ctrl+S and the typed path \"$pdf\" write the PDF there" test -s "$pdf"
    check "the PDF is the chart's page" eval 'pdftotext "$pdf" - | grep -q "GRAFICO DE ZELPO"'
else
    fail "Ctrl+S opened no save dialog (open: $(open_boxes))"
fi
# The chart window has the focus back before it is clicked again.
chart_keeps_focus

# --- 5. No PDF replaces a patient file, even when Qt's dialog is told to replace it. ---
# other_box_has_focus <title> <id>: a window of that title other than <id> holds the focus.
other_box_has_focus() {
    local active
    active=$(xdotool getactivewindow 2>/dev/null)
    [[ "$active" != "$2" && "$(xdotool getwindowname "$active" 2>/dev/null)" =~ ^$1$ ]]
}
xdotool key --clearmodifiers ctrl+s
if wait_for_box "Guardar el gr.*fico como PDF"; then
    dialog_id=$(xdotool getactivewindow)
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$stored"
    xdotool key --clearmodifiers Return
    if wait_until "$patience" other_box_has_focus "Guardar el gr.*fico como PDF" "$dialog_id"; then
        xdotool key --clearmodifiers alt+s # "Sí": replace it
        answer_box Zelpo Return "refusing the PDF over $patient_file after \"Sí\""
    else
        fail "Qt did not ask whether to replace $patient_file (open: $(open_boxes))"
    fi
else
    fail "Ctrl+S opened no save dialog (open: $(open_boxes))"
fi
check "the patient file is left byte for byte" cmp -s "$expected" "$stored"
chart_keeps_focus

# --- 6. Ctrl+Shift+E exports the stored weighings as a spreadsheet reads them. ---
read_back_csv() { # read_back_csv <file> <history> <birth date> <weighing date> <days> <grams> <state>
    python3 - "$@" <<'PYTHON'
import csv, re, sys
path, number, birth, date, days, grams, status = sys.argv[1:]
with open(path, newline="", encoding="utf-8-sig") as f:
    rows = list(csv.reader(f, delimiter=";"))
assert rows[0] == ["Historia", "Sexo", "Nacimiento", "Fecha", "Días", "Meses", "Gramos",
                   "Percentil", "g/día", "Estado", "Para revisar"], rows[0]
assert len(rows) == 2, rows
history, sex, born, on, age, months, weight, band, gain, state, review = rows[1]
assert (history, sex, born, on, age, weight, gain, state) == (number, "Mujer", birth, date,
                                                              days, grams, "", status), rows[1]
assert int(months) == int(int(days) / 30.41) and re.fullmatch("[<>] P\\d+|P\\d+(–P\\d+)?", band), rows[1]
# A lone weighing is only to review below the lowest line, and one struck out never.
assert review == ("por debajo de P3" if band == "< P3" and not state else ""), rows[1]
PYTHON
}
# export_csv <file> <what> <check> <the check's arguments after the file>: Ctrl+Shift+E, the
# typed path, and the check of what was written there.
export_csv() {
    xdotool key --clearmodifiers ctrl+shift+e
    if wait_for_box "Exportar las medidas"; then
        xdotool key --clearmodifiers ctrl+a
        xdotool type --delay 20 "$1"
        xdotool key --clearmodifiers Return
        wait_until "$patience" test -s "$1"
        check "$2 ($(tail -n 1 "$1" 2>/dev/null | tr -d '\r'))" "$3" "$1" "${@:4}"
    else
        fail "Ctrl+Shift+E opened no save dialog (open: $(open_boxes))"
    fi
    chart_keeps_focus
}
export_csv "$work/medidas.csv" "Ctrl+Shift+E writes a spreadsheet that Python's csv module reads back as the stored weighing" \
    read_back_csv 0004711 "$birth_date" "$today" "$age" "$weight" ""

click_on_chart $fin_x $fin_y
ends_cleanly '"Fin" after the later visit'

check "the patient file still holds exactly the first visit's bytes" cmp -s "$expected" "$stored"

# --- 7. A mistyped weighing, by keyboard alone: questioned, stored on Sí, then struck out with
# its reason in the file beside the patient file, which keeps every byte. ---
readonly slip=1200 slip_age=731 slip_file="$install_dir/0001027M.CRV"
slip_birth=$(date -u -d "@$((today_seconds - slip_age * 86400))" +%d/%m/%Y)
# open_girl <number> <log name>: a fresh start; the focus starts in the history-number box. Leaving
# it loads the boy of that number, who has no file, so the focus goes to the birth-date box;
# Shift+Tab reaches "Varón" and Left chooses "Mujer", which loads her and shows the girls' chart.
open_girl() {
    start_zelpo "$2"
    wait_for_chart "$2" || exit 1
    chart_keeps_focus
    xdotool key --clearmodifiers ctrl+a && xdotool type --delay 20 "$1"
    xdotool key --clearmodifiers Tab
    wait_until "$patience" focused "${birth_box[@]}"
    xdotool key --clearmodifiers shift+Tab Left
    wait_until "$patience" girls_chart_shown
}
open_girl 1027 slip
# The focus stays on "Mujer"; Tab passes the unchosen "Varón" for the birth-date box.
xdotool key --clearmodifiers Tab
wait_until "$patience" focused "${birth_box[@]}"
xdotool type --delay 20 "$slip_birth" && xdotool key --clearmodifiers Tab
xdotool type --delay 20 "$slip" && xdotool key --clearmodifiers Return
# No, the default, stores nothing and leaves the focus in the weight box: Return asks again.
answer_box Zelpo Return "for $slip g at $slip_age days"
check "No to the question stores nothing" test ! -e "$slip_file"
xdotool key --clearmodifiers Return
answer_doubt "again for $slip g"
answer_box Pregunta Return "after Sí to the question about $slip g"
printf '"%s"\r\n"%s%010d"\r\n' "$slip_birth" "$today" "$slip" >"$work/slip.crv"
check "the weighing of $slip g is stored after Sí (got: $(file_bytes "$slip_file" 2>/dev/null))" \
    cmp -s "$work/slip.crv" "$slip_file"
check "the weighing of $slip g is plotted" wait_until "$patience" marker_shown "$slip_age" "$slip"

xdotool key --clearmodifiers ctrl+shift+m
if wait_for_box "Medidas almacenadas .* Historia 0001027 .Mujer."; then
    pass "Ctrl+Shift+M opens \"$(xdotool getwindowname "$(xdotool getactivewindow)")\""
    dialog_id=$(xdotool getactivewindow)
    xdotool key --clearmodifiers alt+a
    if wait_for_box "Anular la medida"; then
        xdotool type --delay 20 "error de tipeo" && xdotool key --clearmodifiers Return
        check "once the reason is typed, a box \"Zelpo\" asks to confirm the strike-out" \
            wait_until "$patience" other_box_has_focus Zelpo "$dialog_id"
        xdotool key --clearmodifiers Return # Sí, the default
    else
        fail "Alt+A asked no reason (open: $(open_boxes))"
    fi
    wait_until "$patience" test -s "${slip_file%.CRV}.COR"
    wait_until "$patience" box_has_focus "Medidas almacenadas .* Historia 0001027 .Mujer." &&
        xdotool key --clearmodifiers Escape
    check "Escape closes the dialog" wait_until "$patience" no_box_open
else
    fail "Ctrl+Shift+M opened no dialog of the stored weighings (open: $(open_boxes))"
fi
printf '"A|0001|%s%010d|%s|error de tipeo"\r\n' "$today" "$slip" "$today" >"$work/slip.cor"
check_struck() { # check_struck <when> <name of the spreadsheet>
    export_csv "$work/$2.csv" "$1: the spreadsheet marks the weighing struck out" read_back_csv \
        0001027 "$slip_birth" "$today" "$slip_age" "$slip" "anulada: error de tipeo"
    wait_until "$patience" no_red_shown
    check "$1: no marker shows (red pixels: $(red_on_chart))" test "$(red_on_chart)" -eq 0
    check "$1: the patient file keeps its bytes" cmp -s "$work/slip.crv" "$slip_file"
    check "$1: 0001027M.COR holds the strike-out (got: $(file_bytes "${slip_file%.CRV}.COR" 2>/dev/null))" \
        cmp -s "$work/slip.cor" "${slip_file%.CRV}.COR"
}
check_struck "after the strike-out" struck
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window after the strike-out"

open_girl 1027 struck-again
answer_box "Información" Return "on loading 1027 with its weighing struck out"
check_struck "at the next start" struck-again
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window at the next start"

# --- 8. Corrections left without their patient file, by keyboard alone: told at the look-up, and
# the first weighing stored under that number is refused, so that they never reach a new child. ---
stray="$install_dir/0000808V.COR"
printf '"A|0001|%s0000003000|%s|de otro archivo"\r\n' "$today" "$today" | tee "$stray" >"$work/stray.cor"
start_zelpo stray
wait_for_chart stray || exit 1
chart_keeps_focus
xdotool key --clearmodifiers ctrl+a && xdotool type --delay 20 808 && xdotool key --clearmodifiers Tab
answer_box Zelpo Return "on looking up the boy 808, whose corrections stand without a patient file"
xdotool type --delay 20 "$slip_birth" && xdotool key --clearmodifiers Tab
xdotool type --delay 20 "$later_weight" && xdotool key --clearmodifiers Return
wait_for_box Pregunta && xdotool key --clearmodifiers Return
answer_box Error Return "on storing beside another file's corrections"
check "no patient file is made beside them" test ! -e "${stray%.COR}.CRV"
check "the corrections file keeps its bytes" cmp -s "$work/stray.cor" "$stray"
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window after the refused store"

# --- 9. A baby born early, by keyboard alone: her gestational age at birth, 30+2, recorded from
# the table of stored weighings, moves her markers 68 days back to her corrected age, with a
# hollow mark left where the age from birth put each; the tooltip and the spreadsheet give both
# ages, and all of it holds at the next start, the patient file keeping its bytes. ---
preterm_file="$install_dir/0002025M.CRV"
preterm_birth=$(date -u -d "@$((today_seconds - 200 * 86400))" +%d/%m/%Y)
preterm_weighed=$(date -u -d "@$((today_seconds - 100 * 86400))" +%d/%m/%Y)
printf '"%s"\r\n"%s0000002500"\r\n"%s0000006000"\r\n' "$preterm_birth" "$preterm_weighed" \
    "$today" | tee "$preterm_file" >"$work/preterm.crv"
# Reddish: the markers' colour softened on the paper, as a thin ring and line are drawn.
readonly reddish_pixel='r > 180 && r - g > 50 && r - b > 50'
open_girl_2025() { # open_girl_2025 <log name>
    open_girl 2025 "$1"
    answer_box "Información" Return "on loading the girl 2025"
}
# check_corrected <when>: her weighings at 100 and 200 days stand at 32 and 132 days, and where
# they would stand from birth there is only the hollow mark.
check_corrected() {
    marker_red=0
    wait_until "$patience" marker_shown 132 6000
    check_marker "$1: 6000 g at 200 days, corrected to 132" 132 6000
    check_marker "$1: 2500 g at 100 days, corrected to 32" 32 2500
    local age grams mark all
    all=$(red_on_chart)
    check "$1: no red shows on the chart but the markers and the thin marks of the ages from birth ($all pixels, $marker_red in markers)" \
        test $((all - marker_red)) -ge 0 -a $((all - marker_red)) -le 20
    for age_grams in "200 6000" "100 2500"; do
        read -r age grams <<<"$age_grams"
        read -r expected_x expected_y < <(marker_centre "$age" "$grams")
        mark=$(chart_pixels_where $((${expected_x%.*} - 3)) $((${expected_y%.*} - 3)) 7 7 \
            "$reddish_pixel" | count_of)
        check "$1: a hollow mark, not a marker, at $age days ($mark reddish pixels)" \
            test "$mark" -ge 3 -a "$mark" -le 30
    done
}
tooltip_width() { # the width of the tooltip's window once it is up, or nothing
    local id
    for id in $(xdotool search --onlyvisible --class zelpo 2>/dev/null); do
        [[ "$id" == "$chart_id" || "$id" == "$backdrop_id" ]] && continue
        read_geometry "$id" && echo "$width" && return 0
    done
    return 1
}
read_back_corrected_csv() { # read_back_corrected_csv <file>
    python3 - "$1" <<'PYTHON'
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    rows = list(csv.reader(f, delimiter=";"))
assert rows[0][4:8] == ["Días", "Meses", "Días corregidos", "Meses corregidos"], rows[0]
assert [row[4:9] for row in rows[1:]] == [["100", "3", "32", "1", "2500"],
                                          ["200", "6", "132", "4", "6000"]], rows
PYTHON
}
open_girl_2025 preterm
xdotool key --clearmodifiers ctrl+shift+m
if wait_for_box "Medidas almacenadas .* Historia 0002025 .Mujer."; then
    xdotool key --clearmodifiers alt+g
    if wait_for_box "Edad gestacional al nacer"; then
        xdotool key --clearmodifiers ctrl+a && xdotool type --delay 20 "30+2"
        xdotool key --clearmodifiers Return
    else
        fail "Alt+G asked for no gestational age (open: $(open_boxes))"
    fi
    wait_until "$patience" test -s "${preterm_file%.CRV}.COR"
    wait_until "$patience" box_has_focus "Medidas almacenadas .* Historia 0002025 .Mujer." &&
        xdotool key --clearmodifiers Escape
    wait_until "$patience" no_box_open
else
    fail "Ctrl+Shift+M opened no dialog of the stored weighings (open: $(open_boxes))"
fi
printf '"G|0000|%s|%s|30+2"\r\n' "$preterm_birth" "$today" >"$work/preterm.cor"
check "0002025M.COR holds the gestational age (got: $(file_bytes "${preterm_file%.CRV}.COR" 2>/dev/null))" \
    cmp -s "$work/preterm.cor" "${preterm_file%.CRV}.COR"
check_corrected "30+2 recorded"
read -r marker_x marker_y < <(marker_centre 132 6000)
point_on_chart "${marker_x%.*}" "${marker_y%.*}"
wait_until "$patience" tooltip_width >/dev/null
check "the tooltip is wide enough to name both ages ($(tooltip_width) px)" \
    test "$(tooltip_width)" -ge 420
point_on_chart $bare_x $bare_y
export_csv "$work/prematura.csv" "the spreadsheet gives the days and months from birth and corrected" \
    read_back_corrected_csv
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window after recording 30+2"
open_girl_2025 preterm-again
check_corrected "at the next start"
check "the patient file keeps its bytes" cmp -s "$work/preterm.crv" "$preterm_file"
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window at the next start"

# --- 10. Every child of the folder at a glance, by keyboard alone: Ctrl+Shift+L lists the children
# stored above as the chart reads each, the pipe and the stray corrections with why they are not
# read; the list goes out as a spreadsheet, and Enter on a girl's row opens her in the chart. ---
read_back_list() { # read_back_list <file>
    python3 - "$1" "$birth_date" "$weight" <<'PYTHON'
import csv, sys
path, birth, grams = sys.argv[1:]
with open(path, newline="", encoding="utf-8-sig") as f:
    rows = list(csv.reader(f, delimiter=";"))
assert rows[0][0].startswith("Niños de la carpeta ") and "sin terminar" not in rows[0][0], rows[0]
assert rows[1][:4] == ["Historia", "Sexo", "Nacimiento", "Edad"], rows[1]
children = {row[0]: row for row in rows[2:]}
assert sorted(children) == ["0000303", "0000808", "0001027", "0002025", "0004711"], children
assert children["0004711"][1:3] == ["Mujer", birth] and children["0004711"][5] == grams, children
assert children["0002025"][3].endswith("(corregida)") and children["0002025"][5] == "6000", children
assert children["0001027"][4:6] == ["", ""], children  # her only weighing struck out
assert "tubería" in children["0000303"][10], children
assert children["0000808"][10].startswith("El archivo de correcciones 0000808V.COR"), children
PYTHON
}
readonly list_title="Ni.*os de la carpeta .* Zelpo"
start_zelpo folder-list
wait_for_chart folder-list || exit 1
chart_keeps_focus
xdotool key --clearmodifiers ctrl+shift+l
if wait_for_box "$list_title"; then
    pass "Ctrl+Shift+L opens \"$(xdotool getwindowname "$(xdotool getactivewindow)")\""
    xdotool key --clearmodifiers alt+e
    if wait_for_box "Exportar la lista"; then
        xdotool key --clearmodifiers ctrl+a
        xdotool type --delay 20 "$work/lista.csv"
        xdotool key --clearmodifiers Return
        wait_until "$patience" test -s "$work/lista.csv"
        check "the list holds every child of the folder as the chart reads each" \
            read_back_list "$work/lista.csv"
    else
        fail "Alt+E opened no save dialog (open: $(open_boxes))"
    fi
    wait_for_box "$list_title"
    xdotool key --clearmodifiers alt+h && xdotool type --delay 20 4711
    xdotool key --clearmodifiers Return Return
    # Answered as any box, though the list stays open beside the chart.
    if wait_for_box "Información"; then
        pass "the box \"Información\" appears on Enter on the row of the girl 4711"
        xdotool key --clearmodifiers Return
    else
        fail "Enter on the row of the girl 4711 brought no box \"Información\" (open: $(open_boxes))"
    fi
    check "Enter on her row opens her in the chart window" \
        wait_until "$patience" marker_shown "$age" "$weight"
    check "the chart window is in front" wait_until "$patience" chart_active
else
    fail "Ctrl+Shift+L opened no list of the folder's children (open: $(open_boxes))"
fi
check "the list left every patient file as it was" cmp -s "$expected" "$stored"
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window beside the list"

# --- 11. The first two years, Ctrl+2: a stored history's markers stand on the view's scales, the
# weighing past two years is left out and counted in the caption above the status line, resting
# on a marker there shows its tooltip, and Ctrl+2 again shows the whole chart as it was. ---
view_day() { date -u -d "@$((today_seconds - (800 - $1) * 86400))" +%d/%m/%Y; } # <age in days>
printf '"%s"\r\n"%s0000005000"\r\n"%s0000009000"\r\n"%s0000012000"\r\n' "$(view_day 0)" \
    "$(view_day 60)" "$(view_day 365)" "$(view_day 800)" >"$install_dir/0002026M.CRV"
chart_crop() { convert "$shot" -crop "${chart_width}x${chart_height}+${chart_x}+${chart_y}" +repage "$1"; }
as_before() { take_screenshot && chart_crop "$work/now.png" &&
    [[ "$(compare -metric AE "$work/whole.png" "$work/now.png" null: 2>&1)" == 0 ]]; }
caption_shown() { (($(chart_pixels_where 226 1 365 13 "$dark_pixel" | count_of) >= 30)); }
open_girl 2026 two-years
answer_box "Información" Return "on loading the girl 2026"
point_on_chart $bare_x $bare_y
wait_until "$patience" marker_shown 800 12000 && chart_crop "$work/whole.png"
xdotool key --clearmodifiers ctrl+2
view_days=730 view_grams=16000
check "Ctrl+2 moves the markers onto the first two years" wait_until "$patience" marker_shown 365 9000
marker_red=0
check_marker "in the first two years" 365 9000
check_marker "in the first two years" 60 5000
check_only_markers "in the first two years, with the weighing at 800 days left out"
check "the caption names the view and the weighing it leaves out" caption_shown
read -r marker_x marker_y < <(marker_centre 365 9000)
point_on_chart "${marker_x%.*}" "${marker_y%.*}"
check "resting on a marker of the first two years shows its tooltip" \
    wait_until "$patience" tooltip_width
point_on_chart $bare_x $bare_y
xdotool key --clearmodifiers ctrl+2
view_days=2190 view_grams=30000
check "Ctrl+2 again shows the whole chart as it was, pixel for pixel" wait_until "$patience" as_before
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window after the first two years"

# --- 12. "Para revisar", by keyboard alone: the girl of the README's example, on P50 at birth and
# above it at a year, weighed today at two years between P3 and P10, a fall of 2.60 centile
# spaces: the notice follows the store, the spreadsheet names the fall and an amber ring lies
# around her marker. ---
readonly fall_file="$install_dir/0000031M.CRV" fall_grams=10000
fall_birth=$(date -u -d "@$((today_seconds - 730 * 86400))" +%d/%m/%Y)
fall_year=$(date -u -d "@$((today_seconds - 365 * 86400))" +%d/%m/%Y)
printf '"%s"\r\n"%s%010d"\r\n"%s%010d"\r\n' "$fall_birth" "$fall_birth" 3400 "$fall_year" 9700 \
    >"$fall_file"
open_girl 31 review
answer_box "Información" Return "on loading the girl 31"
# The focus stays on "Mujer"; Tab passes "Varón" and the birth-date box, locked on her stored
# birth date, for the weight box.
xdotool key --clearmodifiers Tab
check "Tab from \"Mujer\" passes the locked birth-date box for the weight box" \
    wait_until "$patience" focused 47 324 79 20
xdotool type --delay 20 "$fall_grams" && xdotool key --clearmodifiers Return
wait_for_box Pregunta && xdotool key --clearmodifiers Return
answer_box "Para revisar" Return "once her weighing of $fall_grams g, two centile spaces down, is stored"
amber_near() { # amber_near <age> <grams>: the amber within 12 px of that weighing
    local expected_x expected_y
    read -r expected_x expected_y < <(marker_centre "$1" "$2")
    chart_pixels_where $((${expected_x%.*} - 12)) $((${expected_y%.*} - 12)) 25 25 \
        'r > 200 && g > 130 && g < 190 && b < 60' | count_of
}
ringed() { take_screenshot && (($(amber_near 730 "$fall_grams") >= 12)); }
check "an amber ring lies around her new marker" wait_until "$patience" ringed
check "no ring lies around her weighing at a year (amber: $(amber_near 365 9700))" \
    test "$(amber_near 365 9700)" -eq 0
review_csv() { # the last field of the spreadsheet's last line names the fall
    [[ "$(tail -n 1 "$1" | tr -d '\r' | awk -F';' '{ print $NF }')" == \
        "bajó 2 espacios de percentil desde el $fall_year" ]]
}
export_csv "$work/revisar.csv" "Ctrl+Shift+E names the fall in the column \"Para revisar\"" review_csv
xdotool key --clearmodifiers alt+F4
ends_cleanly "closing the chart window after the notice"
x_session_finish

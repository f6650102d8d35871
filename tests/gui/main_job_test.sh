#!/usr/bin/env bash
# The main job done in the window with real pointer and keyboard input (XTest, through xdotool on
# the virtual display): open a project from the File menu, import the example exports from the
# Tools menu's tag import (browsing to each file as a user does), look at the rows, delete one,
# quit. The project file then holds what the window showed.
#   usage (under xvfb-run): main_job_test.sh VIREO_HOST EXAMPLES_DIR
set -euo pipefail
host=$1
examples=$2
work=$(mktemp -d)
trap '[ -n "${gui:-}" ] && kill "$gui" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "main job: $*" >&2
    [ -n "${VIREO_MAIN_JOB_SHOT:-}" ] && xwd -root -silent > "$VIREO_MAIN_JOB_SHOT"
    exit 1
}
# The window whose title is exactly $1, waited for up to 20 s.
window() {
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do echo "$id"; return 0; done
        sleep 0.2
    done
    fail "no window \"$1\" appeared"
}
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "the window \"$1\" stayed open"
}
# Types a file name into the file chooser that is open (it shows the work folder, the program's
# current one) and accepts it. A name without folders: the chooser completes typed folders as it
# likes.
choose() {
    window "$1" >/dev/null
    sleep 1
    xdotool key ctrl+l
    sleep 0.3
    xdotool type --delay 10 "$2"
    xdotool key Return
    gone "$1"
}
# Opens the main window's menu number $1 (0: File): a click on File, at the left end of the menu
# bar whatever the font, then Right to the menu wanted.
menu() {
    xdotool mousemove --window "$main" 12 12 click 1
    sleep 0.7
    for _ in $(seq "$1"); do xdotool key Right; sleep 0.2; done
}

cp "$examples"/MotorData.udt "$examples"/PLCTags.xml "$examples"/DB1_Conveyor.db "$examples"/DB2_TankFarm.db "$work"
cd "$work"
"$host" --project "$work/plant.vproj" device add PLC1 >/dev/null
"$host" --project "$work/plant.vproj" channel delete PLC1 --all

"$host" --lang en --project "$work/empty.vproj" gui 2>"$work/gui.err" &
gui=$!
main=$(window "vireo-host - $work/empty.vproj")
sleep 1

# File > Open project (the second entry), and the project's path typed into the chooser.
menu 0
xdotool key Down Down Return
choose "Open project" plant.vproj
window "vireo-host - $work/plant.vproj" >/dev/null

# Tools > the tag import (the first entry). In the dialog the keyboard goes from control to
# control in tab order, starting at Cancel: Import data types, New data type, the status list,
# Browse (tag file), Browse (data block files), the data block list, Import tags.
menu 3
xdotool key Down Return
window "Tag import" >/dev/null
sleep 1
xdotool key Tab Return
choose "Select a file" MotorData.udt
xdotool key Tab Tab Tab Return
choose "Select tag file" PLCTags.xml
xdotool key Tab Return
choose "Select a file" DB1_Conveyor.db
xdotool key Return
choose "Select a file" DB2_TankFarm.db
xdotool key Tab Tab Return
gone "Tag import"
# What the import did comes up beside the main window; the user closes it.
report=$(window "Tag import - PLC1")
eval "$(xdotool getwindowgeometry --shell "$report")"
xdotool mousemove --window "$report" $((WIDTH - 50)) $((HEIGHT - 22)) click 1
gone "Tag import - PLC1"

# A row of the channel table (which fills the lower half of the window) selected with the pointer,
# deleted with the Delete key, and the question answered Yes.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((WIDTH / 2)) $((HEIGHT * 3 / 5)) click 1
sleep 0.5
xdotool key Delete
window "Delete channels" >/dev/null
sleep 0.5
xdotool key alt+y
gone "Delete channels"

# File > Quit (the last entry).
menu 0
xdotool key Up Return
wait "$gui" || fail "the window program ended with $? ($(cat "$work/gui.err"))"
gui=

rows=$("$host" --project "$work/plant.vproj" channel list PLC1 | tail -n +2 | wc -l)
[ "$rows" -eq 45 ] || fail "the project holds $rows channels, not the 46 imported less the one deleted"
echo "main job: imported 46 channels, deleted one, 45 stored"

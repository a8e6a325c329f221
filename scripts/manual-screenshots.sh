#!/usr/bin/env bash
# Takes the manual's pictures of the windows (share/manual/images/*.png): starts the program on its
# own display with a small sample data directory and opens each window from the keyboard as a user
# would. Usage: manual-screenshots.sh [PROGRAM] (default: build/app/velatask).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
exe=$(realpath "${1:-build/app/velatask}")
out=$root/share/manual/images
mkdir -p "$out"

source scripts/test-session.sh
data=$session_home/data/velatask
program_pid=
stop_program() {
    if [[ -n $program_pid ]]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    program_pid=
}
trap 'stop_program; stop_test_session' EXIT

# Waits (up to 20 s) for a visible window whose title matches and prints its id.
window() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1)
    [[ -n $id ]] || { echo "no window titled $1" >&2; exit 1; }
    echo "$id"
}
# The window once it has been drawn: a moment after it is mapped. The lists open inside the main
# window, where no window search sees them: they are given the same moment.
shot() {
    local name=$1 id=$2
    # A window search inside "$(...)" cannot end the script itself.
    [[ -n $id ]] || { echo "no window for $name" >&2; exit 1; }
    sleep 1
    import -window "$id" "$out/$name.png"
    echo "$out/$name.png"
}
# Dialogs take the keys while they are in front.
dkeys() { xdotool key --delay 200 "$@"; }
# Keys for the main window (or the window that has the focus when it is not given).
keys() {
    [[ -n ${frame:-} ]] && xdotool windowactivate --sync "$frame" 2>/dev/null
    xdotool key --delay 150 "$@"
}

# The first start makes the tables (the lists make theirs when they open); then a few
# categories, To Do items and tasks to show.
"$exe" --data-dir "$data" >/dev/null 2>&1 &
program_pid=$!
window '^Velatask' >/dev/null
keys alt+s t alt+s c
for _ in $(seq 200); do
    [[ $(sqlite3 "$data/SM" .tables 2>/dev/null) == *Categories*ToDo* ]] && break
    sleep 0.1
done
stop_program
sqlite3 "$data/SM" <<'SQL'
INSERT INTO Categories (Category) VALUES ('Backups'), ('Home'), ('Work');
INSERT INTO ToDo (Done, Priority, ToDo) VALUES (0, 1, 'Renew the car insurance'),
    (0, 4, 'Order printer paper'), (1, 2, 'Book the dentist'), (0, 7, 'Sort the photos');
SQL
# Tasks: dates are day numbers (4 = 1 January 1801), times hundredths of a second plus one.
read -r today now < <(python3 -c '
import datetime as d
t = d.datetime.now()
print((t.date() - d.date(1801, 1, 1)).days + 4, t.hour * 360000 + t.minute * 6000 + t.second * 100 + 1)')
sqlite3 "$data/SM" <<SQL
INSERT INTO Schedule (ID, TaskType, Category, Description, Command, ScheduleType, Friday, Date,
    Time) VALUES (1, 'Run Program', 'Backups', 'Back up the laptop', 'deja-dup --backup',
    'Day of Week', 1, $((today + 3)), 6480001);
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Every, EveryType, Date,
    Time, Message) VALUES (2, 'Display Message', 'Home', 'Pay the rent', 'Custom', 1,
    'month(s)', $((today + 9)), 3240001, 'Pay the rent today.');
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date, Time, Message)
    VALUES (3, 'Display Message', 'Work', 'Stretch', 'Once', $today, $((now + 1500)),
    'Time to stand up and stretch your legs!');
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Tuesday, Date, Time,
    SkipNextTime, Message) VALUES (4, 'Display Message', 'Work', 'Team meeting', 'Day of Week', 1,
    $((today + 5)), 5040001, 1, 'Team meeting in room 2.');
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date, Time, Disabled,
    Message) VALUES (5, 'Display Message', 'Home', 'Water the plants', 'Once', $((today + 1)),
    2880001, 1, 'Water the plants.');
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date, Time, Message)
    VALUES (6, 'Display Message', 'Work', 'Send the monthly report', 'Monthly', $((today + 12)),
    3600001, 'The monthly report is due.');
INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date, Time, Message)
    VALUES (7, 'Display Message', 'Work', 'Renew the office lease', 'Yearly', $((today + 60)),
    3600001, 'Call the landlord about the lease.');
-- The script of the backup: wait for its window, bring it forward, press its button.
INSERT INTO Scripting (ID, Sequence, Action, Keystrokes, SecondsToWait, WaitForWindow,
    FocusOnWindow) VALUES (1, 1, 'Wait', '', 5, 'Back Up*', ''),
    (1, 2, 'Set Focus', '', 0, '', 'Back Up*'),
    (1, 3, 'Send Keystrokes', '[ALTB]', 0, '', '');
SQL
# The schedule shows every task at start-up.
mkdir -p "$XDG_CONFIG_HOME/velatask"
printf '[Settings]\nFullSchedule=1\n' >>"$XDG_CONFIG_HOME/velatask/Vela.INI"

"$exe" --data-dir "$data" >/dev/null 2>&1 &
program_pid=$!
message=$(window '^Message$')
shot message "$message"
xdotool windowactivate --sync "$message" key Return
frame=$(window '^Velatask')
xdotool windowsize --sync "$frame" 760 520

# The schedule opens at start-up; its picture is taken later, alone in the main window.
keys alt+o

keys alt+f s
setup=$(window '^Velatask Setup$')
shot setup "$setup"
keys Escape

keys alt+s t
shot todo "$frame"
keys Insert
form=$(window '^Adding To Do Item')
xdotool type --delay 50 'Water the plants'
shot todo-form "$form"
keys Escape
keys alt+o

keys alt+s c
shot categories "$frame"
keys alt+a
categoryForm=$(window '^Adding a Categories Record$')
xdotool type --delay 50 'Garden'
shot category-form "$categoryForm"
dkeys Escape
# The tasks of the first category, in a list of their own: its row, then four steps on to
# "Schedule" (Alt+S is the menu's).
xdotool mousemove --window "$frame" 100 182 click 1
keys Tab Tab Tab Tab space
shot category-schedule "$frame"
keys alt+o
keys alt+o

keys alt+s v
shot schedule "$frame"
keys alt+o

# The main window once nothing covers it any more.
shot main "$frame"

xdotool windowsize --sync "$frame" 980 640
keys alt+f e
shot export "$frame"
# The picture of the first export field.
keys alt+a alt+p
shot picture "$(window '^Enter Picture')"
xdotool key Escape
keys alt+c

# Import: a small file chosen in the file dialog.
printf '"Description","Date","Time"\n"Water the plants","8/6/2027","9:00AM"\n' \
    >"$session_home/plants.csv"
keys alt+f i
chooser=$(window '^Import File$')
xdotool windowactivate --sync "$chooser" type --delay 30 "$session_home/plants.csv"
xdotool key Return
sleep 1
shot import "$frame"
keys alt+c

keys alt+r t
preview=$(window 'Preview')
xdotool windowsize "$preview" 900 700
shot report-preview "$preview"
xdotool windowclose "$preview" || keys Escape

keys alt+h a
about=$(window '^About')
shot about "$about"
keys Escape

# A date some days from today as the forms show it.
day() { date -d "+$1 days" '+%b %-d, %Y'; }
# View Schedule on one of its tabs (0 the day, 2 All by Category, 3 Selected): the tab bar comes
# before the list in the keyboard order.
scheduleTab() {
    keys alt+s v
    sleep 1
    keys shift+Tab Left Left Left
    for _ in $(seq "$1"); do keys Right; done
}

# The task form on the backup task: the tasks of the category Backups, picked in Select a Category.
scheduleTab 2
keys alt+p
categories=$(window '^Select a Category$')
dkeys Home
shot select-category "$categories"
dkeys alt+s
keys alt+c
form=$(window '^Changing a Schedule Task$')
shot task-form "$form"
# Alt+C reaches "Category" first, then the tab.
dkeys alt+c alt+c
shot task-form-command "$form"
dkeys alt+s
steps=$(window '^Scripting$')
shot scripting "$steps"
dkeys Down Down alt+c
step=$(window '^Changing Scripting$')
shot script-step "$step"
# "View List of Abbreviations" follows the keystrokes.
dkeys Tab space
shot script-keys "$(window '^List of Key Abbreviations$')"
dkeys alt+f
xdotool type --delay 50 'CTRLF1'
shot find-text "$(window '^Searching Text')"
dkeys Escape alt+c Escape Escape
dkeys alt+w
shot task-form-when "$form"
dkeys alt+n Tab space
shot calendar "$(window '^Select Date$')"
dkeys Escape alt+a alt+a
shot task-form-advanced "$form"
dkeys Escape

# The reschedule wizard on the same task: its row, then six steps on to "Reschedule".
xdotool mousemove --window "$frame" 200 182 click 1
keys Tab Tab Tab Tab Tab Tab space
shot reschedule "$(window '^Reschedule Event Wizard$')"
dkeys Escape
keys alt+o

keys alt+s w p
wizard=$(window '^Add Program Wizard$')
xdotool type --delay 40 'deja-dup --backup'
shot wizard "$wizard"
dkeys Escape

# A search: the Work tasks whose description contains "re", due in the next two weeks.
scheduleTab 3
keys Tab Tab space
search=$(window '^Search the Schedule$')
dkeys alt+c W alt+d
xdotool type --delay 50 're'
dkeys alt+s
shot match-type "$(window '^Match Type for STRING Field$')"
dkeys alt+c Return
shot search "$search"
dkeys alt+w alt+n
xdotool type --delay 50 "$(day 0)"
# On this tab Alt+S reaches "Search Type" first and "Skip Next Time" next: Space presses it.
dkeys alt+s space
window '^Match Type for DATE Field$' >/dev/null
dkeys alt+r Return
window '^Enter Upper Limit$' >/dev/null
dkeys alt+u
xdotool type --delay 50 "$(day 14)"
shot upper-limit "$(window '^Enter Upper Limit$')"
dkeys Return
shot search-when "$search"
# Alt+A reaches "Advance Warning Date" first, then the tab.
dkeys alt+a alt+a
shot search-advanced "$search"
# Here Alt+B would reach "Before performing task" first: back to the first tab.
dkeys alt+t alt+b
shot search-action "$(window '^Begin Search$')"
dkeys alt+s
sleep 1
dkeys alt+o
shot selected "$frame"
keys alt+o

# The progress window needs a search that lasts: many old tasks, added while the program is away.
stop_program
sqlite3 "$data/SM" "WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE
    i < 400099) INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date,
    Time, Disabled, Completed) SELECT i, 'Display Message', 'Archive', 'Old reminder ' || i,
    'Once', 20000 + i % 60000, 3600001, 1, 1 FROM n;"
"$exe" --data-dir "$data" >/dev/null 2>&1 &
program_pid=$!
frame=$(window '^Velatask')
xdotool windowsize --sync "$frame" 760 520
scheduleTab 3
keys Tab Tab space
window '^Search the Schedule$' >/dev/null
dkeys alt+d
xdotool type --delay 50 'reminder'
dkeys alt+s
window '^Match Type for STRING Field$' >/dev/null
dkeys alt+c Return alt+b
window '^Begin Search$' >/dev/null
dkeys alt+s
# The tasks selected before stay selected: "Clear old selections first?" No.
window '^ $' >/dev/null
dkeys alt+n
progress=$(window '^Progress')
# Taken while the search goes on, then stopped.
sleep 1.5
import -window "$progress" "$out/search-progress.png"
echo "$out/search-progress.png"
dkeys Escape

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
    sleep 1
    import -window "$id" "$out/$name.png"
    echo "$out/$name.png"
}
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
keys alt+o

keys alt+s v
shot schedule "$frame"
keys alt+o

# The main window once nothing covers it any more.
shot main "$frame"

xdotool windowsize --sync "$frame" 980 640
keys alt+f e
shot export "$frame"
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

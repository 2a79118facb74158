#!/usr/bin/env bash
# The song history and recording of the whole program against a real Icecast 2 server on
# 127.0.0.1, on the shared headless desktop: each title the server names is kept once, with
# its end once the program quits, and shown once in the History window (copied from it); the
# songs recorded whole (the R key on the panel) decode to the length the history gives them
# and carry their tags; a recording folder turning read-only stops recording with one
# message while the radio plays on. Then
# SIGKILL while the program writes leaves a database that passes integrity_check and still
# holds every song it was seen to begin. Python's sqlite3 and ffprobe read the files the way
# any other tool would. Exits 77 when Icecast, ffmpeg, python3 or the desktop are missing.
#   e2e_history.sh <morvena-webradio> <tone.mp3> [kill rounds]
set -euo pipefail
program=${1:?usage: e2e_history.sh <morvena-webradio> <tone.mp3> [kill rounds]}
tone=${2:?}
rounds=${3:-4}
source "$(dirname "$0")/radio.sh"
need icecast2 ffmpeg ffprobe curl python3 xclip
[[ -f $tone ]] || { echo "SKIP: no fixture $tone"; exit 77; }
in_dbus_session "$0" "$@"
radio_desktop
icecast_start "$tone" || fail "Icecast did not come up"
radio_prepare "$program"
db="$XDG_DATA_HOME/Morvena Webradio/history.sqlite"
folder="$work/recordings/Local Icecast"
# Plays at start: the stream saved as the last one played.
printf '[2.71]\nLydstraumURL=%s\nTittel2=Local Icecast\nOpptakMappe=%s\n' "$ICECAST_URL" \
    "$work/recordings" >"$RADIO_SETTINGS"

# Prints the rows of one query, fields separated by "|".
sql() {
    python3 - "$db" "$1" <<'PY'
import sqlite3, sys
con = sqlite3.connect(sys.argv[1], timeout=5)
for row in con.execute(sys.argv[2]):
    print("|".join("" if v is None else str(v) for v in row))
con.close()
PY
}
count_of() { [[ -f $db ]] && sql "SELECT count(*) FROM songs WHERE artist = '$1' AND title = '$2'"; }
kept() { [[ $(count_of "$1" "$2" 2>/dev/null) == 1 ]]; }

# The folder made unwritable in a way its owner cannot ignore: root writes through plain
# permissions, so it also gets the immutable attribute, which must come off first.
locked=
lock_folder() { locked=1 && chmod a-w "$folder" && { ((EUID != 0)) || chattr +i "$folder"; }; }
unlock_folder() {
    [[ -n $locked ]] || return 0
    locked=
    ((EUID != 0)) || chattr -i "$folder"
    chmod u+w "$folder"
}
trap 'unlock_folder; radio_cleanup' EXIT
# Our shown dialogs (a message box, the song history), whatever the language of their titles.
dialogs() {
    local id found=1
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && echo "$id" && found=0
    done
    return $found
}
part_files() { compgen -G "$folder/.recording-*"; }
# R on the panel; a tap on its face first gives it the keys (see e2e_mpris.sh).
record_key() { click_panel 5 150 174 13 && xdotool key r; }

# 1. Three titles, each heard for 8 s and the time the program takes to hear the next one
#    (a title shows when its audio plays, 1-2 s after the server names it here), recorded
#    from the middle of the one before them to the middle of the last.
radio_start
wait_for 20 kept Morvena "Warming Up" || fail "the first title not in the history"
record_key
wait_for 10 part_files || fail "R did not start recording"
titles=("First Song" "Second Song" "Third Song")
for title in "${titles[@]}"; do
    icecast_title "E2E Artist - $title" || fail "the server refused the title"
    wait_for 20 kept "E2E Artist" "$title" || fail "'$title' not in the history"
    sleep 8 # how long the title plays; nothing to poll
done
record_key
wait_for 10 test -f "$folder/Incomplete/E2E Artist - Third Song.mp3" ||
    fail "stopping did not keep the song it cut"
# Recording again, the folder turns read-only before the next title.
record_key
wait_for 10 part_files || fail "R did not start recording again"
if lock_folder; then
    icecast_title "Locked Artist - Fourth Song" || fail "the server refused the title"
    wait_for 20 dialogs || fail "no message when the folder turned read-only"
    xdotool windowactivate --sync "$(dialogs | head -n 1)" key Return
    wait_for 5 eval '! dialogs' || fail "the message did not close"
    unlock_folder
    icecast_title "Locked Artist - Fifth Song" || fail "the server refused the title"
    wait_for 20 kept "Locked Artist" "Fifth Song" || fail "the radio stopped with recording"
    sleep 3 # a cut of "Fourth Song", were it still recording, would show by now
    ! dialogs >/dev/null || fail "a second message"
    pass "a read-only folder: one message, the radio plays on"
else
    unlock_folder
    echo "skip: the folder cannot be made read-only here"
fi
# What the listener finds in the History window (H): each title once, copied from there.
click_panel 5 150 174 13 && xdotool key h
wait_for 10 dialogs || fail "H opened no history window"
xdotool windowactivate --sync "$(dialogs | head -n 1)" key ctrl+a ctrl+c
wait_for 5 sh -c 'xclip -o -selection clipboard | grep -q "E2E Artist"' || fail "nothing copied"
copied=$(xclip -o -selection clipboard)
for title in "${titles[@]}"; do
    [[ $(grep -cx "E2E Artist - $title" <<<"$copied") == 1 ]] || fail "the window shows: $copied"
done
pass "the History window shows each title once"
radio_quit
for title in "${titles[@]}"; do
    [[ $(count_of "E2E Artist" "$title") == 1 ]] || fail "'$title' kept $(count_of "E2E Artist" "$title") times"
done
rows=$(sql "SELECT title, channel, url, ended - started FROM songs WHERE artist = 'E2E Artist'
            ORDER BY started")
while IFS='|' read -r title channel url seconds; do
    [[ $channel == "Local Icecast" && $url == "$ICECAST_URL" ]] || fail "'$title' on '$channel' $url"
    ((seconds >= 5)) || fail "'$title' lasted $seconds s"
done <<<"$rows"
[[ $(sql "PRAGMA journal_mode") == wal && $(sql "PRAGMA user_version") == 1 ]] ||
    fail "journal $(sql "PRAGMA journal_mode"), schema $(sql "PRAGMA user_version")"
# What a listener finds: the songs heard whole, and apart the one playing when recording
# started and the one stopping cut; hidden only the files a read-only folder kept.
found=$(cd "$folder" && find . -type f ! -name '.recording-*' | LC_ALL=C sort | tr '\n' '|')
[[ $found == "$(printf './%s.mp3|' "E2E Artist - First Song" "E2E Artist - Second Song" \
    "Incomplete/E2E Artist - Third Song" "Incomplete/Morvena - Warming Up")" ]] ||
    fail "recorded: $found"
# A song's file decodes to the time the program heard it for, within a second (the history
# keeps whole seconds).
for title in "First Song" "Second Song"; do
    probe=$(ffprobe -v error -show_entries format=duration:format_tags=artist,title,album \
        -of default=nw=1 "$folder/E2E Artist - $title.mp3")
    for tag in "artist=E2E Artist" "title=$title" "album=Local Icecast"; do
        grep -qx "TAG:$tag" <<<"$probe" || fail "'$title' lacks $tag: $probe"
    done
    decoded=$(sed -n 's/^duration=//p' <<<"$probe")
    heard=$(sql "SELECT ended - started FROM songs WHERE title = '$title'")
    echo "'$title': $decoded s decoded, $heard s heard"
    awk -v d="$decoded" -v h="$heard" 'BEGIN { exit !(d - h <= 1 && h - d <= 1) }' ||
        fail "'$title': $decoded s decoded, $heard s heard"
done
pass "three titles, each kept once with its channel and end; two recorded whole"

# 2. SIGKILL while the program writes: a title seen begun, the next one on its way, and
#    the kill at a random moment up to 2 s later.
for ((round = 1; round <= rounds; round++)); do
    radio_start
    icecast_title "Kill Artist - Round $round" || fail "the server refused the title"
    wait_for 20 kept "Kill Artist" "Round $round" || fail "round $round not in the history"
    icecast_title "Kill Artist - After $round" || fail "the server refused the title"
    sleep "$((RANDOM % 2)).$(printf '%03d' $((RANDOM % 1000)))"
    kill -KILL "$RADIO_PID"
    wait "$RADIO_PID" 2>/dev/null || true
    RADIO_PID=
    check=$(sql "PRAGMA integrity_check")
    [[ $check == ok ]] || fail "round $round: integrity_check says $check"
    for ((seen = 1; seen <= round; seen++)); do
        kept "Kill Artist" "Round $seen" || fail "round $round: 'Round $seen' lost"
    done
done
for title in "${titles[@]}"; do
    kept "E2E Artist" "$title" || fail "'$title' lost to the kills"
done
pass "$rounds kills while writing: the database whole, every song begun still there"

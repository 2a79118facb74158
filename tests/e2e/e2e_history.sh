#!/usr/bin/env bash
# The song history of the whole program against a real Icecast 2 server on 127.0.0.1,
# offscreen: each title the server names is kept once, with its end once the program
# quits; then SIGKILL while the program writes leaves a database that passes
# integrity_check and still holds every song it was seen to begin. Python's sqlite3 reads
# the file the way any other tool would. Exits 77 when Icecast, ffmpeg or python3 are missing.
#   e2e_history.sh <morvena-webradio> <tone.mp3> [kill rounds]
set -euo pipefail
program=${1:?usage: e2e_history.sh <morvena-webradio> <tone.mp3> [kill rounds]}
tone=${2:?}
rounds=${3:-4}
source "$(dirname "$0")/radio.sh"
need icecast2 ffmpeg curl python3
[[ -f $tone ]] || { echo "SKIP: no fixture $tone"; exit 77; }
icecast_start "$tone" || fail "Icecast did not come up"
radio_prepare "$program"
db="$XDG_DATA_HOME/Morvena Webradio/history.sqlite"
# Plays at start: the stream saved as the last one played.
printf '[2.71]\nLydstraumURL=%s\nTittel2=Local Icecast\n' "$ICECAST_URL" >"$RADIO_SETTINGS"

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

# 1. Three titles, each heard for about 8 s (Icecast holds a title about 4 s behind the
#    audio, so the program hears each one that long after the server names it).
radio_start
titles=("First Song" "Second Song" "Third Song")
for title in "${titles[@]}"; do
    icecast_title "E2E Artist - $title" || fail "the server refused the title"
    wait_for 20 kept "E2E Artist" "$title" || fail "'$title' not in the history"
    sleep 8 # how long the title plays; nothing to poll
done
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
pass "three titles, each kept once with its channel and end"

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

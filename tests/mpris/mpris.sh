#!/usr/bin/env bash
# The real program on a private session bus, driven and read by playerctl as a desktop's
# media controls would: it shows up, reports status and the stream's title (also after the
# station changes it), pauses and plays, steps to the next preset, and a volume set through
# it survives a restart. With Xvfb and xdotool at hand, the panel's keys are tried too.
#
#   mpris.sh <morvena-webradio> <morvena-streamserver> <fixture folder with tone.mp3, tone.ogg>
# Exits 77 when playerctl or dbus-run-session is missing.
set -euo pipefail

program=${1:?usage: mpris.sh <morvena-webradio> <morvena-streamserver>}
streamserver=${2:?usage: mpris.sh <morvena-webradio> <morvena-streamserver> <fixtures>}
fixtures=${3:?usage: mpris.sh <morvena-webradio> <morvena-streamserver> <fixtures>}
for tool in playerctl dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
# One private bus for the whole run: no desktop's player can answer in the program's place.
if [[ -z ${MPRIS_TEST_BUS:-} ]]; then
    MPRIS_TEST_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d)
app_pid= server_pid= xvfb_pid= follow_pid=
cleanup() {
    exec 7>&- 2>/dev/null || true
    for pid in $follow_pid $app_pid $server_pid $xvfb_pid; do
        kill -TERM "$pid" 2>/dev/null || true
    done
    for pid in $follow_pid $app_pid $server_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    [[ -n ${KEEP_WORK:-} ]] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- settings.ini" >&2
    cat "$settings" >&2 || true
    echo "--- program log" >&2
    tail -n 30 "$work/app.log" >&2 || true
    exit 1
}

mkdir -p "$work/config/Morvena Webradio" "$work/data" "$work/runtime"
chmod 0700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export MORVENA_MPV_OPTIONS=ao=null
settings="$XDG_CONFIG_HOME/Morvena Webradio/settings.ini"
player=morvena_webradio

# Polls `command` until its output equals `want`, for at most `seconds`.
expect() {
    local seconds=$1 want=$2 got=
    shift 2
    local deadline=$((SECONDS + seconds))
    while ((SECONDS < deadline)); do
        got=$("$@" 2>/dev/null || true)
        [[ $got == "$want" ]] && return 0
        sleep 0.2
    done
    fail "$* gave '$got', not '$want' within ${seconds} s"
}
ctl() { playerctl -p "$player" "$@"; }

# The station: its titles come from a pipe, so the test can change them.
mkfifo "$work/titles"
"$streamserver" --fixtures "$fixtures" --title "Test Artist - First Song" <"$work/titles" >"$work/server.out" &
server_pid=$!
exec 7>"$work/titles"
for _ in $(seq 50); do
    [[ -s $work/server.out ]] && break
    sleep 0.1
done
port=$(head -n 1 "$work/server.out")
[[ $port =~ ^[0-9]+$ ]] || fail "the stream server gave no port"

# Presets 2 and 5 hold channels, the others nothing; nothing is tuned at the start.
printf '[2.71]\nKnapp2_Navn=Channel Two\nKnapp2_URL=http://127.0.0.1:%s/tone.mp3\nKnapp5_Navn=Channel Five\nKnapp5_URL=http://127.0.0.1:%s/tone.ogg\n' \
    "$port" "$port" >"$settings"

# A display for the keyboard steps when one can be had; offscreen otherwise.
keys=
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp 8>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    if [[ -s $work/display ]]; then
        export DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb
        keys=1
    fi
fi
[[ -n $keys ]] || export QT_QPA_PLATFORM=offscreen

start_app() {
    "$program" >>"$work/app.log" 2>&1 &
    app_pid=$!
    expect 20 "$player" playerctl -l
}
quit_app() {
    dbus-send --session --type=method_call --dest="org.mpris.MediaPlayer2.$player" \
        /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "Quit did not end the program"
    wait "$app_pid" || true
    app_pid=
}

start_app
expect 5 "Stopped" ctl status
# A follower hears only the property changes the player announces on the bus.
ctl --follow metadata --format '{{title}}' >"$work/follow.log" 2>/dev/null &
follow_pid=$!
root_property() {
    dbus-send --session --print-reply=literal --dest="org.mpris.MediaPlayer2.$player" \
        /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get \
        string:org.mpris.MediaPlayer2 "string:$1" | awk '{$1 = ""; sub(/^ /, ""); print}'
}
expect 5 "Morvena Webradio" root_property Identity
expect 5 "org.morvena.Webradio" root_property DesktopEntry
# With nothing tuned, play starts the first preset that holds a channel.
ctl play
expect 20 "Playing" ctl status
expect 30 "Test Artist|First Song|Channel Two" ctl metadata --format '{{artist}}|{{title}}|{{album}}'

echo "New Artist - Second Song" >&7
expect 30 "New Artist|Second Song" ctl metadata --format '{{artist}}|{{title}}'
expect 5 "Second Song" grep -m 1 -x "Second Song" "$work/follow.log"

ctl play-pause
expect 5 "Paused" ctl status
ctl play-pause
expect 20 "Playing" ctl status

ctl next
expect 20 "Channel Five|http://127.0.0.1:$port/tone.ogg" ctl metadata --format '{{album}}|{{xesam:url}}'
ctl next
expect 20 "Channel Two" ctl metadata --format '{{album}}'

ctl volume 0.4
expect 5 "0.400000" ctl volume

if [[ -n $keys ]]; then
    echo "keys: on the display $DISPLAY"
    window=$(xdotool search --sync --limit 1 --pid "$app_pid" 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] || fail "no window of the program on the display"
    # No window manager here: the test hands the window the input focus itself.
    xdotool windowfocus --sync "$window"
    press() { xdotool key --delay 100 "$@"; }
    # Tab puts the focus on a button: the panel's keys go on working.
    press Tab space
    expect 5 "Paused" ctl status
    press space
    expect 20 "Playing" ctl status
    press 5
    expect 20 "Channel Five" ctl metadata --format '{{album}}'
    # An empty preset says so and leaves the channel playing.
    press 7
    expect 5 "Channel Five|Playing" ctl metadata --format '{{album}}|{{status}}'
    press minus minus
    expect 5 "0.300000" ctl volume
    press plus
    expect 5 "0.350000" ctl volume
    press s
    expect 5 "Stopped" ctl status
    press 2
    expect 20 "Channel Two" ctl metadata --format '{{album}}'
    # Ctrl+3 stores the playing channel on 3, as holding the button does.
    press ctrl+3
    expect 5 "Knapp3_Navn=Channel Two" grep -m 1 '^Knapp3_Navn=' "$settings"
fi

# Quit unloads the window like a close: the state and the volume are kept.
quit_app
grep -q '^Lydstyrke=[34][05]$' "$settings" || fail "the volume was not stored"
stored=$(sed -n 's/^Lydstyrke=//p' "$settings")
start_app
expect 5 "$(printf '%.6f' "$(echo "$stored" | awk '{print $1 / 100}')")" ctl volume
expect 20 "Playing" ctl status
quit_app
echo "PASS"

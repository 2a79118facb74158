#!/usr/bin/env bash
# The real program on a private session bus against a real Icecast server, driven and read
# by playerctl as a desktop's media controls would: status, the stream's title (also after
# the station changes it), play-pause, next preset, and a volume set through it survives a
# restart; on the shared headless desktop, the panel's keys too. A second player on the bus
# has media controls of its own.
#   e2e_mpris.sh <morvena-webradio> <tone.mp3>
set -euo pipefail
program=${1:?usage: e2e_mpris.sh <morvena-webradio> <tone.mp3>}
tone=${2:?}
source "$(dirname "$0")/radio.sh"
need playerctl dbus-send icecast2 ffmpeg curl
in_dbus_session "$0" "$@"
radio_desktop
radio_prepare "$program"
player=morvena_webradio

# Polls `command` until its output equals `want`, for at most `seconds`.
expect() {
    local seconds=$1 want=$2 got='' tries
    shift 2
    for ((tries = seconds * 5; tries > 0; tries--)); do
        got=$("$@" 2>/dev/null || true)
        [[ $got == "$want" ]] && return 0
        sleep 0.2
    done
    fail "$* gave '$got', not '$want' within ${seconds} s"
}
ctl() { playerctl -p "$player" "$@"; }
# Records what the player tells the bus from now on, into $work/bus.$1.
listen() {
    spawn dbus-monitor --session \
        "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'" \
        >"$work/bus.$1" 2>/dev/null
    sleep 0.5
}
# How many of the recorded signals in $work/bus.$1 mention `text`.
signals_with() {
    awk -v text="$2" '/^signal /{ n += hit; hit = 0 } index($0, text) { hit = 1 }
        END { print n + hit }' "$work/bus.$1"
}
start() {
    radio_start
    expect 20 "$player" playerctl -l
}
# Quit over the bus unloads the window like a close: the state and the volume are kept.
quit() {
    dbus-send --session --type=method_call --dest="org.mpris.MediaPlayer2.$player" \
        /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
    wait_for 10 sh -c "! kill -0 $RADIO_PID 2>/dev/null" || fail "Quit did not end the program"
    wait "$RADIO_PID" || true
    RADIO_PID=
}

icecast_start "$tone" || fail "Icecast did not come up"
icecast_title "Test Artist - First Song" || fail "the server refused the title"
# Presets 2 and 5 hold channels (the same mount, told apart by the query), the others
# nothing; nothing is tuned at the start.
printf '[2.71]\nKnapp2_Navn=Channel Two\nKnapp2_URL=%s?two\nKnapp5_Navn=Channel Five\nKnapp5_URL=%s?five\n' \
    "$ICECAST_URL" "$ICECAST_URL" >"$RADIO_SETTINGS"

start
expect 5 "Stopped" ctl status
# A second player on the same bus (another profile) takes a name of its own.
mkdir -p "$work/other/config" "$work/other/data"
XDG_CONFIG_HOME=$work/other/config XDG_DATA_HOME=$work/other/data QT_QPA_PLATFORM=offscreen \
    "$work/program/morvena-webradio" >"$work/other.log" 2>&1 &
other=$!
PIDS+=("$other")
expect 20 "Stopped" playerctl -p "$player.instance$other" status
expect 5 "Stopped" ctl status
stop_pid "$other"
# A follower hears only the property changes the player announces on the bus.
spawn playerctl -p "$player" --follow metadata --format '{{title}}' >"$work/follow.out" 2>/dev/null
# With nothing tuned, play starts the first preset that holds a channel.
ctl play
expect 20 "Playing" ctl status
expect 30 "Test Artist|First Song|Channel Two" ctl metadata --format '{{artist}}|{{title}}|{{album}}'
icecast_title "New Artist - Second Song" || fail "the server refused the title"
expect 30 "New Artist|Second Song" ctl metadata --format '{{artist}}|{{title}}'
expect 5 "Second Song" grep -m 1 -x "Second Song" "$work/follow.out"
# The desktop hears the pause, the return and the step to the next preset as they are:
# never a stop on the way, never the words for a state as a title, and for the step one
# change of track for the channel and one for its song.
listen pause
ctl play-pause
expect 5 "Paused" ctl status
ctl play-pause
expect 20 "Playing" ctl status
sleep 1
listen next
ctl next
expect 20 "Channel Five|$ICECAST_URL?five" ctl metadata --format '{{album}}|{{xesam:url}}'
expect 30 "Second Song|Channel Five" ctl metadata --format '{{title}}|{{album}}'
sleep 1
for step in pause next; do
    (($(signals_with $step '"Stopped"') == 0)) || fail "$step: the desktop was told of a stop"
    for word in Connecting 'Kobler til'; do # English or Norwegian, as the desktop runs it
        (($(signals_with $step "$word") == 0)) || fail "$step: a state word went out as a title"
    done
done
(($(signals_with pause '"PlaybackStatus"') == 2)) ||
    fail "pause and continue: $(signals_with pause '"PlaybackStatus"') status changes, not 2"
# The titles the step announced, from the new channel's on: its name once, then its song.
titles=$(sed -n '/"xesam:title"/{n;s/.*variant *string "\(.*\)"$/\1/p}' "$work/bus.next" |
    sed -n '/^Channel Five$/,$p' | tr '\n' '|')
[[ $titles == "Channel Five|Second Song|" ]] || fail "next: the desktop was told '$titles'"
ctl next
expect 20 "Channel Two" ctl metadata --format '{{album}}'
ctl volume 0.4
expect 5 "0.400000" ctl volume

press() { xdotool key --delay 100 "$@"; }
# A click on the panel's face, press and release back to back as a touchpad tap sends them,
# gives it the keys; the window manager is not left moving the window and holding them.
click_panel 5 150 174 13
press space
expect 5 "Paused" ctl status
press space
expect 20 "Playing" ctl status
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
expect 5 "Channel Two" setting Knapp3_Navn

quit
setting_is Lydstyrke 35 || fail "the volume was not stored: '$(setting Lydstyrke)'"
start
expect 5 "0.350000" ctl volume
expect 20 "Playing" ctl status
quit
pass "media controls"

#!/usr/bin/env bash
# The whole program against a real Icecast 2 server on 127.0.0.1, driven through its panel
# and menus with xdotool on the shared headless desktop, in six steps from a first start to
# a pause that survives a restart. Each step checks settings.ini and leaves a screenshot in
# the artifacts folder. Exits 77 (skipped) when the desktop tools, Icecast or ffmpeg are
# missing.
#   e2e_radio.sh <morvena-webradio> <tone.mp3> <artifacts folder>
set -euo pipefail
program=${1:?usage: e2e_radio.sh <morvena-webradio> <tone.mp3> <artifacts>}
tone=${2:?}
artifacts=${3:?}
source "$(dirname "$0")/radio.sh"
in_dbus_session "$0" "$@"
need icecast2 ffmpeg curl
[[ -f $tone ]] || { echo "SKIP: no fixture $tone"; exit 77; }
mkdir -p "$artifacts"
rm -f "$artifacts"/e2e-radio-*.png
radio_desktop
icecast_start "$tone" || fail "Icecast did not come up"
stream=$ICECAST_URL
radio_prepare "$program"
settings=$RADIO_SETTINGS
printf '[Navn]\n1=Local Icecast\n[URL]\n1=%s\n' "$stream" >"$work/program/Mine Kanaler.ini"

# 1. First start with an empty store.
radio_start
shot radio-1-first-start
pause_button=$(button_print)
radio_quit
wait_for 5 grep -qx 'Tittel2=no channel selected' "$settings" ||
    fail "first start: saved $(setting Tittel2)"
[[ -z $(setting LydstraumURL) ]] || fail "first start: saved a stream $(setting LydstraumURL)"
pass "first start: no channel selected saved on exit"

# 2. Tune from My Channels: the star button, then My Channels > the first entry after the
#    edit entry.
radio_start
main_menu
xdotool key Down Right Down Return
wait_for 15 setting_is LydstraumURL "$stream" || fail "My Channels: saved '$(setting LydstraumURL)'"
wait_for 10 listening || fail "My Channels: not connected to the server"
shot radio-2-tuned
pass "My Channels tuned to the stream"

# 3. Information View on: Settings > Information View > Yes.
main_menu
xdotool key Down Down Right Down Right Return
wait_for 10 setting_is VisInfo 1 || fail "Information View: VisInfo=$(setting VisInfo)"
before=$(popups)
icecast_title "Morvena Artist - First Title" || fail "the server refused the title"
# Icecast's burst holds the title back about 4 s behind the audio.
wait_for 15 new_popup "$before" || fail "no popup for the first title"
shot radio-3-popup
pass "information view: a popup for the title"

# 4. A long press on preset 5 stores the stream there.
eval "$(xdotool getwindowgeometry --shell "$RADIO_MAIN")"
xdotool mousemove $((X + 233 + 16)) $((Y + 102 + 11)) mousedown 1
sleep 2.5 # the press must last; nothing to poll while it is held
xdotool mouseup 1
wait_for 10 setting_is Knapp5_URL "$stream" || fail "preset 5 holds '$(setting Knapp5_URL)'"
shot radio-4-preset-stored
pass "long press: preset 5 stored"

# 5. Stop Radio (the last item of the main menu), then a short press on preset 5.
main_menu
xdotool key Up Return
wait_for 10 setting_is LydstraumURL "" || fail "Stop Radio: still '$(setting LydstraumURL)'"
wait_for 10 eval '! listening' || fail "Stop Radio: still connected to the server"
shot radio-5-stopped
pass "Stop Radio: no stream saved"
click_panel 233 102 33 22
wait_for 10 setting_is LydstraumURL "$stream" || fail "preset 5: saved '$(setting LydstraumURL)'"
shot radio-5-preset-tuned
pass "short press on preset 5: the stream again"

# 6. Pause, a restart in between, continue.
click_panel 187 164 17 20
wait_for 10 setting_is Tittel2 "Pause..." || fail "pause: Tittel2=$(setting Tittel2)"
shot radio-6-paused
pause_shown() { [[ $(button_print) == "$pause_button" ]]; }
wait_for 5 eval '! pause_shown' || fail "pause: the pause button is still shown"
paused_button=$(button_print)
radio_quit
setting_is Tittel2 "Pause..." || fail "paused quit: Tittel2=$(setting Tittel2)"
radio_start
shot radio-6-paused-restart
sleep 1 # a resumed stream would have connected by now; nothing else to poll
setting_is Tittel2 "Pause..." || fail "restart: Tittel2=$(setting Tittel2)"
listening && fail "restart: paused, yet connected to the server"
[[ $(button_print) == "$paused_button" ]] || fail "restart: the continue button is not shown"
pass "paused, still paused after SIGTERM and a restart"
click_panel 188 164 17 20
wait_for 15 sh -c "! grep -qxF 'Tittel2=Pause...' '$settings'" || fail "continue: still paused"
setting_is LydstraumURL "$stream" || fail "continue: LydstraumURL=$(setting LydstraumURL)"
wait_for 10 listening || fail "continue: not connected to the server"
wait_for 5 pause_shown || fail "continue: the pause button is not back"
shot radio-6-continued
radio_quit
setting_is LydstraumURL "$stream" || fail "continue then quit: LydstraumURL=$(setting LydstraumURL)"
pass "continue: playing again"

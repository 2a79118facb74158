#!/usr/bin/env bash
# "My Channels" with the longest list it takes (32,767 entries, an old Windows list:
# Windows-1252, CRLF) on the shared headless desktop: the submenu fits the screen, End
# reaches the last entry and Return tunes to it. Exits 77 when the desktop tools are missing.
#   e2e_channels.sh <morvena-webradio> <artifacts folder>
set -euo pipefail
program=${1:?usage: e2e_channels.sh <morvena-webradio> <artifacts>}
artifacts=${2:?}
source "$(dirname "$0")/radio.sh"
in_dbus_session "$0" "$@"
need python3
mkdir -p "$artifacts"
radio_desktop
radio_prepare "$program"
python3 - "$work/program/Mine Kanaler.ini" <<'PY'
import sys
names = ["[Navn]"] + [f"{i}=Kanal {i} \xd8st" for i in range(1, 32768)]
urls = ["[URL]"] + [f"{i}=http://127.0.0.1:9/{i}" for i in range(1, 32768)]
open(sys.argv[1], "wb").write("\r\n".join(names + [""] + urls + [""]).encode("cp1252"))
PY
image_of() { import -window "$1" png:- 2>/dev/null | md5sum; }

radio_start
main_menu
xdotool key Down Right
wait_for 10 eval '[[ -n $(our_windows 0 0 300) ]]' || fail "My Channels did not open"
read -r favs _ y _ height <<<"$(our_windows 0 0 300 | head -n 1)"
screen_height=$(xdpyinfo | sed -n 's/.*dimensions: *[0-9]*x\([0-9]*\) .*/\1/p')
((y >= 0 && y + height <= screen_height)) || fail "My Channels spans $y+$height of $screen_height"
before=$(image_of "$favs")
xdotool key Down End
wait_for 5 eval '[[ $(image_of "$favs") != "$before" ]]' || fail "End did not scroll"
shot channels-end
xdotool key Return
wait_for 10 setting_is LydstraumURL "http://127.0.0.1:9/32767" ||
    fail "the last entry: saved '$(setting LydstraumURL)'"
pass "My Channels with 32,767 entries fits the screen ($height px); End and Return tune to the last"

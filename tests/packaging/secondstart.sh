#!/usr/bin/env bash
# A second start with a stream's URL hands it to the running player and ends at once;
# the running player then plays that stream (it saves the URL as it tunes). Then a start
# with a channel list installs it there as a drop would, but leaves the file where it was:
# the player restarts, and the new instance takes over from the old one and serves later
# starts. First, a mistyped option is refused without a display.
#   secondstart.sh <morvena-webradio> <morvena-streamserver> <fixture folder>
set -euo pipefail
program=${1:?usage: secondstart.sh <program> <stream server> <fixtures>}
source "$(dirname "$0")/../e2e/radio.sh"
spawn "${2:?}" --fixtures "${3:?}" >"$work/port" 2>/dev/null
wait_for 10 test -s "$work/port" || fail "no stream server"
url=http://127.0.0.1:$(head -n 1 "$work/port")/tone.mp3
radio_prepare "$program"
program=$work/program/morvena-webradio

# The command line is read before anything needs a display; Qt's own options still work.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C LANGUAGE= "$program" --bogus >"$work/bogus.out" 2>&1 ||
    status=$?
[[ $status == 2 ]] && grep -q "Unknown option 'bogus'" "$work/bogus.out" ||
    fail "--bogus without a display ended with $status: $(cat "$work/bogus.out")"
[[ $("$program" -platform offscreen --version) == "Morvena Webradio 2.71" ]] ||
    fail "-platform offscreen --version"
radio_start
first=$RADIO_PID
wait_for 15 compgen -G "$work/runtime/org.morvena.Webradio-*" || fail "the first start never came up"

timeout 20 "$program" "$url" >"$work/second.log" 2>&1 || fail "the second start ended with $?"
wait_for 15 setting_is LydstraumURL "$url" || fail "the first start does not play $url"
kill -0 "$first" || fail "the first start ended"

printf '[Navn]\n1=Handed Over\n[URL]\n1=%s\n' "$url" >"$work/Mine Kanaler.ini"
cp "$work/Mine Kanaler.ini" "$work/expected.ini"
timeout 20 "$program" "$work/Mine Kanaler.ini" >>"$work/second.log" 2>&1 ||
    fail "the start with a list ended with $?"
gone() { [[ ! -e /proc/$1 || $(cut -d ' ' -f 3 "/proc/$1/stat") == Z ]]; }
wait_for 15 gone "$first" || fail "the old instance did not end after the install"
cmp -s "$work/expected.ini" "$work/program/Mine Kanaler.ini" || fail "the list was not installed"
# Opened with the player, the listener's own file stays where it was.
cmp -s "$work/expected.ini" "$work/Mine Kanaler.ini" || fail "the opened list was removed"
# The restarted instance is not our child: find it by the program's unique path.
wait_for 15 pgrep -f "^$program --restart" || fail "no new instance after the install"
PIDS+=($(pgrep -f "^$program --restart"))
timeout 20 "$program" >>"$work/second.log" 2>&1 || fail "the new instance does not serve later starts"
pass "the second start handed $url to the first and ended; a list install restarted it"

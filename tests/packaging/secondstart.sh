#!/usr/bin/env bash
# A second start with a stream's URL hands it to the running player and ends at once;
# the running player then plays that stream (it saves the URL as it tunes). Then a start
# with a channel list installs it there as a drop would: the player restarts, and the new
# instance takes over from the old one and serves later starts.
#   secondstart.sh <morvena-webradio> <morvena-streamserver> <fixture folder>
set -euo pipefail
program=${1:?usage: secondstart.sh <program> <stream server> <fixtures>}
server_program=${2:?}
fixtures=${3:?}
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/first.log" >&2 || true; exit 1; }
# Bounded polling: up to $1 tenths of a second for the command after it.
poll() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do "$@" && return 0; sleep 0.1; done
    return 1
}

"$server_program" --fixtures "$fixtures" >"$work/port" 2>/dev/null &
pids+=($!)
poll 100 test -s "$work/port" || fail "no stream server"
url=http://127.0.0.1:$(head -n 1 "$work/port")/tone.mp3

mkdir -m 0700 "$work/runtime"
mkdir -p "$work/program"
# A copy of its own, so the list it writes beside itself stays in the temporary folder.
cp "$program" "$work/program/"
program=$work/program/$(basename "$program")
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=offscreen MORVENA_MPV_OPTIONS=ao=null
"$program" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
poll 150 compgen -G "$work/runtime/org.morvena.Webradio-*" >/dev/null || fail "the first start never came up"

status=0
timeout 20 "$program" "$url" >"$work/second.log" 2>&1 || status=$?
((status == 0)) || { cat "$work/second.log" >&2; fail "the second start ended with $status"; }
settings="$XDG_CONFIG_HOME/Morvena Webradio/settings.ini"
poll 150 grep -qxF "LydstraumURL=$url" "$settings" || fail "the first start does not play $url"
kill -0 "$first" || fail "the first start ended"

printf '[Navn]\n1=Handed Over\n[URL]\n1=%s\n' "$url" >"$work/Mine Kanaler.ini"
cp "$work/Mine Kanaler.ini" "$work/expected.ini"
timeout 20 "$program" "$work/Mine Kanaler.ini" >>"$work/second.log" 2>&1 ||
    fail "the start with a list ended with $?"
gone() { [[ ! -e /proc/$1 || $(cut -d ' ' -f 3 "/proc/$1/stat") == Z ]]; }
poll 150 gone "$first" || fail "the old instance did not end after the install"
cmp -s "$work/expected.ini" "$work/program/Mine Kanaler.ini" || fail "the list was not installed"
# The restarted instance is not our child: find it by the program's unique path.
poll 150 pgrep -f "^$program --restart" >/dev/null || fail "no new instance after the install"
pids+=($(pgrep -f "^$program --restart"))
timeout 20 "$program" >>"$work/second.log" 2>&1 || fail "the new instance does not serve later starts"
echo "ok: the second start handed $url to the first and ended; a list install restarted it"

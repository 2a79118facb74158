#!/usr/bin/env bash
# The real program on the headless desktop of the desktop tests, measured from outside:
#   - start-up: from exec to the panel shown (mapped and viewable) and painted (its pixels
#     no longer all one colour), with an empty store and with a 32,767-entry channel list;
#   - CPU of 20 popups in a row (bench-popups);
#   - CPU over a stretch of playback of the local stream server's MP3, the window shown,
#     then the same with the window in the tray.
# Prints figures; not a test.
#
#   bench/bench_desktop.sh [build folder, default build/release] [runs, 5] [seconds, 120]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-5}
seconds=${3:-120}
program=$build/app/morvena-webradio
server=$build/tests/support/morvena-streamserver
[[ -x $program && -x $server ]] || { echo "build first: $program, $server" >&2; exit 2; }

if [[ -z ${MORVENA_BENCH_INNER:-} ]]; then
    export MORVENA_BENCH_INNER=1
    exec dbus-run-session -- bash "$0" "$@"
fi
# shellcheck source=../tests/integration/desktop.sh
source "$root/tests/integration/desktop.sh"
work=$(mktemp -d)
pids=()
finish() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    desktop_stop
    rm -rf "$work"
}
desktop_start
trap finish EXIT # after desktop_start, whose own trap it replaces

export MORVENA_MPV_OPTIONS=ao=null QT_QPA_PLATFORM=xcb
mkdir -p "$work/program"
cp "$program" "$work/program/morvena-webradio"

panel() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        ((WIDTH == 315 && HEIGHT == 184)) && { echo "$id"; return 0; }
    done
    return 1
}
painted() { # more than one colour in the panel
    (($(import -window "$1" -format '%k' info: 2>/dev/null || echo 0) > 1))
}
now_ms() { date +%s%3N; }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# One start: prints "<ms to shown> <ms to painted>", then ends the program.
one_start() {
    rm -rf "$work/config" "$work/data"
    export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
    local start shown id pid
    start=$(now_ms)
    "$work/program/morvena-webradio" >/dev/null 2>&1 &
    pid=$!
    for ((i = 0; i < 2000; i++)); do id=$(panel) && break; sleep 0.005; done
    shown=$(now_ms)
    for ((i = 0; i < 2000; i++)); do painted "$id" && break; sleep 0.005; done
    echo "$((shown - start)) $(($(now_ms) - start))"
    kill -TERM "$pid"
    wait "$pid" || true
}

startup() { # <label>
    local results shown paint
    results=$(for ((r = 0; r < runs; r++)); do one_start; done)
    shown=$(awk '{print $1}' <<<"$results" | median)
    paint=$(awk '{print $2}' <<<"$results" | median)
    printf '%-34s shown %5d ms, painted %5d ms (median of %d)\n' "$1" "$shown" "$paint" "$runs"
}

one_start >/dev/null # warm the caches
rm -f "$work/program/Mine Kanaler.ini"
startup "start-up, empty store:"
awk 'BEGIN {
    print "[Navn]"; for (i = 1; i <= 32767; i++) print i "=Kanal " i " Stasjon"
    print "[URL]"; for (i = 1; i <= 32767; i++) print i "=http://127.0.0.1:8000/s/" i ".mp3"
}' >"$work/program/Mine Kanaler.ini"
startup "start-up, 32,767 channels:"
rm -f "$work/program/Mine Kanaler.ini"

# Twenty popups in a row, on this desktop (translucent windows through the compositor).
if [[ -x $build/bench/bench-popups ]]; then
    "$build/bench/bench-popups" --count 20 --gap 500
fi

# Playback: the stream server, the program tuned to it through its stored state.
"$server" --fixtures "$build/fixtures" >"$work/server.out" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/server.out"
port=$(head -n 1 "$work/server.out")
rm -rf "$work/config" "$work/data"
mkdir -p "$work/config/Morvena Webradio"
printf '[2.71]\nLydstraumURL=http://127.0.0.1:%s/tone.mp3\nTittel2=Bench\n' "$port" \
    >"$work/config/Morvena Webradio/settings.ini"
"$work/program/morvena-webradio" >"$work/program.log" 2>&1 &
app=$!
pids+=("$app")
wait_for 20 panel
main=$(panel)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$app/status"; }
sleep 5 # let the stream settle before measuring; nothing to poll
# The stored stream resumed at start: the program holds a connection to the server.
ss -tn state established "( dport = :$port )" | grep -q 127.0.0.1 ||
    { echo "the program is not playing the stream" >&2; exit 1; }
hz=$(getconf CLK_TCK)
measure() { # <label>
    local before after
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    printf '%-34s %.2f s CPU over %d s (%.2f%% of a core), RSS %d MiB\n' "$1" \
        "$(echo "($after - $before) / $hz" | bc -l)" "$seconds" \
        "$(echo "100 * ($after - $before) / $hz / $seconds" | bc -l)" $(($(rss_kib) / 1024))
}
measure "playing, window shown:"
# The to-tray button at the panel's top right.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 274 + 14)) $((Y + 10)) click 1
wait_for 10 sh -c "! xdotool search --onlyvisible --classname morvena-webradio | grep -qx $main"
measure "playing, window in the tray:"

#!/usr/bin/env bash
# What a day of radio costs: the program, the mpv command-line player and Goodvibes (a
# GStreamer radio player) play the same local stream side by side on the headless desktop
# of the desktop tests, all with silent outputs. For each, over rounds of the given length:
#   - CPU seconds (user + system);
#   - wake-ups a second: voluntary + involuntary context switches of every thread;
#   - private memory (Private_Dirty of /proc/PID/smaps_rollup) at the end;
# first with the program's window shown, then with it in the tray. Then the program with
# nothing playing (wake-ups), and the time from SIGTERM to the end of each process: while
# playing, and for the program while a dropped stream is retried and while it waits on a
# server that accepts and never answers. Prints figures; not a test.
#
#   bench/bench_lightness.sh [build folder, default build/release] [rounds, 3] [seconds, 60]
#
# Needs Debian's goodvibes (installed here when missing) and the desktop tools.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
rounds=${2:-3}
seconds=${3:-60}
program=$build/app/morvena-webradio
server=$build/tests/support/morvena-streamserver
[[ -x $program && -x $server ]] || { echo "build first: $program, $server" >&2; exit 2; }

if [[ -z ${MORVENA_BENCH_INNER:-} ]]; then
    if ! command -v goodvibes >/dev/null || ! command -v goodvibes-client >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends goodvibes \
            gstreamer1.0-plugins-good >/dev/null
    fi
    export MORVENA_BENCH_INNER=1
    # Goodvibes keeps its settings in dconf, whose service the session bus starts with the
    # bus's own environment: a folder of the run's own, not the user's settings.
    MORVENA_BENCH_HOME=$(mktemp -d)
    export MORVENA_BENCH_HOME XDG_CONFIG_HOME=$MORVENA_BENCH_HOME/config
    export XDG_DATA_HOME=$MORVENA_BENCH_HOME/data XDG_CACHE_HOME=$MORVENA_BENCH_HOME/cache
    trap 'rm -rf "$MORVENA_BENCH_HOME"' EXIT
    dbus-run-session -- bash "$0" "$@"
    exit
fi
# shellcheck source=../tests/integration/desktop.sh
source "$root/tests/integration/desktop.sh"
# shellcheck source=proc.sh
source "$root/bench/proc.sh"
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
hz=$(getconf CLK_TCK)

switches() { # <pid>: context switches of all its threads so far
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n + 0}'
}
private_mib() { awk '/^Private_Dirty/ {printf "%.1f", $2 / 1024}' "/proc/$1/smaps_rollup"; }
now_ns() { date +%s%N; }
exit_ms() { # <pid>: SIGTERM, then milliseconds until it is gone (at most 10 s)
    local t0 i
    t0=$(now_ns)
    kill -TERM "$1"
    for ((i = 0; i < 10000; i++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.001; done
    wait "$1" 2>/dev/null || true
    echo $((($(now_ns) - t0) / 1000000))
}
panel() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        ((WIDTH == 315 && HEIGHT == 184)) && { echo "$id"; return 0; }
    done
    return 1
}
start_program() { # <stream or empty>: the program with a fresh store, playing it
    rm -rf "$work/config" "$work/data"
    mkdir -p "$work/config/Morvena Webradio"
    [[ -n $1 ]] && printf '[2.71]\nLydstraumURL=%s\nTittel2=Bench\n' "$1" \
        >"$work/config/Morvena Webradio/settings.ini"
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data "$program" >>"$work/program.log" 2>&1 &
    app=$!
    pids+=("$app")
    wait_for 20 panel
}

"$server" --fixtures "$build/fixtures" >"$work/server.out" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/server.out"
port=$(head -n 1 "$work/server.out")
stream=http://127.0.0.1:$port/tone.mp3

start_program "$stream"
mpv --no-config --no-video --no-terminal --ao=null "$stream" >/dev/null 2>&1 &
cli=$!
pids+=("$cli")
goodvibes --without-ui >"$work/gv.log" 2>&1 &
gv=$!
pids+=("$gv")
wait_for 20 sh -c 'goodvibes-client is-running | grep -qx true' ||
    { echo "goodvibes did not start" >&2; cat "$work/gv.log" >&2; exit 1; }
goodvibes-client conf set core pipeline-string "'fakesink sync=true'" >/dev/null
goodvibes-client conf set core pipeline-enabled true >/dev/null
# Its player interface comes on the bus a moment after its name.
wait_for 20 goodvibes-client playing || { echo "goodvibes has no player" >&2; exit 1; }
goodvibes-client play "$stream" >/dev/null
sleep 5 # let the streams settle before measuring; nothing to poll
for pid in "$app" "$cli"; do
    ss -tnp state established "( dport = :$port )" | grep -q "pid=$pid," ||
        { echo "process $pid is not playing the stream" >&2; exit 1; }
done
ss -tnp state established "( dport = :$port )" | grep -q "goodvibes" ||
    { echo "goodvibes is not playing the stream" >&2; exit 1; }

names=(program mpv goodvibes)
procs=("$app" "$cli" "$gv")
# One round: prints "cpu_s wakeups_per_s" for each process, on one line.
round() {
    local -a cpu0 sw0
    local i
    for i in 0 1 2; do cpu0[i]=$(cpu_ticks "${procs[i]}"); sw0[i]=$(switches "${procs[i]}"); done
    sleep "$seconds"
    for i in 0 1 2; do
        printf '%s %s ' \
            "$(echo "($(cpu_ticks "${procs[i]}") - ${cpu0[i]}) / $hz" | bc -l)" \
            "$(echo "($(switches "${procs[i]}") - ${sw0[i]}) / $seconds" | bc -l)"
    done
    echo
}
column_median() { awk -v c="$1" '{print $c}' "$2" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
report() { # <label> <rounds file>
    local i cpu wk
    echo "$1 (median of $rounds rounds of $seconds s):"
    for i in 0 1 2; do
        cpu=$(column_median $((2 * i + 1)) "$2")
        wk=$(column_median $((2 * i + 2)) "$2")
        printf '  %-10s %6.2f s CPU  %6.1f wake-ups/s  %5s MiB private\n' "${names[i]}" "$cpu" \
            "$wk" "$(private_mib "${procs[i]}")"
        eval "cpu_$i=$cpu"
    done
    # shellcheck disable=SC2154 # set by the eval above
    printf '  ratios: program/goodvibes %.2f, program/mpv %.2f\n' \
        "$(echo "$cpu_0 / $cpu_2" | bc -l)" "$(echo "$cpu_0 / $cpu_1" | bc -l)"
}

for ((r = 0; r < rounds; r++)); do round; done >"$work/shown"
report "window shown" "$work/shown"
main=$(panel)
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 274 + 14)) $((Y + 10)) click 1 # the to-tray button
wait_for 10 sh -c "! xdotool search --onlyvisible --classname morvena-webradio | grep -qx $main"
xdotool mousemove 5 700 # off the panel's place: no hover left behind
for ((r = 0; r < rounds; r++)); do round; done >"$work/tray"
report "window in the tray" "$work/tray"

printf 'exit after SIGTERM while playing: program %d ms, mpv %d ms, goodvibes %d ms\n' \
    "$(exit_ms "$app")" "$(exit_ms "$cli")" "$(exit_ms "$gv")"

# Nothing playing: the window shown, no stream.
start_program ""
sleep 3
s0=$(switches "$app")
sleep 20
printf 'nothing playing, window shown: %.1f wake-ups/s over 20 s\n' \
    "$(echo "($(switches "$app") - s0) / 20" | bc -l)"
printf 'exit after SIGTERM, nothing playing: %d ms\n' "$(exit_ms "$app")"

# A dropped stream being retried: its own server goes away while it plays.
"$server" --fixtures "$build/fixtures" >"$work/server2.out" 2>&1 &
own=$!
wait_for 10 test -s "$work/server2.out"
start_program "http://127.0.0.1:$(head -n 1 "$work/server2.out")/tone.mp3"
sleep 4
kill "$own"
wait "$own" 2>/dev/null || true
sleep 4 # the drop is noticed (~1.6 s), then retried with back-off
printf 'exit after SIGTERM, retrying a dropped stream: %d ms\n' "$(exit_ms "$app")"

# A server that takes the connection and never answers: the open is in progress.
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
time.sleep(120)' >"$work/silent.out" &
silent=$!
pids+=("$silent")
wait_for 10 test -s "$work/silent.out"
start_program "http://127.0.0.1:$(head -n 1 "$work/silent.out")/never.mp3"
sleep 3
printf 'exit after SIGTERM, waiting on a silent server: %d ms\n' "$(exit_ms "$app")"

#!/usr/bin/env bash
# What a day of radio costs: the program, the mpv command-line player and Goodvibes (a
# GStreamer radio player) play the same 128 kbps MP3 from a local Icecast 2 server side by
# side on the headless desktop of the end-to-end tests. For each, over rounds of the given
# length:
#   - CPU seconds (user + system);
#   - wake-ups a second: voluntary + involuntary context switches of every thread;
#   - private memory (Private_Dirty of /proc/PID/smaps_rollup) at the end;
# first with silent outputs (the engine's null output, Goodvibes' `fakesink sync=true`),
# the program's window shown, then in the tray; then one round of each with a real sound
# server, PulseAudio with a null sink, as listeners run them. Then the program with nothing
# playing (wake-ups), and the time from SIGTERM to the end of each process: while playing,
# and for the program while a dropped stream is retried and while it waits on a server
# that accepts and never answers. Prints figures; not a test.
#
#   bench/bench_lightness.sh [build folder, default build/release] [rounds, 3] [seconds, 120]
#
# Installs Debian's goodvibes, GStreamer's good plugins and PulseAudio when missing; needs
# the desktop tools, icecast2 and ffmpeg of the test packages.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
rounds=${2:-3}
seconds=${3:-120}
program=$build/app/morvena-webradio
server=$build/tests/support/morvena-streamserver
tone=$build/fixtures/tone.mp3
[[ -x $program && -x $server && -f $tone ]] || { echo "build first: $program, $server" >&2; exit 2; }

if [[ -z ${MORVENA_E2E_INNER:-} ]]; then
    missing=()
    for tool in goodvibes goodvibes-client pulseaudio pactl; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if ((${#missing[@]})); then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends goodvibes \
            gstreamer1.0-plugins-good gstreamer1.0-pulseaudio pulseaudio pulseaudio-utils \
            >/dev/null
    fi
    export MORVENA_E2E_INNER=1
    # Goodvibes keeps its settings in dconf, whose service the session bus starts with the
    # bus's own environment: a folder of the run's own, not the user's settings.
    MORVENA_BENCH_HOME=$(mktemp -d)
    export MORVENA_BENCH_HOME XDG_CONFIG_HOME=$MORVENA_BENCH_HOME/config
    export XDG_DATA_HOME=$MORVENA_BENCH_HOME/data XDG_CACHE_HOME=$MORVENA_BENCH_HOME/cache
    trap 'rm -rf "$MORVENA_BENCH_HOME"' EXIT
    dbus-run-session -- bash "$0" "$@"
    exit
fi
# shellcheck source=../tests/e2e/radio.sh
source "$root/tests/e2e/radio.sh"
# shellcheck source=proc.sh
source "$root/bench/proc.sh"
need icecast2 ffmpeg curl python3 goodvibes pulseaudio
radio_desktop
icecast_start "$tone" || fail "Icecast did not come up"
stream=$ICECAST_URL
export QT_QPA_PLATFORM=xcb
hz=$(getconf CLK_TCK)

switches() { # <pid>: context switches of all its threads so far
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n + 0}'
}
private_mib() { awk '/^Private_Dirty/ {printf "%.1f", $2 / 1024}' "/proc/$1/smaps_rollup"; }
exit_ms() { # <pid>: SIGTERM, then milliseconds until the process has ended (at most 10 s)
    python3 -c '
import os, select, signal, sys, time
pid = int(sys.argv[1])
fd = os.pidfd_open(pid)
start = time.monotonic()
os.kill(pid, signal.SIGTERM)
select.select([fd], [], [], 10)
print(round((time.monotonic() - start) * 1000))' "$1"
    wait "$1" 2>/dev/null || true
}
start_program() { # <stream or empty> <engine output>: the program with a fresh store
    rm -rf "$work/config" "$work/data"
    mkdir -p "$work/config/Morvena Webradio"
    [[ -n $1 ]] && printf '[2.71]\nLydstraumURL=%s\nTittel2=Bench\n' "$1" \
        >"$work/config/Morvena Webradio/settings.ini"
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data MORVENA_MPV_OPTIONS=ao=$2 \
        "$program" >>"$work/program.log" 2>&1 &
    app=$!
    PIDS+=("$app")
    wait_for 20 panel_window || fail "the panel did not appear"
}
to_tray() {
    local main
    main=$(panel_window)
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + 274 + 14)) $((Y + 10)) click 1 # the to-tray button
    wait_for 10 sh -c "! xdotool search --onlyvisible --classname morvena-webradio | grep -qx $main" ||
        fail "the window did not go to the tray"
    xdotool mousemove 5 700 # off the panel's place: no hover left behind
}
start_cli() { # <engine output>: the mpv command line on the stream
    mpv --no-config --no-video --no-terminal --ao="$1" "$stream" >/dev/null 2>&1 &
    cli=$!
    PIDS+=("$cli")
}
start_goodvibes() { # <pipeline>: Goodvibes on the stream, its output set to the pipeline
    goodvibes --without-ui >"$work/gv.log" 2>&1 &
    gv=$!
    PIDS+=("$gv")
    wait_for 20 sh -c 'goodvibes-client is-running | grep -qx true' ||
        fail "goodvibes did not start"
    goodvibes-client conf set core pipeline-string "'$1'" >/dev/null
    goodvibes-client conf set core pipeline-enabled true >/dev/null
    # Its player interface comes on the bus a moment after its name.
    wait_for 20 goodvibes-client playing || fail "goodvibes has no player"
    goodvibes-client play "$stream" >/dev/null
}
playing() { # <pid or name>: it holds a connection to the stream
    ss -tnp state established "( dport = :$ICECAST_PORT )" | grep -Eq "pid=$1,|\"$1\""
}
settle() { # <pid or name>...: let the streams settle before measuring; nothing to poll
    sleep 5
    local who
    for who; do playing "$who" || fail "$who is not playing the stream"; done
}
# The three players on the stream: <engine output> <Goodvibes' pipeline>.
start_players() {
    start_program "$stream" "$1"
    start_cli "$1"
    start_goodvibes "$2"
    settle "$app" "$cli" goodvibes
    procs=("$app" "$cli" "$gv")
}
names=(program mpv goodvibes)
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
measure() { # <label> <rounds>
    local i r cpu wk file=$work/rounds
    for ((r = 0; r < $2; r++)); do round; done >"$file"
    echo "$1 (median of $2 rounds of $seconds s):"
    for i in 0 1 2; do
        cpu=$(column_median $((2 * i + 1)) "$file")
        wk=$(column_median $((2 * i + 2)) "$file")
        printf '  %-10s %6.2f s CPU  %6.1f wake-ups/s  %5s MiB private\n' "${names[i]}" "$cpu" \
            "$wk" "$(private_mib "${procs[i]}")"
        eval "cpu_$i=$cpu"
    done
    # shellcheck disable=SC2154 # set by the eval above
    printf '  ratios: program/goodvibes %.2f, program/mpv %.2f\n' \
        "$(echo "$cpu_0 / $cpu_2" | bc -l)" "$(echo "$cpu_0 / $cpu_1" | bc -l)"
}

start_players null 'fakesink sync=true'
measure "silent outputs, window shown" "$rounds"
to_tray
measure "silent outputs, window in the tray" "$rounds"
printf 'exit after SIGTERM while playing: program %d ms, mpv %d ms, goodvibes %d ms\n' \
    "$(exit_ms "$app")" "$(exit_ms "$cli")" "$(exit_ms "$gv")"

# A real sound server: PulseAudio with a null sink, in the desktop's runtime folder. One
# player at a time: PulseAudio runs a sink at the shortest latency any of its streams asks
# for and wakes every stream at that pace, so players side by side would set each other's
# cost, and a listener runs one.
spawn pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
    --load="module-native-protocol-unix" --load="module-null-sink sink_name=bench" \
    2>"$work/pulseaudio.log"
wait_for 10 pactl info || fail "PulseAudio did not start"
alone() { # <label> <pid>: one round of one process
    local cpu0 sw0 cpu
    cpu0=$(cpu_ticks "$2")
    sw0=$(switches "$2")
    sleep "$seconds"
    cpu=$(echo "($(cpu_ticks "$2") - $cpu0) / $hz" | bc -l)
    printf '  %-24s %6.2f s CPU  %6.1f wake-ups/s  %5s MiB private\n' "$1" "$cpu" \
        "$(echo "($(switches "$2") - $sw0) / $seconds" | bc -l)" "$(private_mib "$2")"
    eval "alone_$3=$cpu"
}
echo "PulseAudio, each player alone (one round of $seconds s each):"
start_program "$stream" pulse
settle "$app"
alone "program, window shown" "$app" shown
to_tray
alone "program, in the tray" "$app" tray
stop_pid "$app"
start_cli pulse
settle "$cli"
alone mpv "$cli" mpv
stop_pid "$cli"
start_goodvibes pulsesink
settle goodvibes
alone goodvibes "$gv" goodvibes
stop_pid "$gv"
# shellcheck disable=SC2154 # set by alone's eval
printf '  ratios: program/goodvibes shown %.2f, tray %.2f; program/mpv tray %.2f\n' \
    "$(echo "$alone_shown / $alone_goodvibes" | bc -l)" \
    "$(echo "$alone_tray / $alone_goodvibes" | bc -l)" "$(echo "$alone_tray / $alone_mpv" | bc -l)"

# Nothing playing: the window shown, no stream.
start_program "" null
sleep 3
s0=$(switches "$app")
sleep 20
printf 'nothing playing, window shown: %.1f wake-ups/s over 20 s\n' \
    "$(echo "($(switches "$app") - $s0) / 20" | bc -l)"
printf 'exit after SIGTERM, nothing playing: %d ms\n' "$(exit_ms "$app")"

# A dropped stream being retried: its own server goes away while it plays.
"$server" --fixtures "$build/fixtures" >"$work/server.out" 2>&1 &
own=$!
wait_for 10 test -s "$work/server.out"
start_program "http://127.0.0.1:$(head -n 1 "$work/server.out")/tone.mp3" null
sleep 4
stop_pid "$own"
sleep 4 # the drop is noticed (~1.6 s), then retried with back-off
printf 'exit after SIGTERM, retrying a dropped stream: %d ms\n' "$(exit_ms "$app")"

# A server that takes the connection and never answers: the open is in progress.
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
time.sleep(120)' >"$work/silent.out" &
PIDS+=($!)
wait_for 10 test -s "$work/silent.out"
start_program "http://127.0.0.1:$(head -n 1 "$work/silent.out")/never.mp3" null
sleep 3
printf 'exit after SIGTERM, waiting on a silent server: %d ms\n' "$(exit_ms "$app")"

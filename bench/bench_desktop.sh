#!/usr/bin/env bash
# The real program on the headless desktop of the desktop tests, measured from outside:
#   - start-up: from exec to the panel shown (mapped and viewable) and painted (its pixels
#     no longer all one colour), with an empty store and with a 32,767-entry channel list;
#   - CPU of 20 popups in a row (bench-popups);
#   - time from choosing a channel in "My Channels" to the first decoded audio;
#   - CPU over a stretch of playback of the local stream server's MP3, the window shown,
#     then the same with the window in the tray;
#   - RSS over a long play: peak, final and the slope in MB an hour.
# Every playback figure is set beside the mpv command-line player's (no video, null audio
# output) on the same stream in the same run: the engine with the thinnest front end.
# Prints figures; not a test.
#
#   bench/bench_desktop.sh [build folder, default build/release] [runs, 5] [seconds, 120]
#                          [minutes of play for RSS, 10]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-5}
seconds=${3:-120}
minutes=${4:-10}
program=$build/app/morvena-webradio
server=$build/tests/support/morvena-streamserver
[[ -x $program && -x $server ]] || { echo "build first: $program, $server" >&2; exit 2; }

if [[ -z ${MORVENA_BENCH_INNER:-} ]]; then
    export MORVENA_BENCH_INNER=1
    exec dbus-run-session -- bash "$0" "$@"
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

# The local stream server for everything below.
"$server" --fixtures "$build/fixtures" >"$work/server.out" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/server.out"
port=$(head -n 1 "$work/server.out")
stream=http://127.0.0.1:$port/tone.mp3
mpv_cli=(mpv --no-config --no-video --no-terminal)

# From the Return that picks the channel in the open "My Channels" menu to the first
# bytes the audio output writes (mpv's PCM output to a file): prints milliseconds.
pcm=$work/out.pcm
first_audio_after() { # <ms of the start>
    for ((i = 0; i < 5000; i++)); do [[ -s $pcm ]] && break; sleep 0.002; done
    echo $(($(now_ms) - $1))
}
menu_to_audio() {
    rm -rf "$work/config" "$work/data" "$pcm"
    export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
    local pid id t0
    MORVENA_MPV_OPTIONS="ao=pcm ao-pcm-waveheader=no ao-pcm-file=$pcm" \
        "$work/program/morvena-webradio" >/dev/null 2>&1 &
    pid=$!
    wait_for 20 panel
    id=$(panel)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 19)) $((Y + 21)) click 1 # the star button
    sleep 0.5
    xdotool key Down Right # "My Channels", open; then down past its edit entry
    sleep 0.3
    xdotool key Down
    sleep 0.2 # menus are painted and settled; nothing else to wait for
    t0=$(now_ms)
    xdotool key Return
    first_audio_after "$t0"
    kill -TERM "$pid"
    wait "$pid" || true
}
cli_to_audio() {
    rm -f "$pcm"
    local t0 pid
    t0=$(now_ms)
    "${mpv_cli[@]}" --ao=pcm --ao-pcm-waveheader=no --ao-pcm-file="$pcm" "$stream" &
    pid=$!
    first_audio_after "$t0"
    kill "$pid"
    wait "$pid" || true
}
printf '[Navn]\n1=Bench\n[URL]\n1=%s\n' "$stream" >"$work/program/Mine Kanaler.ini"
printf '%-34s %5d ms (median of %d)\n' "menu choice to first audio:" \
    "$(for ((r = 0; r < runs; r++)); do menu_to_audio; done | median)" "$runs"
printf '%-34s %5d ms (median of %d)\n' "mpv CLI, exec to first audio:" \
    "$(for ((r = 0; r < runs; r++)); do cli_to_audio; done | median)" "$runs"
rm -f "$work/program/Mine Kanaler.ini"

# Playback: the program tuned to the stream through its stored state, and mpv beside it.
rm -rf "$work/config" "$work/data"
mkdir -p "$work/config/Morvena Webradio"
printf '[2.71]\nLydstraumURL=%s\nTittel2=Bench\n' "$stream" \
    >"$work/config/Morvena Webradio/settings.ini"
"$work/program/morvena-webradio" >"$work/program.log" 2>&1 &
app=$!
pids+=("$app")
"${mpv_cli[@]}" --ao=null "$stream" &
cli=$!
pids+=("$cli")
started=$SECONDS
wait_for 20 panel
main=$(panel)
sleep 5 # let the streams settle before measuring; nothing to poll
# The stored stream resumed at start: the program holds a connection to the server.
ss -tnp state established "( dport = :$port )" | grep -q "pid=$app," ||
    { echo "the program is not playing the stream" >&2; exit 1; }
hz=$(getconf CLK_TCK)
: >"$work/rss.app"
: >"$work/rss.cli"
sample_for() { # <seconds>: RSS of both every 10 s meanwhile
    local until=$((SECONDS + $1))
    while ((SECONDS < until)); do
        sleep $((until - SECONDS < 10 ? until - SECONDS : 10))
        echo "$((SECONDS - started)) $(rss_kib "$app")" >>"$work/rss.app"
        echo "$((SECONDS - started)) $(rss_kib "$cli")" >>"$work/rss.cli"
    done
}
cpu_line() { # <label> <ticks>
    printf '%-34s %.2f s CPU over %d s (%.2f%% of a core)\n' "$1" \
        "$(echo "$2 / $hz" | bc -l)" "$seconds" "$(echo "100 * $2 / $hz / $seconds" | bc -l)"
}
measure() { # <label>
    local app_before cli_before
    app_before=$(cpu_ticks "$app")
    cli_before=$(cpu_ticks "$cli")
    sample_for "$seconds"
    cpu_line "$1" $(($(cpu_ticks "$app") - app_before))
    cpu_line "mpv CLI, same stretch:" $(($(cpu_ticks "$cli") - cli_before))
}
measure "playing, window shown:"
# The to-tray button at the panel's top right.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 274 + 14)) $((Y + 10)) click 1
wait_for 10 sh -c "! xdotool search --onlyvisible --classname morvena-webradio | grep -qx $main"
measure "playing, window in the tray:"

sample_for $((minutes * 60 - (SECONDS - started)))
rss_line() { # <label> <samples file>
    printf '%-34s peak %d MiB, final %d MiB, slope %s MiB/h (%s MiB/h after the first minute)\n' \
        "$1" "$(($(awk '{print $2}' "$2" | sort -n | tail -1) / 1024))" \
        "$(($(tail -n 1 "$2" | awk '{print $2}') / 1024))" "$(slope_mib_per_hour <"$2")" \
        "$(awk '$1 >= 60' "$2" | slope_mib_per_hour)"
}
echo "RSS over $((SECONDS - started)) s of play, sampled every 10 s:"
rss_line "  the program:" "$work/rss.app"
rss_line "  mpv CLI:" "$work/rss.cli"

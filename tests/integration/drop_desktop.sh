#!/usr/bin/env bash
# End to end on a headless X server: a second process starts a real drag of an audio file,
# xdotool carries it onto the now-playing text of the running player and lets go, and the
# player must play the file (its state saved with the file's path, decoded audio written)
# while the dragging program is told the drop was a copy.
#   drop_desktop.sh <morvena-webradio> <morvena-dragsource> <audio file>
# Exits 77 (skipped) when the headless desktop's tools are not installed. KEEP_WORK=1 keeps
# the temporary folder with the logs.
set -euo pipefail
program=$1
dragsource=$2
audio=$3

if [[ -z ${MORVENA_DROP_INNER:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "skipped: dbus-run-session missing"; exit 77; }
    export MORVENA_DROP_INNER=1
    exec dbus-run-session -- bash "$0" "$@"
fi

# shellcheck source=desktop.sh
source "$(cd "$(dirname "$0")" && pwd)/desktop.sh"
missing=$(desktop_missing)
[[ -z $missing ]] || { echo "skipped: missing $missing (scripts/install-deps.sh)"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    desktop_stop
    [[ -n ${KEEP_WORK:-} ]] || rm -rf "$work"
}

fail() {
    echo "drop_desktop: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $log" >&2
        cat "$log" >&2
    done
    exit 1
}

desktop_start || fail "no headless desktop"
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config
export XDG_DATA_HOME=$work/data
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
# No sound card here: the engine writes what it decodes to a file instead.
export MORVENA_MPV_OPTIONS="ao=pcm ao-pcm-file=$work/decoded.wav"

# A portable copy of the player, so its channel list lands in the temporary folder.
mkdir "$work/program" "$work/music"
cp "$program" "$work/program/morvena-webradio"
# A blank in the name, as real file names have.
dropped="$work/music/dropped song.${audio##*.}"
cp "$audio" "$dropped"

"$work/program/morvena-webradio" >"$work/player.log" 2>&1 &
pids+=($!)
# The panel is the player's 315x184 window (its other windows: popups, the tray icon).
player_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if ((WIDTH == 315 && HEIGHT == 184)); then
            echo "$id"
            return 0
        fi
    done
    return 1
}
wait_for 20 player_window || fail "no player window"
player=$(player_window)

"$dragsource" "$dropped" >"$work/drag.log" 2>&1 &
pids+=($!)
wait_for 20 xdotool search --onlyvisible --name '^Morvena drag source$' || fail "no drag source"
source=$(xdotool search --onlyvisible --name '^Morvena drag source$' | head -n 1)

# The middle of each window: the drag source is a 160x80 label; Label4 spans (12,62) to
# (172,145) of the player's 315x184 panel.
eval "$(xdotool getwindowgeometry --shell "$source")"
from_x=$((X + WIDTH / 2))
from_y=$((Y + HEIGHT / 2))
eval "$(xdotool getwindowgeometry --shell "$player")"
to_x=$((X + 92))
to_y=$((Y + 103))

xdotool mousemove --sync "$from_x" "$from_y" mousedown 1
# Carried in small steps, so the player sees the drag enter and move before the drop.
for ((step = 1; step <= 20; step++)); do
    xdotool mousemove --sync $((from_x + (to_x - from_x) * step / 20)) \
        $((from_y + (to_y - from_y) * step / 20))
done
xdotool mousemove --sync $((to_x + 2)) "$to_y" mouseup 1

settings="$XDG_CONFIG_HOME/Morvena Webradio/settings.ini"
wait_for 20 grep -qF "$dropped" "$settings" || fail "the drop was not saved as playing"
# Past the 44-byte header: the engine decoded the dropped file.
wait_for 20 sh -c "[ \$(stat -c %s '$work/decoded.wav' 2>/dev/null || echo 0) -gt 4096 ]" ||
    fail "no audio decoded from the dropped file"
wait_for 10 grep -qx copy "$work/drag.log" || fail "the drag did not end as a copy"
[[ -f $dropped ]] || fail "the dropped file is gone"
echo "drop_desktop: the dropped file plays"

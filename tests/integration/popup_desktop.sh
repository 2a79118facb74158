#!/usr/bin/env bash
# Runs the popup's desktop test on a headless X server of its own, with openbox (which
# pulls windows placed off-screen back onto it) and a compositing manager (which shows
# window opacity), and leaves the screenshots it takes.
#   popup_desktop.sh <test program> <screenshot.png>
# Exits 77 (skipped) when the headless desktop's tools are not installed.
set -euo pipefail
test_program=$1
screenshot=$2

skip() {
    echo "skipped: $*"
    exit 77
}
for tool in Xvfb xdpyinfo xwininfo xprop xdotool import openbox; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done
if command -v picom >/dev/null; then
    compositor=(picom --backend xrender --config /dev/null)
elif command -v xcompmgr >/dev/null; then
    compositor=(xcompmgr)
else
    skip "no compositing manager (picom or xcompmgr) is installed"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Polls `condition` every 0.1 s for at most `seconds`.
wait_for() {
    local seconds=$1
    shift
    for ((tick = 0; tick < seconds * 10; tick++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "popup_desktop: timed out waiting for: $*" >&2
    return 1
}

# A display number well away from the usual :0 and :99, free of lock and socket.
display=
for ((attempt = 0; attempt < 20; attempt++)); do
    number=$((300 + (($$ + attempt * 37) % 600)))
    [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
    Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp +extension Composite +extension RANDR \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    if wait_for 10 xdpyinfo -display ":$number"; then
        display=:$number
        break
    fi
    kill "${pids[-1]}" 2>/dev/null || true
    unset 'pids[-1]'
done
[[ -n $display ]] || { cat "$work/xvfb.log" >&2; echo "popup_desktop: no X server" >&2; exit 1; }
export DISPLAY=$display

mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

"${compositor[@]}" >"$work/compositor.log" 2>&1 &
pids+=($!)
wait_for 20 sh -c "xwininfo -root -children | grep -q '\"${compositor[0]}\"'"

MORVENA_SCREENSHOT=$screenshot "$test_program"

# A headless desktop for end-to-end runs: Xvfb, a window manager (openbox), a compositing
# manager (picom) and a tray host (trayer), each stopped by its own PID.
#
# Source it from a script that runs inside dbus-run-session, then:
#   desktop_start            sets DISPLAY, XDG_RUNTIME_DIR; fails when a tool is missing
#   wait_for SECONDS CMD...  polls CMD every 0.1 s until it succeeds or time runs out
#   desktop_stop             stops everything desktop_start started (also on EXIT)

DESKTOP_PIDS=()
DESKTOP_TMP=

wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

desktop_spawn() {
    local log=$DESKTOP_TMP/$1.log
    shift
    "$@" >"$log" 2>&1 &
    DESKTOP_PIDS+=($!)
}

# The tools desktop_start needs.
DESKTOP_TOOLS=(Xvfb xdpyinfo xdotool xprop xwininfo openbox picom trayer)

# Starts Xvfb on the first free display from :90 to :99. Another X server may take the
# same number at the same moment: then ours dies at once and the next number is tried.
desktop_start_x() {
    local n pid
    for n in $(seq 90 99); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        # -noreset: a server that resets as the probe below disconnects refuses the next client.
        Xvfb ":$n" -screen 0 "${DESKTOP_SCREEN:-1280x800x24}" -nolisten tcp -noreset \
            +extension Composite +extension RANDR >"$DESKTOP_TMP/xvfb.log" 2>&1 &
        pid=$!
        export DISPLAY=:$n
        if wait_for 10 xdpyinfo && kill -0 "$pid" 2>/dev/null; then
            DESKTOP_PIDS+=("$pid")
            return 0
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "desktop: no display from :90 to :99 could be started" >&2
    return 1
}

desktop_start() {
    trap desktop_stop EXIT
    DESKTOP_TMP=$(mktemp -d)
    export XDG_RUNTIME_DIR=$DESKTOP_TMP/runtime
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    desktop_start_x || return 1
    desktop_spawn openbox openbox
    # openbox is up once it has claimed the window manager selection and set its check.
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "desktop: openbox did not start" >&2; cat "$DESKTOP_TMP/openbox.log" >&2; return 1; }
    desktop_spawn picom picom --backend xrender --no-fading-openclose
    # picom makes its window once it has taken over the screen.
    wait_for 10 xdotool search --classname picom ||
        { echo "desktop: picom did not start" >&2; return 1; }
    # A tray along the top edge, right-aligned; programs started before it would not see it.
    desktop_spawn trayer trayer --edge top --align right --widthtype pixel --width 120 \
        --height 24 --SetDockType true --SetPartialStrut true
    # trayer shows its panel after it has taken the tray selection.
    wait_for 10 xdotool search --onlyvisible --classname panel ||
        { echo "desktop: trayer did not start" >&2; return 1; }
}

desktop_stop() {
    local i
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${DESKTOP_PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        wait "${DESKTOP_PIDS[i]}" 2>/dev/null || true
    done
    DESKTOP_PIDS=()
    [[ -n $DESKTOP_TMP ]] && rm -rf "$DESKTOP_TMP"
    DESKTOP_TMP=
}

# A headless desktop for end-to-end runs: Xvfb, a window manager (openbox), a compositing
# manager (picom, or xcompmgr) and a tray host (trayer), each stopped by its own PID.
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

# The first display number from 90 to 99 that no X server holds.
desktop_free_display() {
    local n
    for n in $(seq 90 99); do
        if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

desktop_missing() {
    local tool missing=()
    for tool in Xvfb xdpyinfo xdotool xprop xwininfo openbox trayer "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if ! command -v picom >/dev/null && ! command -v xcompmgr >/dev/null; then
        missing+=(picom)
    fi
    echo "${missing[*]}"
}

desktop_start() {
    local n
    n=$(desktop_free_display) || { echo "desktop: no free display" >&2; return 1; }
    DESKTOP_TMP=$(mktemp -d)
    export XDG_RUNTIME_DIR=$DESKTOP_TMP/runtime
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    export DISPLAY=:$n
    Xvfb "$DISPLAY" -screen 0 "${DESKTOP_SCREEN:-1280x800x24}" -nolisten tcp \
        +extension Composite +extension RANDR >"$DESKTOP_TMP/xvfb.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    wait_for 10 xdpyinfo || { echo "desktop: Xvfb did not start" >&2; return 1; }
    openbox >"$DESKTOP_TMP/openbox.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    # openbox is up once it has claimed the window manager selection and set its check.
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "desktop: openbox did not start" >&2; return 1; }
    if command -v picom >/dev/null; then
        picom --backend xrender --no-fading-openclose >"$DESKTOP_TMP/picom.log" 2>&1 &
    else
        xcompmgr >"$DESKTOP_TMP/xcompmgr.log" 2>&1 &
    fi
    DESKTOP_PIDS+=($!)
    wait_for 10 sh -c "xprop -root | grep -q '_NET_WM_CM_S0\|_XROOTPMAP\|_NET_SUPPORTED'" || true
    # A tray along the top edge, right-aligned; programs started before it would not see it.
    trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
        --SetDockType true --SetPartialStrut true --transparent false \
        --tint 0x202020 >"$DESKTOP_TMP/trayer.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    wait_for 10 sh -c 'xprop -root -notype | grep -q "_NET_SYSTEM_TRAY\|_NET_SUPPORTED"' || true
    wait_for 10 desktop_tray_owned ||
        { echo "desktop: trayer did not take the tray" >&2; return 1; }
    trap desktop_stop EXIT
}

# True once a tray host owns the system tray selection of screen 0.
desktop_tray_owned() {
    xdotool search --class trayer >/dev/null 2>&1
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

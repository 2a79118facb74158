#!/usr/bin/env bash
# End to end on a headless desktop with a window manager, a compositing manager and a tray:
# the window appears centred at 315x184; the to-tray button puts it in the tray; a right
# press on the icon opens the main menu and a left press the functions popup; a
# double-click brings the window back (and opens no functions popup); "Always" from the
# tray shows it without activating it and keeps it above another window; a drag on the
# panel moves it; the exit button ends it.
#
#   e2e_window.sh <path to morvena-webradio>
# Exits 77 (skipped) when the desktop tools are missing.
set -euo pipefail

program=${1:?usage: e2e_window.sh <morvena-webradio>}
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} || -z ${MORVENA_E2E_INNER:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session missing"; exit 77; }
    export MORVENA_E2E_INNER=1
    exec dbus-run-session -- "$0" "$@"
fi

# shellcheck source=desktop.sh
source "$here/desktop.sh"
missing=$(desktop_missing xmessage)
if [[ -n $missing ]]; then
    echo "SKIP: missing $missing"
    exit 77
fi

fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${main:-} ]]; then
        xwininfo -id "$main" | grep -E "Map State|geometry" >&2
        xprop -id "$main" _NET_WM_STATE WM_STATE >&2
    fi
    [[ -n ${DISPLAY:-} ]] && import -window root "${MORVENA_E2E_FAILSHOT:-/tmp/morvena-e2e-fail.png}" 2>/dev/null
    exit 1
}
pass() { echo "ok: $*"; }

desktop_start || fail "no desktop"
config=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$config"
    desktop_stop
}
trap cleanup EXIT

# Our windows that the desktop shows, one per line: "<id> <x> <y> <width> <height> <name>".
our_windows() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
            /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
            /Width:/ {w = $2} /Height:/ {h = $2} /Map State/ {m = $3}
            END { if (m == "IsViewable") print id, x, y, w, h }'
    done
}
main_window() { our_windows | awk '$4 == 315 && $5 == 184 {print $1; exit}'; }
tray_icon() { our_windows | awk '$4 <= 32 && $5 <= 32 {print $1; exit}'; }
has_main() { [[ -n $(main_window) ]]; }
has_no_main() { [[ -z $(main_window) ]]; }
has_icon() { [[ -n $(tray_icon) ]]; }
has_no_icon() { [[ -z $(tray_icon) ]]; }
# The shown popup whose window name is $1 ("Meny": the main menu, "Menu": the functions popup).
popup_named() {
    local id
    for id in $(our_windows | awk '{print $1}'); do
        if xprop -id "$id" WM_NAME 2>/dev/null | grep -q "= \"$1\"$"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
no_popup_named() { ! popup_named "$1" >/dev/null; }
centre_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}
# The client windows from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }
above() { # true when window $1 lies above window $2
    stacking | awk -v top="$(printf '0x%x' "$1")" -v bottom="$(printf '0x%x' "$2")" '
        { for (i = 1; i <= NF; i++) { if ($i == top) t = i; if ($i == bottom) b = i } }
        END { exit !(t && b && t > b) }'
}

export XDG_CONFIG_HOME=$config MORVENA_MPV_OPTIONS=ao=null
"$program" >"${MORVENA_E2E_LOG:-$config/program.log}" 2>&1 &
pids+=($!)
app=$!

# 1. The window appears centred on the work area at 315x184.
wait_for 15 has_main || fail "the window did not appear"
main=$(main_window)
read -r _ x y w h <<<"$(our_windows | awk -v id="$main" '$1 == id')"
read -r wx wy ww wh <<<"$(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}')"
[[ $w -eq 315 && $h -eq 184 ]] || fail "size ${w}x$h"
(( ${x} - (wx + (ww - 315) / 2) <= 1 && (wx + (ww - 315) / 2) - x <= 1 )) || fail "x $x not centred"
(( ${y} - (wy + (wh - 184) / 2) <= 1 && (wy + (wh - 184) / 2) - y <= 1 )) || fail "y $y not centred"
pass "window at $x,$y 315x184, centred on the work area ${ww}x$wh+$wx+$wy"

# 2. The to-tray button (MIN) hides the window and adds the icon.
xdotool mousemove $((x + 274 + 14)) $((y + 10)) click 1
wait_for 10 has_icon || fail "no tray icon"
wait_for 10 has_no_main || fail "the window stayed on screen"
pass "to tray: icon shown, window hidden"

# 3. A right press on the icon opens the main menu, a left press (once the double-click
#    time has passed) the functions popup; Escape closes them.
read -r ix iy <<<"$(centre_of "$(tray_icon)")"
xdotool mousemove "$ix" "$iy" click 3
wait_for 10 popup_named Meny || fail "right press: no main menu"
popup_named Menu >/dev/null && fail "right press opened the functions popup"
pass "right press: main menu"
xdotool key Escape
wait_for 10 no_popup_named Meny || fail "the main menu did not close"
xdotool mousemove "$ix" "$iy" click 1
wait_for 10 popup_named Menu || fail "left press: no functions popup"
popup_named Meny >/dev/null && fail "left press opened the main menu"
has_no_main || fail "left press brought the window back"
pass "left press: functions popup"
xdotool key Escape
wait_for 10 no_popup_named Menu || fail "the functions popup did not close"

# 4. A left double-click brings the window back, removes the icon, and opens no popup
#    once the double-click time has passed.
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 120 1
wait_for 10 has_main || fail "double-click: the window did not come back"
wait_for 10 has_no_icon || fail "double-click: the icon stayed"
if wait_for 1 popup_named Menu; then
    fail "double-click also opened the functions popup"
fi
pass "double-click: window back, icon gone, no popup"

# 5. "Always", chosen from the tray icon's menu while another window is active, shows the
#    window again without activating it, keeps the icon, and keeps the window above the
#    other one, also when that one is activated again.
# It overlaps the panel below its top strip, leaving the buttons there free.
xmessage -geometry 420x260+$((x + 100))+$((y + 40)) "another window" &
pids+=($!)
wait_for 10 xdotool search --onlyvisible --class Xmessage || fail "xmessage did not appear"
other=$(xdotool search --onlyvisible --class Xmessage | head -1)
xdotool windowactivate --sync "$other" 2>/dev/null || xdotool windowraise "$other"
wait_for 5 above "$other" "$main" || fail "the other window did not come above ours"
pass "without Always another window covers ours"
xdotool mousemove $((x + 274 + 14)) $((y + 10)) click 1
wait_for 10 has_no_main || fail "to tray again: the window stayed"
wait_for 10 has_icon || fail "to tray again: no icon"
read -r ix iy <<<"$(centre_of "$(tray_icon)")"
xdotool mousemove "$ix" "$iy" click 3
wait_for 10 popup_named Meny || fail "right press: no main menu"
# My Channels, Settings > Always on top > Always.
xdotool key Down Down Right Right Return
wait_for 10 has_main || fail "Always: the hidden window was not shown"
# Qt gives a window whose on-top hint changed while it was hidden a new native window.
main=$(main_window)
wait_for 10 sh -c "xprop -id $main _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
    fail "Always: the window is not kept above"
has_icon || fail "Always: the tray icon went away"
[[ $(xdotool getactivewindow 2>/dev/null) != "$main" ]] || fail "Always: the window was activated"
wait_for 5 above "$main" "$other" || fail "Always: our window is not above the other"
xdotool windowactivate --sync "$other" 2>/dev/null || xdotool windowraise "$other"
wait_for 2 above "$other" "$main" && fail "Always: the other window came above ours"
grep -q '^ToppEllerIkke=1' "$config/Morvena Webradio/settings.ini" || fail "Always was not saved"
pass "Always from the tray: shown without activation, icon kept, above the other window, saved"

# 6. A drag on the panel (here the title) moves the window; the exit button is still where
#    the window now is.
window_at() { [[ $(our_windows | awk -v id="$main" '$1 == id {print $2, $3}') == "$1 $2" ]]; }
xdotool mousemove $((x + 150)) $((y + 25)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((x + 150 + step * 8)) $((y + 25 + step * 6))
done
xdotool mouseup 1
wait_for 10 window_at $((x + 40)) $((y + 30)) ||
    fail "drag: the window is at $(our_windows | awk -v id="$main" '$1 == id {print $2, $3}')"
x=$((x + 40))
y=$((y + 30))
pass "drag on the title: window moved to $x,$y"

# 7. The exit button ends the program.
xdotool mousemove $((x + 297 + 8)) $((y + 10)) click 1
wait_for 10 sh -c "! kill -0 $app 2>/dev/null" || fail "the exit button did not end the program"
wait "$app" || fail "the program ended with status $?"
pids=("${pids[@]:1}")
pass "exit button: program ended"

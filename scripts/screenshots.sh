#!/usr/bin/env bash
# Takes the README's screenshots on a headless desktop: the window as it starts with a
# channel remembered, and the same window with the main menu open at "Always on top".
#   scripts/screenshots.sh [output folder, default docs/] [scale factor, default 1]
# Needs a release build (scripts/build.sh release) and the desktop tools of install-deps.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-$root/docs}" && pwd)
scale=${2:-1}
program=$root/build/release/app/morvena-webradio
[[ -x $program ]] || { echo "screenshots: build first (scripts/build.sh release)" >&2; exit 1; }

if [[ -z ${MORVENA_SHOTS_INNER:-} ]]; then
    export MORVENA_SHOTS_INNER=1
    exec dbus-run-session -- "$0" "$out" "$scale"
fi

source "$root/tests/integration/desktop.sh"
DESKTOP_SCREEN=1024x640x24 desktop_start
config=$(mktemp -d)
app=
finish() {
    [[ -n $app ]] && { kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; }
    rm -rf "$config"
    desktop_stop
}
trap finish EXIT

mkdir -p "$config/Morvena Webradio"
cat >"$config/Morvena Webradio/settings.ini" <<'INI'
[2.71]
Tittel2=Radio Nordlys Jazz
KanalTekst=Esbjørn Svensson Trio - From Gagarin's Point of View
Siste=Radio Nordlys Jazz
INI
XDG_CONFIG_HOME=$config MORVENA_MPV_OPTIONS=ao=null QT_SCALE_FACTOR=$scale "$program" &
app=$!

window() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        if xwininfo -id "$id" | grep -q "Width: $((315 * scale))"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
wait_for 15 window || { echo "screenshots: no window" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$(window)")"
# Let the first paint reach the screen before the shot.
wait_for 5 sh -c "import -window root png:- | convert - -crop 1x1+$((X + 60))+$((Y + 80)) txt:- | grep -qv '#808080'"

suffix=$([[ $scale == 1 ]] && echo "" || echo "@${scale}x")
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$out/main-window$suffix.png"

shown() { [[ $(xdotool search --onlyvisible --classname morvena-webradio | wc -l) -ge $1 ]]; }
xdotool mousemove $((X + (4 + 15) * scale)) $((Y + (6 + 15) * scale)) click 1
wait_for 5 shown 2 || { echo "screenshots: the menu did not open" >&2; exit 1; }
# Down to "Settings", open it, open "Always on top".
xdotool key Down Down Right
wait_for 5 shown 3 || { echo "screenshots: Settings did not open" >&2; exit 1; }
xdotool key Right
wait_for 5 shown 4 || { echo "screenshots: Always on top did not open" >&2; exit 1; }
# The menus fade in under the compositor; there is nothing to poll for that.
sleep 0.4
import -window root -crop "$((WIDTH + 260 * scale))x$((HEIGHT + 40 * scale))+$X+$Y" +repage \
    "$out/main-menu$suffix.png"
echo "screenshots: $out/main-window$suffix.png $out/main-menu$suffix.png"

#!/usr/bin/env bash
# Takes the README's screenshots on a headless desktop: the window playing a channel
# remembered from the last run (a local test stream), the whole screen with the main
# menu open at "Always on top" while a now-playing popup slides in, and the song history.
#   scripts/screenshots.sh [output folder, default docs/] [scale factor, default 1] [language]
# In a language other than English (e.g. nb) the files are named main-window-nb.png and so on.
# Needs a release build (scripts/build.sh release) and the desktop tools of install-deps.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-$root/docs}" && pwd)
scale=${2:-1}
language=${3:-en}
program=$root/build/release/app/morvena-webradio
[[ -x $program ]] || { echo "screenshots: build first (scripts/build.sh release)" >&2; exit 1; }

if [[ -z ${MORVENA_SHOTS_INNER:-} ]]; then
    export MORVENA_SHOTS_INNER=1
    exec dbus-run-session -- "$0" "$out" "$scale" "$language"
fi

source "$root/tests/integration/desktop.sh"
DESKTOP_SCREEN=1024x640x24 desktop_start
config=$(mktemp -d)
app=
server=
finish() {
    [[ -n $app ]] && { kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; }
    [[ -n $server ]] && { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }
    rm -rf "$config"
    desktop_stop
}
trap finish EXIT

build=$root/build/release
"$build/tests/support/morvena-streamserver" --fixtures "$build/fixtures" \
    --title "Esbjørn Svensson Trio - From Gagarin's Point of View" >"$config/port" &
server=$!
wait_for 10 test -s "$config/port" || { echo "screenshots: no stream server" >&2; exit 1; }
mkdir -p "$config/Morvena Webradio"
cat >"$config/Morvena Webradio/settings.ini" <<INI
[2.71]
LydstraumURL=http://127.0.0.1:$(head -n 1 "$config/port")/tone.mp3
Tittel2=Radio Nordlys Jazz
KanalTekst=
Siste=Radio Nordlys Jazz
VisInfo=1
INI
LANGUAGE=$language XDG_CONFIG_HOME=$config XDG_DATA_HOME=$config/data MORVENA_MPV_OPTIONS=ao=null \
    QT_SCALE_FACTOR=$scale "$program" &
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

# The stream's figures and title arrive within a second or two; the first popup follows
# at the first 3 s tick of the information view.
sleep 2.5
suffix=$([[ $language == en ]] || echo "-$language")$([[ $scale == 1 ]] || echo "@${scale}x")
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$out/main-window$suffix.png"

shown() { [[ $(xdotool search --onlyvisible --classname morvena-webradio | wc -l) -ge $1 ]]; }
xdotool mousemove $((X + (4 + 15) * scale)) $((Y + (6 + 15) * scale)) click 1
wait_for 5 shown 2 || { echo "screenshots: the menu did not open" >&2; exit 1; }
# Down to "Settings", open it, open "Always on top".
xdotool key Down Down Right
wait_for 5 shown 3 || { echo "screenshots: Settings did not open" >&2; exit 1; }
xdotool key Right
wait_for 5 shown 4 || { echo "screenshots: Always on top did not open" >&2; exit 1; }
# The menus fade in under the compositor, and the popup rises and holds for 6 s.
sleep 1.5
import -window root "$out/main-menu$suffix.png"

# The song history: a few days of listening written beside the program's own rows, then
# "Song History…", the fourth item from the end of the main menu.
xdotool key Escape Escape Escape
history="$config/data/Morvena Webradio/history.sqlite"
wait_for 5 test -s "$history" || { echo "screenshots: no history" >&2; exit 1; }
python3 - "$history" <<'PY'
import sqlite3, sys, time
songs = [("Jan Garbarek", "Parce mihi domine", "NRK Jazz"),
         ("Esbjørn Svensson Trio", "Seven Days of Falling", "Radio Nordlys Jazz"),
         ("Kari Bremnes", "A Lover in Berlin", "NRK P1"),
         ("Aurora", "Runaway", "NRK P3"), ("", "Nyheter", "NRK P1"),
         ("Röyksopp", "Eple", "NRK P3"), ("Susanne Sundfør", "Delirious", "NRK P3"),
         ("Bugge Wesseltoft", "Change", "Radio Nordlys Jazz"),
         ("Nils Petter Molvær", "Khmer", "NRK Jazz"), ("Sigrid", "Strangers", "NRK P3")]
con = sqlite3.connect(sys.argv[1], timeout=5)
now = int(time.time())
for i, (artist, title, channel) in enumerate(songs * 3):
    started = now - 600 - i * 3 * 3600 // 2
    con.execute("INSERT INTO songs (artist, title, channel, url, started, ended, starred, folded)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                (artist, title, channel, "http://127.0.0.1/" + channel, started, started + 200,
                 int(i % 4 == 1), "\n".join((artist, title, channel)).casefold()))
con.commit()
PY
xdotool mousemove $((X + (4 + 15) * scale)) $((Y + (6 + 15) * scale)) click 1
wait_for 5 shown 2 || { echo "screenshots: the menu did not open again" >&2; exit 1; }
xdotool key Up Up Up Up Up Up Return
history_window() {
    xdotool search --onlyvisible --name '^(Song history|Sanghistorikk)$' | head -n 1 | grep .
}
wait_for 5 history_window || { echo "screenshots: no history window" >&2; exit 1; }
sleep 1 # the window fades in under the compositor
import -window "$(history_window)" "$out/history-window$suffix.png"
echo "screenshots: $out/main-window$suffix.png $out/main-menu$suffix.png" \
    "$out/history-window$suffix.png"

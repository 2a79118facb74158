#!/usr/bin/env bash
# 1. A stream that fails says why in the now-playing line, which the program saves, in the
#    listener's Norwegian: a refused port "Tilkoblingen ble avvist" (connection refused), a
#    missing stream "Fant ikke stasjonen (HTTP 404)"; the command line answers in Norwegian.
# 2. SIGKILL at random moments while the program starts and while it saves as it quits:
#    after every kill the settings file must still be whole, its [2.71] group holding the
#    stored stream and the option last saved, never a half-written file.
#   killsave.sh <morvena-webradio> <morvena-streamserver> [rounds]
# Offscreen: no desktop needed. Exits 77 when python3 is missing.
set -euo pipefail
program=${1:?usage: killsave.sh <morvena-webradio> <morvena-streamserver> [rounds]}
server=${2:?}
rounds=${3:-40}
source "$(dirname "$0")/radio.sh"
need python3
radio_prepare "$program"
settings=$RADIO_SETTINGS

spawn "$server" >"$work/port" 2>"$work/server.log"
wait_for 10 test -s "$work/port" || fail "no stream server"
for case in "http://127.0.0.1:$(free_port)/x.mp3=Tilkoblingen ble avvist" \
    "http://127.0.0.1:$(head -n 1 "$work/port")/missing.mp3=Fant ikke stasjonen (HTTP 404)"; do
    printf '[2.71]\nLydstraumURL=%s\nTittel2=Failing\n' "${case%%=*}" >"$settings"
    radio_start
    wait_for 2 setting_is KanalTekst "${case#*=}" || fail "${case%%=*}: KanalTekst=$(setting KanalTekst)"
    radio_quit
    pass "${case%%=*}: ${case#*=}"
done
said=$("$program" --no-such-option 2>&1 || true)
[[ $said == *"Prøv --help."* ]] || fail "the command line said: $said"

# A file the last version wrote comes back as it was after a start and a SIGTERM: a
# paused store, its presets and the volume, key for key. A playing store plays its station,
# and what it keeps is the station or its song, never the words for connecting.
port=$(head -n 1 "$work/port")
station=http://127.0.0.1:$port/tone.mp3
printf '[2.71]\nKanalTekst=Pause...\nKnapp1_Navn=Radio Nord\nKnapp1_URL=%s\nLydstraumURL=%s\nLydstyrke=35\nSiste=Radio Nord\nTittel2=Pause...\nToppEllerIkke=1\nVisInfo=0\n' \
    "$station" "$station" >"$settings"
cp "$settings" "$work/paused.ini"
radio_start
sleep 1
radio_quit
diff <(sort "$work/paused.ini") <(sort "$settings") >&2 || fail "the paused store changed"
pass "a paused store comes back as it was"
sed -i 's/^KanalTekst=.*/KanalTekst=Artist - Song/; s/^Tittel2=.*/Tittel2=Radio Nord/' "$settings"
radio_start
connected() { [[ $(ss -tnp 2>/dev/null) == *":$port "*"pid=$RADIO_PID,"* ]]; }
wait_for 10 connected || fail "the playing store's station was not played"
radio_quit
[[ $(setting KanalTekst) == "Radio Nord" || $(setting KanalTekst) == "Test Artist - First Song" ]] ||
    fail "a playing store kept '$(setting KanalTekst)'"
pass "a playing store plays its station"

# Nothing listens on port 9 of the loopback: the tuning fails at once, with no network.
stream=http://127.0.0.1:9/killsave.mp3
# Whole means: it parses, it has the group, and the stream is the one stored.
whole() {
    python3 - "$settings" "$stream" <<'PY'
import configparser, sys
parser = configparser.RawConfigParser(strict=False, interpolation=None)
parser.optionxform = str
with open(sys.argv[1], encoding="utf-8") as f:
    parser.read_file(f)
section = parser["2.71"]
assert section.get("LydstraumURL") == sys.argv[2], section.get("LydstraumURL")
assert section.get("VisInfo") in ("0", "1"), section.get("VisInfo")
PY
}
printf '[2.71]\nLydstraumURL=%s\nTittel2=Kill Test\nVisInfo=0\n' "$stream" >"$settings"
whole || fail "the starting file does not parse"

started=$SECONDS
rewritten=0
# How long after the start the SIGTERM comes: it grows while the kills miss the save, as
# they do on a busy machine where the program takes longer to come up. Bounded: at most
# three times the rounds asked for.
wait_ms=300
for ((round = 1; round <= rounds || (rewritten < rounds / 8 && round <= 3 * rounds); round++)); do
    # Flip the information option and age the now-playing line in the stored file, the way
    # another run would have left them: a save that changes nothing writes nothing.
    sed -i -e "s/^VisInfo=.*/VisInfo=$((round % 2))/" -e "s/^KanalTekst=.*/KanalTekst=Round $round/" \
        "$settings"
    before=$(stat -c %y "$settings")
    radio_start
    # It saves as it quits: SIGTERM once it is up, then SIGKILL from 0 to 80 ms later,
    # which lands before, inside and after the save and the exit (10-20 ms). Every fourth
    # round kills during the start instead.
    if ((round % 4)); then
        ms=$((wait_ms + RANDOM % 600))
        sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
        kill -TERM "$RADIO_PID" 2>/dev/null || true
        sleep "0.0$(printf '%02d' $((RANDOM % 80)))"
    else
        sleep "0.$(printf '%03d' $((RANDOM % 900)))"
    fi
    kill -KILL "$RADIO_PID" 2>/dev/null || true
    wait "$RADIO_PID" 2>/dev/null || true
    RADIO_PID=
    whole || fail "round $round: the settings file is not whole"
    if [[ $(stat -c %y "$settings") != "$before" ]]; then
        rewritten=$((rewritten + 1))
    elif ((round % 4 && wait_ms < 3000)); then
        wait_ms=$((wait_ms + 200))
    fi
done
# Otherwise the kills never met a save and proved nothing.
((rewritten >= rounds / 8)) || fail "the program saved in only $rewritten of $((round - 1)) rounds"
pass "$((round - 1)) kills in $((SECONDS - started)) s ($rewritten after a save began)," \
    "settings.ini whole after each"

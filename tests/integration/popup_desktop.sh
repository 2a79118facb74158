#!/usr/bin/env bash
# Runs the popup's desktop test on the headless desktop of desktop.sh: openbox (which
# pulls windows placed off-screen back onto it) and a compositing manager (which shows
# window opacity); leaves the screenshots the test takes.
#   popup_desktop.sh <test program> <screenshot.png>
# Exits 77 (skipped) when the headless desktop's tools are not installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z ${MORVENA_POPUP_INNER:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "skipped: dbus-run-session missing"; exit 77; }
    export MORVENA_POPUP_INNER=1
    exec dbus-run-session -- bash "$0" "$@"
fi

test_program=$1
screenshot=$2
# shellcheck source=desktop.sh
source "$here/desktop.sh"
missing=$(desktop_missing import)
[[ -z $missing ]] || { echo "skipped: missing $missing (scripts/install-deps.sh)"; exit 77; }

desktop_start
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
MORVENA_SCREENSHOT=$screenshot "$test_program"

#!/usr/bin/env bash
# Installs the Debian packages one set of tasks needs; idempotent and quiet when everything
# is present; works as root or through sudo.
#   scripts/install-deps.sh run    building and running the player
#   scripts/install-deps.sh test   the above, and what the tests and packaging checks need
set -euo pipefail

run=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libmpv-dev libtag1-dev
    qt6-qpa-plugins libqt6svg6 fonts-liberation fonts-yanone-kaffeesatz fonts-wine
    libqt6sql6-sqlite
    # the translations: lupdate and lrelease, their CMake functions, and Qt's own texts
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
)
test=(
    # fixtures, stream servers, formatting
    ffmpeg mpv icecast2 curl openssl clang-format python3 iproute2
    # the Norwegian locale the failure reasons are checked under (generated into the build)
    locales
    # headless desktop and desktop tools
    xvfb xauth xdotool xclip imagemagick x11-utils dbus dbus-x11 openbox picom trayer playerctl
    # install tree and Debian package checks
    desktop-file-utils appstream lintian dpkg-dev file
)
case ${1:-} in
    run) packages=("${run[@]}") ;;
    test) packages=("${run[@]}" "${test[@]}") ;;
    *) echo "usage: install-deps.sh run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

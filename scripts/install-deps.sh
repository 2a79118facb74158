#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
# Idempotent and quiet when everything is present; works as root or through sudo.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libmpv-dev
    # run
    qt6-qpa-plugins libqt6svg6 fonts-liberation fonts-yanone-kaffeesatz fonts-wine
    # test: fixtures, stream servers, headless desktop
    ffmpeg mpv icecast2 curl xvfb xauth xdotool imagemagick x11-utils playerctl
    dbus dbus-x11 openbox picom trayer
)

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

#!/usr/bin/env bash
# Installs what building and running need, builds the player, and starts it; arguments
# go to the player (a URL or file to play, --help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" run
"$root/scripts/build.sh" release morvena-webradio
exec "$root/build/release/app/morvena-webradio" "$@"

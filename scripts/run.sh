#!/usr/bin/env bash
# Installs what is missing, builds, and starts Morvena Webradio.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
exec "$root/build/release/app/morvena-webradio" "$@"

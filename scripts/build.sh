#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh [release|sanitize] [target] -> build/<flavour>
# With a target (e.g. morvena-webradio) only that is built: no test fixtures, which need
# the test packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-release}
dir="$root/build/$flavour"
args=(-G Ninja -S "$root" -B "$dir" -DMORVENA_WERROR=ON)
case $flavour in
    release) args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    sanitize) args+=(-DCMAKE_BUILD_TYPE=Debug -DMORVENA_SANITIZE=ON -DMORVENA_BUILD_BENCH=OFF) ;;
    *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
[[ -f $dir/build.ninja ]] || cmake "${args[@]}" >/dev/null
# One build at a time on this machine: parallel builds only thrash its two cores.
exec 9>"${TMPDIR:-/tmp}/morvena-build.lock"
flock 9
cmake --build "$dir" -j "$(nproc)" ${2:+--target "$2"}

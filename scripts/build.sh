#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh [release|sanitize] [target] -> build/<flavour>
# With a target (e.g. morvena-webradio) only that is built: no test fixtures, which need
# the test packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-release}
dir="$root/build/$flavour"
# A unity build compiles each library's sources as a few large files: Qt's headers are
# read a few times instead of once per source: a clean build takes a third less. File-local
# helpers may then share a file with another source's: within a library, their names differ.
args=(-G Ninja -S "$root" -B "$dir" -DMORVENA_WERROR=ON -DCMAKE_UNITY_BUILD=ON)
# Full debug information makes the compiler take half as long again; the release build is
# optimised as the benchmarks were measured and carries none, and the sanitizer build keeps
# line tables, enough for the sanitizers' stack traces.
case $flavour in
    release) args+=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG") ;;
    sanitize)
        args+=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DMORVENA_SANITIZE=ON
            -DMORVENA_BUILD_BENCH=OFF)
        ;;
    *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
[[ -f $dir/build.ninja ]] || cmake "${args[@]}" >/dev/null
# One build at a time on this machine: parallel builds only thrash its two cores.
exec 9>"${TMPDIR:-/tmp}/morvena-build.lock"
flock 9
cmake --build "$dir" -j "$(nproc)" ${2:+--target "$2"}

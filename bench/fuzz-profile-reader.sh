#!/usr/bin/env bash
# Builds the channel list reader's libFuzzer target with clang (ASan + UBSan) into
# build/fuzz and runs it for a bounded time. Not part of the normal build or test run.
#   bench/fuzz-profile-reader.sh [seconds]     (default 120)
# New inputs that widen coverage collect in build/fuzz/corpus; a crash leaves its input in
# build/fuzz and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
out="$root/build/fuzz"
mkdir -p "$out/corpus" "$out/seeds"

# Seeds: the starter list, and the shapes old lists come in. Each input starts with the
# section and key to look up, each ended by a backslash and another character.
{ printf 'Navn\\;1\\;'; cat "$root/assets/starter/Mine Kanaler.ini"; } >"$out/seeds/starter.ini"
printf 'Navn\\;2\\;[Navn]\r\n1=\xd8stlandssendingen\r\n2 = "quoted"\r\n[URL]\r\n1=http://h/\r\n' \
    >"$out/seeds/windows.ini"
printf 'navn\\; 1\\;\xef\xbb\xbf[navn]\n 1 =\x27single\x27\n;comment\n[Navn]\n2=dup\n' >"$out/seeds/bom.ini"

cxx=${FUZZ_CXX:-clang++}
read -r -a qt_cflags <<<"$(pkg-config --cflags Qt6Core)"
read -r -a qt_libs <<<"$(pkg-config --libs Qt6Core)"
# Same lock as scripts/build.sh: one build at a time on this machine.
exec 9>"${TMPDIR:-/tmp}/morvena-build.lock"
flock 9
"$cxx" -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined "${qt_cflags[@]}" -I"$root/channels" -I"$root/player" \
    "$root/bench/fuzz_profile_reader.cpp" "$root/channels/ProfileReader.cpp" \
    "$root/player/TextDecoding.cpp" "${qt_libs[@]}" -o "$out/fuzz-profile-reader"
flock -u 9

cd "$out"
start=$(date +%s)
./fuzz-profile-reader -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
    corpus seeds
echo "fuzz-profile-reader: ran clean for $(($(date +%s) - start)) s"

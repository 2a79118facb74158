#!/usr/bin/env bash
# Installs what is missing, then checks formatting, builds with -Werror and runs the
# whole test suite in the release build, then again under ASan+UBSan what exercises our
# memory (the unit, widget and engine labels; the desktop and end-to-end runs drive the
# same code through a real X server and are not repeated).
#   MORVENA_SKIP_SANITIZE=1 scripts/test.sh   runs the normal build only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" test
"$root/scripts/check-format.sh"

run_suite() {
    local flavour=$1
    shift
    echo "== $flavour build"
    "$root/scripts/build.sh" "$flavour"
    echo "== $flavour tests"
    (cd "$root/build/$flavour" && ctest --output-on-failure --timeout 600 -j 2 "$@")
}

run_suite release
if [[ ${MORVENA_SKIP_SANITIZE:-0} != 1 ]]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/ubsan.supp
    run_suite sanitize -L 'unit|widget|engine'
fi

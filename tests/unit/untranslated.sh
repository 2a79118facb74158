#!/usr/bin/env bash
# Fails when a text the program shows has no finished translation: lupdate reads the sources
# into a copy of each .ts, where a new text, or one left unfinished, is type="unfinished".
#   untranslated.sh <lupdate> <source root> <folders...>
set -euo pipefail
lupdate=${1:?usage: untranslated.sh <lupdate> <source root> <folders...>}
root=${2:?}
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
missing=0
for ts in "$root"/translations/morvena_*.ts; do
    copy=$work/$(basename "$ts") plural=()
    cp "$ts" "$copy"
    [[ $ts == *_en.ts ]] && plural=(-pluralonly) # the source language: its plural forms alone
    (cd "$root" && "$lupdate" -silent -locations none -no-obsolete "${plural[@]}" "$@" -ts "$copy")
    count=$(grep -c 'type="unfinished"' "$copy" || true)
    if ((count > 0)); then
        echo "$(basename "$ts"): $count untranslated:" >&2
        grep -B3 'type="unfinished"' "$copy" | grep '<source>' >&2 || true
        missing=1
    fi
done
exit "$missing"

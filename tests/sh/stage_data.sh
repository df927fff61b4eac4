#!/usr/bin/env bash
# Staging the data folder: a second staging refreshes the generated and the
# shipped read-only files and leaves the user's settings and the files the
# program writes alone.
set -euo pipefail
SRC=$2 GEN=$3
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
stage() { "$SRC/scripts/stage-data.sh" "$SRC/data" "$GEN" "$T/bin"; }
fail() { echo "$*" >&2; exit 1; }

stage
for f in kivar.lib language.ini English.lng EnglskTD.kcm Kivar32.ico Fonts/1/1map.txt Fonts/kstndrd.bib standard.ini; do
  cmp -s "$T/bin/$f" "$( [ -f "$SRC/data/$f" ] && echo "$SRC/data/$f" || echo "$GEN/$f")" || fail "$f not staged"
done

# The user changes the settings, the program writes its own files, and old
# builds left stale data behind.
printf '[Generell]\r\nLanguage="Mine"\r\n' > "$T/bin/kivar.lib"
echo recent > "$T/bin/kfiles.txt"
echo autosave > "$T/bin/kivar.txl"
for f in Fonts/kstndrd.bib standard.ini English.lng Fonts/1/1map.txt; do echo stale > "$T/bin/$f"; done
stage
grep -q Mine "$T/bin/kivar.lib" || fail "the settings were overwritten"
[ "$(cat "$T/bin/kfiles.txt")" = recent ] || fail "kfiles.txt changed"
[ "$(cat "$T/bin/kivar.txl")" = autosave ] || fail "the auto-save file changed"
cmp -s "$T/bin/Fonts/kstndrd.bib" "$GEN/Fonts/kstndrd.bib" || fail "the font library was not refreshed"
cmp -s "$T/bin/standard.ini" "$GEN/standard.ini" || fail "the template project was not refreshed"
cmp -s "$T/bin/English.lng" "$SRC/data/English.lng" || fail "the language file was not refreshed"
cmp -s "$T/bin/Fonts/1/1map.txt" "$SRC/data/Fonts/1/1map.txt" || fail "a character map was not refreshed"

# Settings written back under another letter case count as the user's too.
rm "$T/bin/kivar.lib"
echo mine > "$T/bin/KIVAR.LIB"
stage
[ ! -e "$T/bin/kivar.lib" ] || fail "a second settings file appeared beside KIVAR.LIB"
echo "ok"

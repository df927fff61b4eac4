#!/usr/bin/env bash
# The project-file commands of the probe: a synthetic project copied in every
# format version, the copies copied again to the same bytes, the dump.
set -euo pipefail
PROBE=$1
GEN=$3
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
check() { if [ "$1" != "$2" ]; then echo "expected [$2], got [$1]"; exit 1; fi; }

"$PROBE" gen-project "$T/p.txl" --dest 40 --extra 5 --signs 3 --pages 2 2>/dev/null
"$PROBE" txl-copy "$T/p.txl" "$T/same.txl"
cmp "$T/p.txl" "$T/same.txl"
for v in 0 1 2 3 4 5 6 7; do
  "$PROBE" txl-copy "$T/p.txl" "$T/v$v.txl" --version "$v"
  "$PROBE" txl-copy "$T/v$v.txl" "$T/v$v-again.txl"
  cmp "$T/v$v.txl" "$T/v$v-again.txl"
  check "$("$PROBE" txl-dump "$T/v$v.txl" | grep -c '^destination [0-9]*:')" "40"
  check "$("$PROBE" txl-dump "$T/v$v.txl" | sed -n 's/^version: //p')" "$v"
done
# The template: one sign, no records.
dump=$("$PROBE" txl-dump "$GEN/standard.ini")
check "$(echo "$dump" | sed -n 's/^sign 2: //p')" '"FRONT       K4000    112x16    2 "'
check "$(echo "$dump" | sed -n 's/^destinations: //p')" "0"
# A damaged file: the dump says so and fails.
head -c 300 "$T/p.txl" > "$T/cut.txl"
if "$PROBE" txl-dump "$T/cut.txl" >/dev/null 2>&1; then echo "a cut file dumped without failing"; exit 1; fi
echo ok

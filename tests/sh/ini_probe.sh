#!/usr/bin/env bash
# The ini commands of the probe against a small settings file.
set -euo pipefail
PROBE=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
printf '[Generell]\r\nLanguage="English"\r\nChangeTime=3\r\n\r\n[Signs]\r\nold\r\n\r\n[Last]\r\nx=1\r\n' > "$T/kivar.lib"
check() { if [ "$1" != "$2" ]; then echo "expected [$2], got [$1]"; exit 1; fi; }

check "$("$PROBE" ini-get "$T/KIVAR.LIB" Generell Language)" "English"
check "$("$PROBE" ini-get "$T/kivar.lib" Generell Absent 4)" "0"
"$PROBE" ini-set "$T/kivar.lib" Generell ChangeTime 5
"$PROBE" ini-set "$T/kivar.lib" Generell Name "Front" --string
"$PROBE" ini-insert "$T/kivar.lib" Last first 2
printf 'a=1\r\nb=2\r\n' > "$T/lines"
"$PROBE" ini-replace-section "$T/kivar.lib" Signs "$T/lines"
expected=$(printf '[Generell]\r\nLanguage="English"\r\nChangeTime=5\r\nName="Front"\r\n\r\n[Signs]\r\na=1\r\nb=2\r\n\r\n[Last]\r\nfirst=2\r\nx=1\r\n')
check "$(cat "$T/kivar.lib")" "$expected"
# Failures exit non-zero and leave the file as it was.
before=$(md5sum < "$T/kivar.lib")
if "$PROBE" ini-set "$T/kivar.lib" Missing k 1 2>/dev/null; then echo "missing section accepted"; exit 1; fi
if "$PROBE" ini-get "$T/absent.lib" A B 2>/dev/null; then echo "missing file accepted"; exit 1; fi
check "$(md5sum < "$T/kivar.lib")" "$before"
echo ok

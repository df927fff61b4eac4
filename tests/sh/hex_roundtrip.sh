#!/usr/bin/env bash
# Converts files of several sizes to Intel HEX with the probe and decodes them
# back with independent tools: the bytes must come back unchanged.
# Arguments: PROBE SOURCE_DIR GEN_DIR
set -euo pipefail
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

have_objcopy=0; command -v objcopy >/dev/null && have_objcopy=1
have_srec=0; command -v srec_cat >/dev/null && have_srec=1
if ((!have_objcopy && !have_srec)); then
  echo "neither objcopy nor srec_cat is installed" >&2
  exit 1
fi

fail=0
# Short files, one record exactly, around the first 64 KiB boundary, and one
# that crosses several boundaries.
for size in 1 31 32 33 64 1000 65535 65536 65537 65568 200000; do
  in=$work/f$size.out
  hex=$work/f$size.hex
  # Every byte value occurs, also 0x0a, 0x0d and 0xff.
  head -c "$size" /dev/urandom >"$in"
  "$probe" hex "$in" "$hex"
  if ! tail -n 1 "$hex" | cmp -s - <(printf ':00000001FF\r\n'); then
    echo "size $size: the last line is not the end record" >&2; fail=1
  fi
  if grep -qv $'^:[0-9A-F]*\r$' "$hex"; then
    echo "size $size: a line is not upper-case hex ending in CR LF" >&2; fail=1
  fi
  if ((have_objcopy)); then
    objcopy -I ihex -O binary "$hex" "$work/o$size.bin"
    cmp "$in" "$work/o$size.bin" || { echo "size $size: objcopy decodes other bytes" >&2; fail=1; }
  fi
  if ((have_srec)); then
    srec_cat "$hex" -intel -o "$work/s$size.bin" -binary
    cmp "$in" "$work/s$size.bin" || { echo "size $size: srec_cat decodes other bytes" >&2; fail=1; }
    srec_cmp "$hex" -intel "$in" -binary || { echo "size $size: srec_cmp differs" >&2; fail=1; }
  fi
done

# Segment records: one per 64 KiB boundary passed.
segments=$(grep -c '^:02000002' "$work/f200000.hex")
if [ "$segments" != 3 ]; then echo "200000 bytes: $segments segment records, not 3" >&2; fail=1; fi
grep -q $'^:020000021000EC\r$' "$work/f65536.hex" || { echo "65536 bytes: no segment record" >&2; fail=1; }

# An empty file gives the end record alone.
: >"$work/empty.out"
"$probe" hex "$work/empty.out" "$work/empty.hex"
cmp -s "$work/empty.hex" <(printf ':00000001FF\r\n') || { echo "empty file: wrong HEX" >&2; fail=1; }

# A missing input fails and writes nothing.
if "$probe" hex "$work/missing.out" "$work/missing.hex" 2>/dev/null; then
  echo "missing input: reported success" >&2; fail=1
fi
[ ! -e "$work/missing.hex" ] || { echo "missing input: a HEX file was written" >&2; fail=1; }

exit $fail

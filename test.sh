#!/usr/bin/env bash
# Builds everything and runs every test: the normal build (with the GUI tests
# on the offscreen platform), the core under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh
JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
echo "== tests"
(cd build && ctest -j "$JOBS" --output-on-failure --timeout 300)

echo "== sanitizers"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIVAR_GUI=OFF -DKIVAR_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest -j "$JOBS" --output-on-failure --timeout 600)

echo "== fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIVAR_GUI=OFF -DKIVAR_TESTS=OFF -DKIVAR_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$JOBS"
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  echo "-- $name (${FUZZ_SECONDS}s)"
  (cd "$work" && "$OLDPWD/$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=0 . 2>&1 | tail -2)
  rm -rf "$work"
done
echo "== all tests passed"

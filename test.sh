#!/usr/bin/env bash
# Builds everything and runs every test: the normal build (with the GUI tests
# on the offscreen platform), the whole program and its tests under
# AddressSanitizer and UndefinedBehaviorSanitizer with the standard library's
# own checks, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh --test
JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVAR_TESTS=ON -DKIVAR_GUI=ON -DKIVAR_WERROR=ON >/dev/null
cmake --build build -j "$JOBS"
echo "== tests"
(cd build && ctest -j "$JOBS" --output-on-failure --timeout 300)

echo "== sanitizers"
# Under the sanitizers the program runs several times slower, so the GUI
# tests that wait for the real file dialog can miss it, and LeakSanitizer's
# own tracer can fail at a process's exit. A test that fails is run once more;
# a memory error is found on every run and fails both.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIVAR_GUI=ON -DKIVAR_SANITIZE=ON -DKIVAR_WERROR=ON >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
   ctest -j "$JOBS" --output-on-failure --timeout 600 --repeat until-pass:2)

echo "== fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIVAR_GUI=OFF -DKIVAR_TESTS=OFF -DKIVAR_FUZZ=ON -DKIVAR_WERROR=OFF >/dev/null
cmake --build build-fuzz -j "$JOBS"
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
# A finding leaves its input in build-fuzz/crashes/<target>/; the run then
# prints the fuzzer's whole report and fails.
findings=()
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  crashes="$PWD/build-fuzz/crashes/$name"
  log="$PWD/build-fuzz/crashes/$name.log"
  mkdir -p "$crashes"
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  echo "-- $name (${FUZZ_SECONDS}s)"
  if (cd "$work" && "$OLDPWD/$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$crashes/" . >"$log" 2>&1); then
    grep -a '^Done [0-9]* runs' "$log" || tail -1 "$log"
  else
    # Everything but the progress lines.
    grep -Ev '^#[0-9]+[[:space:]]' "$log" || true
    echo "!! $name found a fault; its input is kept in $crashes/ (report: $log)"
    findings+=("$name")
  fi
  rm -rf "$work"
done
if ((${#findings[@]})); then
  echo "== fuzzing found faults in: ${findings[*]}"
  exit 1
fi
echo "== all tests passed"

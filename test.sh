#!/usr/bin/env bash
# Builds everything and runs every test: the normal build (with the GUI tests
# on the offscreen platform), the whole program and its tests under
# AddressSanitizer and UndefinedBehaviorSanitizer with the standard library's
# own checks, and a short run of each fuzz target. Each stage prints how long
# it took, and the end the whole time.
#
# No test waits for a time: every wait ends at the event it needs, so the
# verdicts are the same on a busy machine, under the sanitizers and on two
# cores; only the time grows.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh --test
JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen

start=$SECONDS
stage_start=$SECONDS
stage() {
  local now=$SECONDS
  if [ -n "${stage_name:-}" ]; then
    printf '== %s took %dm%02ds\n' "$stage_name" $(((now - stage_start) / 60)) $(((now - stage_start) % 60))
  fi
  stage_name=$1
  stage_start=$now
  echo "== $stage_name"
}

stage "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVAR_TESTS=ON -DKIVAR_GUI=ON -DKIVAR_WERROR=ON >/dev/null
cmake --build build -j "$JOBS"

stage "tests"
(cd build && ctest -j "$JOBS" --output-on-failure --timeout 1200)

stage "sanitizer build"
# -O1 keeps the stack traces readable and runs the tests several times
# faster than -O0. The shuffled whole-program runs are dealt to as many
# processes as there are cores.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DKIVAR_GUI=ON -DKIVAR_SANITIZE=ON -DKIVAR_WERROR=ON -DKIVAR_TEST_SHARDS="$JOBS" >/dev/null
cmake --build build-asan -j "$JOBS"

stage "sanitizer tests"
# LeakSanitizer's own tracer can end a process with "LeakSanitizer has
# encountered a fatal error" at its exit when the machine is busy (seen beside
# other builds): a test that fails is run again, up to three runs in all. A
# memory error or a wrong result is found on every run and fails them all.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
   ctest -j "$JOBS" --output-on-failure --timeout 2400 --repeat until-pass:3)

stage "fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIVAR_GUI=OFF -DKIVAR_TESTS=OFF -DKIVAR_FUZZ=ON -DKIVAR_WERROR=OFF >/dev/null
cmake --build build-fuzz -j "$JOBS"
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
# The targets run side by side (each for its time, however many cores). A
# finding leaves its input in build-fuzz/crashes/<target>/; the run then
# prints the fuzzer's whole report and fails.
fuzz_one() {
  local f=$1 name crashes log work
  name=$(basename "$f")
  crashes="$PWD/build-fuzz/crashes/$name"
  log="$PWD/build-fuzz/crashes/$name.log"
  mkdir -p "$crashes"
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  if (cd "$work" && "$OLDPWD/$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$crashes/" . >"$log" 2>&1); then
    echo "-- $name: $(grep -a '^Done [0-9]* runs' "$log" || tail -1 "$log")"
    rm -rf "$work"
    return 0
  fi
  # Everything but the progress lines.
  echo "-- $name"
  grep -Ev '^#[0-9]+[[:space:]]' "$log" || true
  echo "!! $name found a fault; its input is kept in $crashes/ (report: $log)"
  rm -rf "$work"
  return 1
}
findings=()
pids=() names=()
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  fuzz_one "$f" >"build-fuzz/$(basename "$f").out" 2>&1 &
  pids+=($!) names+=("$(basename "$f")")
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || findings+=("${names[$i]}")
  cat "build-fuzz/${names[$i]}.out"
done
if ((${#findings[@]})); then
  echo "== fuzzing found faults in: ${findings[*]}"
  exit 1
fi
stage "done"
printf '== all tests passed in %dm%02ds\n' $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60))

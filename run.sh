#!/usr/bin/env bash
# Builds the program, stages it with its data files in build/bin/ and starts it.
# Data files are copied only when absent, so settings survive a rebuild.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kivar32 kivar_generated_data
mkdir -p build/bin
cp -rn data/. build/bin/
[ -d build/gen ] && cp -rn build/gen/. build/bin/
exec build/bin/kivar32 "$@"

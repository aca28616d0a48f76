#!/usr/bin/env bash
# Builds every test suite with the address and undefined-behaviour
# sanitizers (no recovery: the first finding fails the test) into
# build-debug/ and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
if [ ! -f build-debug/CMakeCache.txt ]; then
  cmake --preset debug -DTARVELO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-debug --parallel "$(nproc)"
export ASAN_OPTIONS="abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-debug --output-on-failure --parallel "$(nproc)"

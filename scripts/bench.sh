#!/usr/bin/env bash
# Builds and runs the benchmarks (on demand, never part of the tests), then
# measures the CSV batch of `tarvelo stato` end to end.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null
build/bin/tarvelo-bench "$@"
./scripts/bench_stato_csv.sh

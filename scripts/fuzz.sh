#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (address and undefined-behaviour
# sanitizers, no recovery) into build-fuzz/, replays every corpus, then
# fuzzes each harness for SECONDS (default 30). New inputs go to
# build-fuzz/found/<harness>/, never into the committed corpora; a crash, or
# an input that runs for more than 10 s (in the replay too), leaves its
# reproducer in build-fuzz/ and fails the script. SECONDS 0 only replays the
# corpora.
#   ./scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-30}"
shift || true
if command -v clang++ >/dev/null; then
  ./scripts/deps.sh
else
  ./scripts/deps.sh clang libclang-rt-dev
fi
FLAGS="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$FLAGS" -DTARVELO_FUZZ=ON -DTARVELO_BUILD_BENCH=OFF \
    -DTARVELO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build build-fuzz --target fuzzers --parallel "$(nproc)"

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(fuzz_lavoro fuzz_chart fuzz_archivio fuzz_ini fuzz_stato_csv fuzz_impianto_set fuzz_impianto_csv fuzz_rpp fuzz_lavoro_json fuzz_foglio fuzz_sequenza)
fi
for h in "${harnesses[@]}"; do
  corpus="tests/fuzz/corpus/${h#fuzz_}"
  found="build-fuzz/found/${h#fuzz_}"
  mkdir -p "$found"
  echo "== $h: corpus $corpus, then ${SECONDS_EACH} s"
  # Every committed input, reproducers of past faults included, once; an
  # input that runs past the time limit fails the script like a crash.
  "build-fuzz/bin/$h" -runs=0 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ "$corpus"
  if [ "$SECONDS_EACH" = 0 ]; then continue; fi
  log="build-fuzz/$h.log"
  if ! "build-fuzz/bin/$h" -max_total_time="$SECONDS_EACH" \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ -print_final_stats=1 \
    "$found" "$corpus" >"$log" 2>&1; then
    # The finding: the broken promise or the sanitizer's report, and where
    # the input that shows it was written.
    grep -v -e '^INFO' -e '^#' "$log" | head -n 60
    exit 1
  fi
  tail -n 12 "$log"
done

#!/usr/bin/env bash
# End-to-end throughput of `tarvelo stato --csv`: a million rows spread over
# -10…45 °C and 5…100 % UR, read from a file and written to a file.
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${ROWS:-1000000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
awk -v n="$rows" 'BEGIN { print "tbs,UR"; for (i = 0; i < n; i++) printf "%.1f,%d\n", -10 + (i % 551) / 10, 5 + (i % 96) }' >"$dir/in.csv"
# One core, then every core: the rate of each, and the same bytes.
for thread in 1 0; do
  start=$(date +%s.%N)
  build/bin/tarvelo stato --csv "$dir/in.csv" --out "$dir/out$thread.csv" \
    $([ "$thread" -gt 0 ] && echo --thread "$thread")
  end=$(date +%s.%N)
  awk -v n="$rows" -v s="$start" -v e="$end" -v t="$thread" \
    'BEGIN { printf "stato --csv (%s): %d rows in %.3f s = %.0f rows/s\n", t ? t " thread" : "all cores", n, e - s, n / (e - s) }'
done
cmp "$dir/out1.csv" "$dir/out0.csv" && echo "stato --csv: the same output on one core and on all"

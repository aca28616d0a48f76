#!/usr/bin/env bash
# End-to-end throughput of `tarvelo stato --csv`: a million rows spread over
# -10…45 °C and 5…100 % UR, read from a file and written to a file.
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${ROWS:-1000000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
awk -v n="$rows" 'BEGIN { print "tbs,UR"; for (i = 0; i < n; i++) printf "%.1f,%d\n", -10 + (i % 551) / 10, 5 + (i % 96) }' >"$dir/in.csv"
start=$(date +%s.%N)
build/bin/tarvelo stato --csv "$dir/in.csv" --out "$dir/out.csv"
end=$(date +%s.%N)
awk -v n="$rows" -v s="$start" -v e="$end" 'BEGIN { printf "stato --csv: %d rows in %.3f s = %.0f rows/s\n", n, e - s, n / (e - s) }'

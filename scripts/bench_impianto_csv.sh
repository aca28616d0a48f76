#!/usr/bin/env bash
# End-to-end throughput of `tarvelo impianto C --csv` (the scheme with a
# stepping search): ROWS rows of outdoor states and loads, file to file, on
# one thread and on every core, and the same bytes from both.
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${ROWS:-10000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
awk -v n="$rows" 'BEGIN { print "tbsEst;UREst;Csens"; for (i = 0; i < n; i++) printf "%.1f;%d;%.1f\n", 28 + (i % 80) / 10, 40 + (i % 20), 25 + (i % 50) / 5 }' >"$dir/in.csv"
# The data folder and its first chart are made before timing, so that both
# runs do the same work.
head -n 2 "$dir/in.csv" >"$dir/uno.csv"
build/bin/tarvelo --dati "$dir/dati" impianto C --csv "$dir/uno.csv" --out /dev/null
for thread in 1 0; do
  start=$(date +%s.%N)
  build/bin/tarvelo --dati "$dir/dati" impianto C --csv "$dir/in.csv" --out "$dir/out$thread.csv" \
    $([ "$thread" -gt 0 ] && echo --thread "$thread") 2>/dev/null || true
  end=$(date +%s.%N)
  awk -v n="$rows" -v s="$start" -v e="$end" -v t="$thread" \
    'BEGIN { printf "impianto C --csv (%s): %d rows in %.3f s = %.0f rows/s\n", t ? t " thread" : "all cores", n, e - s, n / (e - s) }'
done
cmp "$dir/out1.csv" "$dir/out0.csv" && echo "impianto --csv: the same output on one core and on all"

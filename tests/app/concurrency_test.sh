#!/usr/bin/env bash
# Two programs on one data folder, as real processes started together:
# charts generated at once each get a code of their own and all stay in the
# archive; two saves of one work leave the work of a process that reported
# success, whole.
#   concurrency_test.sh TARVELO [PAIRS]
set -uo pipefail
B="$1"
COPPIE="${2:-50}"
T="$(mktemp -d)"
trap 'rm -rf "$T"' EXIT
D="$T/dati"
falliti=0
ko() {
  echo "FALLITO: $*"
  falliti=$((falliti + 1))
}

"$B" --dati "$D" chart elenco >/dev/null 2>&1 || ko "preparazione dell'archivio"
for i in $(seq 1 "$COPPIE"); do
  "$B" --dati "$D" chart genera --tbs-min -5 --tbs-max 35 --x-max 22 >"$T/g1" 2>&1 &
  p1=$!
  "$B" --dati "$D" chart genera --tbs-min 0 --tbs-max 40 --x-max 25 >"$T/g2" 2>&1 &
  p2=$!
  wait $p1
  r1=$?
  wait $p2
  r2=$?
  [ $r1 = 0 ] && [ $r2 = 0 ] || ko "coppia $i: uscite $r1 e $r2: $(cat "$T/g1" "$T/g2")"
  [ "$(cat "$T/g1")" != "$(cat "$T/g2")" ] || ko "coppia $i: lo stesso codice $(cat "$T/g1")"
done
elenco="$("$B" --dati "$D" chart elenco 2>&1)" || ko "chart elenco: $elenco"
n="$(grep -c '^ *[0-9]' <<<"$elenco")"
[ "$n" = $((1 + 2 * COPPIE)) ] || ko "$n diagrammi invece di $((1 + 2 * COPPIE))"

# The two works on their own, then saved over one file at once.
"$B" --dati "$D" impianto A --cartella "$T" --salva "$T/a.TRV" >/dev/null || ko "lavoro A"
"$B" --dati "$D" impianto F --cartella "$T" --salva "$T/f.TRV" >/dev/null || ko "lavoro F"
for i in $(seq 1 "$COPPIE"); do
  "$B" --dati "$D" impianto A --cartella "$T" --salva "$T/comune.TRV" >/dev/null 2>"$T/e1" &
  p1=$!
  "$B" --dati "$D" impianto F --cartella "$T" --salva "$T/comune.TRV" >/dev/null 2>"$T/e2" &
  p2=$!
  wait $p1
  r1=$?
  wait $p2
  r2=$?
  if cmp -s "$T/comune.TRV" "$T/a.TRV"; then
    [ $r1 = 0 ] || ko "coppia $i: il file è di A, che ha dato $r1: $(cat "$T/e1")"
  elif cmp -s "$T/comune.TRV" "$T/f.TRV"; then
    [ $r2 = 0 ] || ko "coppia $i: il file è di F, che ha dato $r2: $(cat "$T/e2")"
  else
    ko "coppia $i: il file non è né di A né di F"
  fi
  [ $r1 = 0 ] && [ $r2 = 0 ] || ko "coppia $i: uscite $r1 e $r2: $(cat "$T/e1" "$T/e2")"
done
extra="$(cd "$T" && ls -A | grep -v -x -e dati -e g1 -e g2 -e e1 -e e2 -e a.TRV -e f.TRV \
  -e comune.TRV -e RISULT.TXT -e DETTAGLI.TXT)"
[ -z "$extra" ] || ko "lasciati: $extra"
echo "$COPPIE coppie di processi: $falliti falliti"
exit $((falliti > 0))

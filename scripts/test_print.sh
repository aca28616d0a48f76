#!/usr/bin/env bash
# Prints a drawing sheet on a real printer queue: CUPS with its PDF printer
# (cups-pdf), installed and started here when missing. The queue's output
# must be one A4 page; an unknown printer must be refused with its name.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
PACKAGES=(cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  $sudo cupsd
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
fi
QUEUE=TarveloProva
$sudo lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
trap '$sudo lpadmin -x "$QUEUE" 2>/dev/null || true; rm -rf "$WORK"' EXIT

WORK=$(mktemp -d)
T=build/bin/tarvelo
$T --dati "$WORK/dati" impianto A --salva "$WORK/a.TRV" >/dev/null
OUT="$HOME/PDF"
before=$(ls "$OUT" 2>/dev/null | wc -l)
$T --dati "$WORK/dati" stampa "$WORK/a.TRV" --stampante "$QUEUE" --colore
# The queue writes the page when the job is done: wait for a new file that
# reads as a whole PDF.
pdf=""
info=""
for _ in $(seq 150); do
  if [ "$(ls "$OUT" 2>/dev/null | wc -l)" -gt "$before" ]; then
    pdf=$(ls -t "$OUT"/*.pdf | head -1)
    info=$(pdfinfo "$pdf" 2>/dev/null || true)
    [ -n "$info" ] && break
  fi
  sleep 0.2
done
[ -n "$info" ] || { echo "test_print: la coda $QUEUE non ha prodotto il foglio" >&2; exit 1; }
grep -q "^Pages: *1$" <<<"$info" || { echo "test_print: pagine attese 1: $info" >&2; exit 1; }
grep -q "(A4)" <<<"$info" || { echo "test_print: formato atteso A4: $info" >&2; exit 1; }
rm -f "$pdf"

if $T --dati "$WORK/dati" stampa "$WORK/a.TRV" --stampante Inesistente 2>"$WORK/err"; then
  echo "test_print: una stampante inesistente è stata accettata" >&2
  exit 1
fi
grep -q "Inesistente" "$WORK/err" || { cat "$WORK/err" >&2; exit 1; }
echo "test_print: foglio stampato sulla coda $QUEUE (1 pagina A4)"

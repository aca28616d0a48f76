#!/usr/bin/env bash
# Prints a drawing sheet on a real printer queue: a private CUPS server with
# the PDF printer of cups-pdf, installed when missing. The queue's output
# must be one A4 page; an unknown printer must be refused with its name;
# the print dialog's OK prints on the default queue and closes.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
./scripts/deps.sh cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
# A CUPS server of our own, on its own socket and folders, for this test
# only: the machine's printers and settings are not touched.
CUPS=$(mktemp -d /tmp/tarvelo-cups.XXXXXX)
chmod 755 "$CUPS"
mkdir -p "$CUPS/etc/ppd" "$CUPS/spool/tmp" "$CUPS/cache" "$CUPS/state" "$CUPS/log"
$sudo chown -R root:lp "$CUPS/spool" "$CUPS/cache"
$sudo chmod 710 "$CUPS/spool"
$sudo chmod 1770 "$CUPS/spool/tmp"
$sudo chmod 770 "$CUPS/cache"
cat >"$CUPS/etc/cupsd.conf" <<CONF
Listen $CUPS/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$CUPS/etc/cups-files.conf" <<CONF
ServerRoot $CUPS/etc
RequestRoot $CUPS/spool
TempDir $CUPS/spool/tmp
CacheDir $CUPS/cache
StateDir $CUPS/state
AccessLog $CUPS/log/access_log
ErrorLog $CUPS/log/error_log
PageLog $CUPS/log/page_log
DataDir /usr/share/cups
ServerBin /usr/lib/cups
SystemGroup root lpadmin
CONF
# The server runs in the foreground of a background job, so that its process
# is ours to end: the one we started, and no other.
$sudo cupsd -f -c "$CUPS/etc/cupsd.conf" -s "$CUPS/etc/cups-files.conf" \
  >"$CUPS/log/cupsd.out" 2>&1 &
CUPSD=$!
fine() {
  # Under sudo the job is sudo, which passes the signal on to the server
  # and exits with it.
  $sudo kill "$CUPSD" 2>/dev/null || true
  wait "$CUPSD" 2>/dev/null || true
  $sudo rm -rf "$CUPS" "${WORK:-}"
}
trap fine EXIT
export CUPS_SERVER="$CUPS/cups.sock"
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
lpstat -r 2>/dev/null | grep -q "is running" ||
  { echo "test_print: il server CUPS non è partito" >&2; $sudo cat "$CUPS/log/"* >&2; exit 1; }
QUEUE=TarveloProva
lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d "$QUEUE"

WORK=$(mktemp -d)
T=build/bin/tarvelo
$T --dati "$WORK/dati" impianto A --salva "$WORK/a.TRV" >/dev/null
OUT="$HOME/PDF"
# A page of the queue is a PDF that appears (or is rewritten: job numbers
# start again with each server) after the marker.
nuovo() { find "$OUT" -maxdepth 1 -name '*.pdf' -newer "$WORK/segno" 2>/dev/null | head -1; }
touch "$WORK/segno"
sleep 1
$T --dati "$WORK/dati" stampa "$WORK/a.TRV" --stampante "$QUEUE" --colore
# The queue writes the page when the job is done: wait for a new file that
# reads as a whole PDF.
pdf=""
info=""
for _ in $(seq 150); do
  pdf=$(nuovo)
  if [ -n "$pdf" ]; then
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

# The print dialog's OK, on the default queue.
touch "$WORK/segno"
sleep 1
QT_QPA_PLATFORM=offscreen build/bin/gui_print_tests okPrintsAndCloses >"$WORK/gui" 2>&1 ||
  { cat "$WORK/gui" >&2; exit 1; }
grep -q "SKIP" "$WORK/gui" && { echo "test_print: la finestra non vede la coda" >&2; exit 1; }
for _ in $(seq 150); do
  [ -n "$(nuovo)" ] && pdfinfo "$(nuovo)" >/dev/null 2>&1 && break
  sleep 0.2
done
[ -n "$(nuovo)" ] ||
  { echo "test_print: OK della finestra Stampa non ha stampato" >&2; exit 1; }
rm -f "$(nuovo)"
echo "test_print: foglio stampato sulla coda $QUEUE (1 pagina A4), dalla riga di comando e da OK"

#!/usr/bin/env bash
# Every kind of output the command line writes, run as a user runs it, at
# every kind of target: a full disk, a link, a link that leads nowhere, a
# pipe nobody reads and a folder. On a full disk the command exits 1 with the
# cause and the old file stays as it was; a link is written through; the
# rest is refused at once (exit 1) and stays what it was.
#   outputs_test.sh TARVELO
# The full disk is a 64 KB tmpfs where this runs as root and may mount;
# elsewhere a limit on the size of written files stands in for it.
set -uo pipefail
B="$1"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
T="$(mktemp -d)"
PIENO="$T/pieno"
mkdir -p "$PIENO"
montato=0
cleanup() {
  ((montato)) && umount "$PIENO" 2>/dev/null
  rm -rf "$T"
}
trap cleanup EXIT
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$PIENO" 2>/dev/null; then
  montato=1
fi
falliti=0
ko() {
  echo "FALLITO: $*"
  falliti=$((falliti + 1))
}

D="$T/dati"
W="$T/lavoro.TRV"
"$B" --dati "$D" impianto A --cartella "$T" --salva "$W" >/dev/null || ko "preparazione del lavoro"
printf 'tbs,UR\n' >"$T/stato.csv"
printf 'tbsEst\n' >"$T/impianto.csv"
for i in $(seq 1 200); do
  echo "$((i % 40)),$((i % 90 + 5))" >>"$T/stato.csv"
  echo "$((i % 10 + 25))" >>"$T/impianto.csv"
done

# name | the command, OUT standing for the target
TIPI=(
  "lavoro|lavoro $W --salva OUT"
  "impianto|impianto F --cartella $T --salva OUT"
  "ricalcola|ricalcola $W --cartella $T --salva OUT"
  "stato-csv|stato --csv $T/stato.csv --out OUT"
  "stato-json|stato --tbs 20 --ur 50 --json --out OUT"
  "impianto-csv|impianto A --csv $T/impianto.csv --out OUT"
  "stampa-pdf|stampa $W --pdf OUT"
  "stampa-png|stampa $W --png OUT --dpi 40"
  "esporta-png|chart esporta 1 OUT --dpi 40"
  "esporta-svg|chart esporta 1 OUT"
  "esporta-pdf|chart esporta 1 OUT"
)
estensione() {
  case "$1" in
  *-csv) echo csv ;; *-json) echo json ;; *-png) echo png ;; *-svg) echo svg ;;
  *-pdf) echo pdf ;; *) echo TRV ;;
  esac
}
esegui() { # command line with OUT, target; sets rc and err
  local riga="${1//OUT/$2}"
  # shellcheck disable=SC2086 # the table's words are the arguments
  err="$(timeout 20 "$B" --dati "$D" $riga 2>&1 >/dev/null)"
  rc=$?
}
# What a folder holds, names only: nothing may be left behind.
contenuto() { (cd "$1" && ls -A | sort | tr '\n' ' '); }

for voce in "${TIPI[@]}"; do
  tipo="${voce%%|*}"
  riga="${voce#*|}"
  ext="$(estensione "$tipo")"

  # A full disk: exit 1, the cause said, the old file as it was.
  rm -rf "${PIENO:?}"/*
  head -c 3000 /dev/urandom >"$PIENO/vecchio.$ext"
  cp "$PIENO/vecchio.$ext" "$T/copia"
  if ((montato)); then
    dd if=/dev/zero of="$PIENO/riempi" bs=1k 2>/dev/null
    prima="$(contenuto "$PIENO")"
    esegui "$riga" "$PIENO/vecchio.$ext"
    [[ "$err" == *"disco è pieno"* ]] || ko "$tipo, disco pieno: causa non detta: $err"
  else
    prima="$(contenuto "$PIENO")"
    riga_limitata="$riga"
    err="$(
      trap '' XFSZ
      ulimit -f 1
      # shellcheck disable=SC2086
      timeout 20 "$B" --dati "$D" ${riga_limitata//OUT/$PIENO/vecchio.$ext} 2>&1 >/dev/null
    )"
    rc=$?
  fi
  [ "$rc" = 1 ] || ko "$tipo, disco pieno: uscita $rc invece di 1 ($err)"
  cmp -s "$PIENO/vecchio.$ext" "$T/copia" || ko "$tipo, disco pieno: il vecchio file è cambiato"
  [ "$(contenuto "$PIENO")" = "$prima" ] || ko "$tipo, disco pieno: lasciati $(contenuto "$PIENO")"
  rm -rf "${PIENO:?}"/*

  C="$T/$tipo"
  mkdir -p "$C"
  # A link is written through and stays a link.
  echo vecchio >"$C/vero.$ext"
  ln -s "$C/vero.$ext" "$C/link.$ext"
  esegui "$riga" "$C/link.$ext"
  [ "$rc" = 0 ] || ko "$tipo, collegamento: uscita $rc ($err)"
  [ -L "$C/link.$ext" ] || ko "$tipo, collegamento: non è più un collegamento"
  [ "$(head -c 7 "$C/vero.$ext")" != "vecchio" ] || ko "$tipo, collegamento: file puntato non scritto"

  # A link that leads nowhere, or to itself, is not turned into a file.
  ln -s "$C/manca.$ext" "$C/orfano.$ext"
  ln -s "$C/giro.$ext" "$C/giro.$ext"
  for nome in orfano giro; do
    esegui "$riga" "$C/$nome.$ext"
    [ "$rc" = 1 ] || ko "$tipo, $nome: uscita $rc invece di 1"
    [ -L "$C/$nome.$ext" ] || ko "$tipo, $nome: non è più un collegamento"
  done
  [ ! -e "$C/manca.$ext" ] || ko "$tipo, orfano: creato il file puntato"

  # A pipe nobody reads: refused at once, not waited for.
  mkfifo "$C/tubo.$ext"
  esegui "$riga" "$C/tubo.$ext"
  [ "$rc" = 1 ] || ko "$tipo, tubo senza lettore: uscita $rc invece di 1"
  [[ "$err" == *"nessun programma"* ]] || ko "$tipo, tubo senza lettore: $err"
  [ -p "$C/tubo.$ext" ] || ko "$tipo, tubo senza lettore: non è più un tubo"

  # A folder is not an output.
  mkdir "$C/cartella.$ext"
  esegui "$riga" "$C/cartella.$ext"
  [ "$rc" = 1 ] || ko "$tipo, cartella: uscita $rc invece di 1"
  [[ "$err" == *"è una cartella"* ]] || ko "$tipo, cartella: $err"
  [ -d "$C/cartella.$ext" ] || ko "$tipo, cartella: non è più una cartella"

  # A name as long as a folder takes.
  lungo="$(printf 'n%.0s' $(seq 1 250)).$ext"
  esegui "$riga" "$C/$lungo"
  [ "$rc" = 0 ] && [ -s "$C/$lungo" ] || ko "$tipo, nome di 254 byte: uscita $rc ($err)"
  # A name that is not UTF-8 is bytes like any other.
  mkdir "$C/latino"
  latino="$C/latino/caff"$'\xe8'".$ext"
  esegui "$riga" "$latino"
  [ "$rc" = 0 ] && [ -s "$latino" ] || ko "$tipo, nome non UTF-8: uscita $rc ($err)"
  [ "$(ls -A "$C/latino" | wc -l)" = 1 ] || ko "$tipo, nome non UTF-8: lasciati $(ls -A "$C/latino")"
  rm -f "$latino"
  rmdir "$C/latino" 2>/dev/null
  [ "$(contenuto "$C")" = "$(printf 'cartella.%s giro.%s link.%s %s orfano.%s tubo.%s vero.%s ' \
    "$ext" "$ext" "$ext" "$lungo" "$ext" "$ext" "$ext")" ] || ko "$tipo: lasciati $(contenuto "$C")"
done

# A chart generated on a full disk or a read-only one: an input/output
# error (exit 1), not bad data, and the archive still lists what it had.
if ((montato)); then
  umount "$PIENO" && mount -t tmpfs -o size=512k tmpfs "$PIENO" || ko "tmpfs per l'archivio"
  cp -r "$D" "$PIENO/dati"
  dd if=/dev/zero of="$PIENO/riempi" bs=1k 2>/dev/null
  err="$("$B" --dati "$PIENO/dati" chart genera --tbs-min 0 --tbs-max 30 --x-max 20 2>&1 >/dev/null)"
  rc=$?
  [ "$rc" = 1 ] && [[ "$err" == *"disco è pieno"* ]] || ko "chart genera, disco pieno: uscita $rc ($err)"
  rm -f "$PIENO/riempi"
  mount -o remount,ro "$PIENO"
  err="$("$B" --dati "$PIENO/dati" chart genera --tbs-min 0 --tbs-max 30 --x-max 20 2>&1 >/dev/null)"
  rc=$?
  [ "$rc" = 1 ] && [[ "$err" == *"sola lettura"* ]] || ko "chart genera, sola lettura: uscita $rc ($err)"
  elenco="$("$B" --dati "$PIENO/dati" chart elenco 2>&1)" || ko "chart elenco dopo i fallimenti: $elenco"
  [ "$(grep -c '^ *[0-9]' <<<"$elenco")" = 1 ] || ko "chart elenco dopo i fallimenti: $elenco"
fi

echo "$((${#TIPI[@]})) tipi d'uscita, disco pieno $([ $montato = 1 ] && echo tmpfs || echo 'limite di dimensione'): $falliti falliti"
exit $((falliti > 0))

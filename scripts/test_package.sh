#!/usr/bin/env bash
# Builds the Debian package and checks it as an installed program: the
# validators and lintian, installation with apt, the installed commands run
# by a user with an empty home, the work-file type and its default
# application, and removal leaving nothing of it in /usr.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
./scripts/deps.sh xdg-utils libfile-mimeinfo-perl desktop-file-utils appstream lintian shared-mime-info bash-completion

deb=$(./scripts/package.sh | tail -1)
echo "test_package: $deb"
fail() {
  echo "test_package: $*" >&2
  exit 1
}

# The desktop file and the metainfo as the validators see them.
desktop-file-validate packaging/it.tarvelo.Tarvelo.desktop || fail "desktop file non valido"
appstreamcli validate --no-net build-pkg/packaging/it.tarvelo.Tarvelo.metainfo.xml ||
  fail "metainfo non valido"
# lintian: no errors (the warnings left are explained in docs/PACKAGING.md).
lintian --fail-on error --suppress-tags-from-file packaging/lintian-accettati "$deb" ||
  fail "lintian ha trovato errori"

# Installed as a user would. apt-get waits for another package manager
# holding the dpkg lock, as in deps.sh.
apt_get() { $sudo apt-get -o DPkg::Lock::Timeout=600 "$@"; }
apt_get install -y -qq "./$deb" >/dev/null
trap 'apt_get remove -y -qq tarvelo >/dev/null 2>&1 || true' EXIT
[ "$(command -v tarvelo)" = /usr/bin/tarvelo ] || fail "tarvelo non è in /usr/bin"

utente=tarvelo-prova
if ! id "$utente" >/dev/null 2>&1; then
  $sudo useradd --create-home --shell /bin/bash "$utente"
fi
casa=$(getent passwd "$utente" | cut -d: -f6)
$sudo rm -rf "$casa" && $sudo mkdir -p "$casa" && $sudo chown "$utente" "$casa"
come() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$utente" -- env -i HOME="$casa" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
  else
    sudo -u "$utente" env -i HOME="$casa" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
  fi
}
come tarvelo --version | grep -q "^tarvelo [0-9]" || fail "--version"
come tarvelo stato --tbs 25 --ur 50 | grep -q "tbu" || fail "stato"
come bash -c 'cd ~ && tarvelo chart esporta 1 x.pdf' || fail "chart esporta"
come test -s "$casa/x.pdf" || fail "chart esporta non ha scritto x.pdf"
come test -f "$casa/.local/share/tarvelo/TARVEX.INI" || fail "cartella dei dati non nella casa"
[ ! -e /usr/bin/TARVEX.INI ] || fail "cartella dei dati accanto al programma"

# The work-file type: by name and by its first bytes, and its application.
come tarvelo impianto A --salva "$casa/estivo.TRV" >/dev/null || true
come cp "$casa/estivo.TRV" "$casa/senza-estensione"
tipo=$(come xdg-mime query filetype "$casa/estivo.TRV")
[ "$tipo" = application/x-tarvelo-lavoro ] || fail "tipo del lavoro: $tipo"
tipo=$(come mimetype -b -M "$casa/senza-estensione")
[ "$tipo" = application/x-tarvelo-lavoro ] || fail "tipo dai primi byte: $tipo"
predefinita=$(come xdg-mime query default application/x-tarvelo-lavoro)
[ "$predefinita" = it.tarvelo.Tarvelo.desktop ] || fail "applicazione predefinita: $predefinita"
[ -f /usr/share/icons/hicolor/48x48/apps/it.tarvelo.Tarvelo.png ] || fail "icona 48x48"
[ -f /usr/share/icons/hicolor/scalable/mimetypes/application-x-tarvelo-lavoro.svg ] ||
  fail "icona del tipo"
man -w tarvelo >/dev/null 2>&1 || [ -f /usr/share/man/man1/tarvelo.1.gz ] || fail "pagina man"
# Completion as bash loads it on demand.
completa=$(bash -c 'source /usr/share/bash-completion/bash_completion
  _completion_loader tarvelo
  COMP_WORDS=(tarvelo stampa x.TRV --portata ""); COMP_CWORD=4
  COMP_LINE="tarvelo stampa x.TRV --portata "; COMP_POINT=${#COMP_LINE}
  _tarvelo; echo "${COMPREPLY[*]}"')
[ "$completa" = "l/s m3/h" ] || fail "completamento: $completa"

# Removed, nothing of it is left in /usr.
elenco=$(dpkg -L tarvelo | grep -v '^/usr$\|^/\.$')
apt_get remove -y -qq tarvelo >/dev/null
trap - EXIT
resti=""
while read -r f; do
  [ -f "$f" ] && resti="$resti $f"
done <<<"$elenco"
[ -z "$resti" ] || fail "rimasti dopo la rimozione:$resti"
echo "test_package: installato, usato e rimosso senza resti"

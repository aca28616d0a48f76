#!/usr/bin/env bash
# Installs the Debian packages the build needs, and those named on the
# command line (the print and package tests name theirs). Quiet and quick
# when they are already there; runs apt-get update only when something is
# missing. Waits for another package manager holding the locks.
#   ./scripts/deps.sh [PACKAGE...]
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++
  libgtest-dev libgmock-dev
  libbenchmark-dev
  libinih-dev pkg-config
  nlohmann-json3-dev libtbb-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  fonts-liberation2
  poppler-utils
  locales
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# Another package manager may be at work (an install beside ours, unattended
# upgrades): wait for it, up to ten minutes, rather than fail. apt-get waits
# for the dpkg lock when told to; "update" takes the lock of the package
# lists instead, which that setting does not cover, so it is tried again
# while that lock is held by someone else.
ATTESA_APT=600
apt_get() {
  $sudo env DEBIAN_FRONTEND=noninteractive LC_ALL=C \
    apt-get -o DPkg::Lock::Timeout=$ATTESA_APT "$@"
}
aggiorna_elenchi() {
  local fine=$((SECONDS + ATTESA_APT)) errori
  errori=$(mktemp)
  until apt_get update -qq 2>"$errori"; do
    if ! grep -q "Could not get lock" "$errori" || ((SECONDS >= fine)); then
      cat "$errori" >&2
      rm -f "$errori"
      return 1
    fi
    sleep 5
  done
  cat "$errori" >&2
  rm -f "$errori"
}

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  aggiorna_elenchi
  apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests run parts of the program in the Italian locale its users have.
# localedef needs no package lock: it adds to the locale archive, which it
# locks itself.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  $sudo localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi

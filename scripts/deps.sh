#!/usr/bin/env bash
# Installs the Debian packages the build needs, and those named on the
# command line (the print and package tests name theirs). Quiet and quick
# when they are already there; runs apt-get update only when something is
# missing.
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

if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The tests run parts of the program in the Italian locale its users have.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi

#!/usr/bin/env bash
# Builds and starts the program; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null
exec build/bin/tarvelo "$@"

#!/usr/bin/env bash
# Installs what is missing, configures once and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset release >/dev/null
fi
cmake --build build --parallel "$(nproc)"

#!/usr/bin/env bash
# Builds the Debian package: tarvelo_<version>_amd64.deb in the project's
# folder, from a release build of its own (build-pkg/).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh dpkg-dev file
if [ ! -f build-pkg/CMakeCache.txt ]; then
  # Debian's hardening: checked buffer functions, read-only relocations
  # bound at start.
  cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELO_BUILD_TESTS=OFF \
    -DTARVELO_BUILD_BENCH=OFF -DTARVELO_PACKAGING=ON -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
fi
cmake --build build-pkg --parallel "$(nproc)"
rm -f build-pkg/tarvelo_*.deb
(cd build-pkg && cpack -G DEB >/dev/null)
deb=$(ls build-pkg/tarvelo_*.deb)
cp "$deb" .
echo "$(basename "$deb")"

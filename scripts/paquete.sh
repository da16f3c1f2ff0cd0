#!/usr/bin/env bash
# Builds the Debian package with cpack into build/ and checks it with lintian:
# any error (a line "E: ...") fails; warnings are shown and let through.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquetes.sh
instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_PAQUETE[@]}"

[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
(cd build && cpack -G DEB)
deb=$(ls -t build/tesedra_*.deb | head -n 1)
echo "Package: $deb"
# The changelog's latest entry must be the package's version (set in CMakeLists.txt).
version=$(dpkg-deb -f "$deb" Version)
if ! head -n 1 paquete/changelog | grep -qF "tesedra ($version)"; then
  echo "paquete/changelog: the latest entry is not version $version; add one" >&2
  exit 1
fi
informe=$(lintian --info "$deb" 2>&1) || true
[ -z "$informe" ] || printf '%s\n' "$informe"
if grep -q '^E: ' <<<"$informe"; then
  echo "lintian found errors in $deb" >&2
  exit 1
fi
echo "lintian: no errors"

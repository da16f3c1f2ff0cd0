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
informe=$(lintian --info "$deb" 2>&1) || true
[ -z "$informe" ] || printf '%s\n' "$informe"
if grep -q '^E: ' <<<"$informe"; then
  echo "lintian found errors in $deb" >&2
  exit 1
fi
echo "lintian: no errors"

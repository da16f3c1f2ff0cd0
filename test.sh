#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds everything into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/paquetes.sh

instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_USO[@]}" "${PAQUETES_PRUEBAS[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

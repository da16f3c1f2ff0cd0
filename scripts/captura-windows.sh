#!/usr/bin/env bash
# The log-on window of the Windows desktop program under Wine, pictured into
# docs/screenshots/windows-fPerfil.png (README "Windows"):
#
#   scripts/captura-windows.sh [BUILD]     BUILD defaults to build-windows (./test.sh windows)
#
# The same script as the test windows_fPerfil, with its own Wine prefix and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
compilacion=${1:-build-windows}
[ -f "$compilacion/bin/tesedra.exe" ] || { echo "no $compilacion/bin/tesedra.exe: run ./test.sh windows first" >&2; exit 1; }
bash tests/wine/ventana.sh "$(command -v wine)" "$PWD/$compilacion/wineprefix-ventana" \
  "$compilacion/bin/tesedra.exe" "Tesedra v.1.0" docs/screenshots/windows-fPerfil.png

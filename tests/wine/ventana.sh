#!/usr/bin/env bash
# The desktop program under Wine, with the windows platform plugin on a virtual X server
# of the test's own: it starts up to its log-on window, found by title in the X window
# tree, and the window is painted; its picture is left in PNG.
#
#   ventana.sh WINE PREFIX PROGRAM.exe TITLE PNG
set -euo pipefail
WINE=$1
export WINEPREFIX=$2
programa=$3
titulo=$4
png=$5
# shellcheck source=tests/wine/comun.sh
source "$(dirname "$0")/comun.sh"

iniciar_pantalla
preparar_prefijo
"$WINE" "$programa" >"$temporal/programa.log" 2>&1 &
pid=$!
ventana=$(esperar_ventana "$titulo" "$pid") \
  || fallo "no window \"$titulo\" of $programa on $DISPLAY; the program said: $(cat "$temporal/programa.log")"
mkdir -p "$(dirname "$png")"
capturar "$ventana" "$png" || fallo "window $ventana \"$titulo\" was never painted"
kill -0 "$pid" 2>/dev/null || fallo "$programa ended after showing its window: $(cat "$temporal/programa.log")"
echo "window $ventana \"$titulo\" shown and painted: $png"

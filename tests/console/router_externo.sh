#!/usr/bin/env bash
# Runs one test program against the router simulator in a process of its own:
#
#   router_externo.sh [--wine-prefix DIR] PORT SIMULATOR [SIMULATOR OPTIONS...] -- PROGRAM [ARGS...]
#
# starts SIMULATOR (tesedra-routersim of a Linux build) on a pseudo-terminal and makes
# port number PORT reach it: with --wine-prefix, as the COM port PORT of that Wine
# prefix (a link in its dosdevices folder; Wine re-creates com1 and up for the
# machine's own serial ports when it starts, so PORT should be 3 or more); otherwise
# through TESEDRA_COM<PORT>. Then runs PROGRAM (under Wine: the build's wine-prueba.sh
# and the .exe) with TESEDRA_ROUTER_PUERTO and TESEDRA_ROUTER_MODELO set, stops the
# simulator and exits with the program's status.
set -euo pipefail

prefijo=""
if [ "${1:-}" = "--wine-prefix" ]; then
  prefijo=$2
  shift 2
fi
puerto=$1
simulador=$2
shift 2
opciones=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  opciones+=("$1")
  shift
done
[ "${1:-}" = "--" ] || { echo "usage: $0 [--wine-prefix DIR] PORT SIMULATOR [OPTIONS...] -- PROGRAM [ARGS...]" >&2; exit 2; }
shift
programa=("$@")

modelo=812
for ((i = 0; i < ${#opciones[@]}; i++)); do
  [ "${opciones[$i]}" = "--model" ] && modelo=${opciones[$((i + 1))]}
done

temporal=$(mktemp -d)
if [ -n "$prefijo" ]; then
  # The prefix is made by the first program Wine runs in it.
  [ -d "$prefijo/dosdevices" ] || "${programa[0]}" cmd /c exit >/dev/null 2>&1 || true
  enlace="$prefijo/dosdevices/com$puerto"
else
  enlace="$temporal/com$puerto"
  export "TESEDRA_COM$puerto=$enlace"
fi

# The simulator prints its device once the link is made: the test starts then.
coproc SIMULADOR { exec "$simulador" "${opciones[@]}" --link "$enlace" 2>"$temporal/simulador.err"; }
pid=$SIMULADOR_PID
terminar() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -L "$enlace" ] && rm -f "$enlace"
  rm -rf "$temporal"
}
trap terminar EXIT
if ! read -r -t 60 dispositivo <&"${SIMULADOR[0]}"; then
  echo "the simulator did not start:" >&2
  cat "$temporal/simulador.err" >&2
  exit 1
fi
echo "simulator ${opciones[*]} on $dispositivo, port $puerto: $enlace"

estado=0
TESEDRA_ROUTER_PUERTO=$puerto TESEDRA_ROUTER_MODELO=$modelo "${programa[@]}" || estado=$?
exit $estado

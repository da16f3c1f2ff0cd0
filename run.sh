#!/usr/bin/env bash
# Builds what is needed and starts the desktop program with the router simulator
# (a 3Com OfficeConnect Remote 812 console on a pseudo-terminal) as serial port 1.
# Without a display it runs the same validation through the command-line tool.
#
#   ./run.sh                       build if needed, start the simulator and the program
#   TESEDRA_SIM_PASSWORD=x ./run.sh   use another router console password
set -euo pipefail
cd "$(dirname "$0")"

BUILD=build
MODEL=812
PASSWORD="${TESEDRA_SIM_PASSWORD:-admin}"

# What building the programs needs (and the ping and traceroute the IP window
# runs); the test packages are left to ./test.sh.
source scripts/paquetes.sh
instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_USO[@]}"
if ! command -v cmake >/dev/null || ! command -v ninja >/dev/null; then
  echo "cmake and ninja are needed (Debian 12: ninja-build, cmake)." >&2
  exit 1
fi

# Configure once; after that ninja rebuilds only what changed (and re-runs cmake
# when a CMakeLists.txt changed). The test suite is not built or run here. A new
# build folder leaves the tests out when their packages are missing, so that the
# programs build without them; an existing one keeps its setting.
if [ ! -f "$BUILD/build.ninja" ]; then
  OPTIONS=(-DCMAKE_BUILD_TYPE=Release)
  command -v ccache >/dev/null && OPTIONS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  [ -n "$(paquetes_que_faltan "${PAQUETES_PRUEBAS[@]}")" ] && OPTIONS+=(-DBUILD_TESTING=OFF)
  cmake -S . -B "$BUILD" -G Ninja "${OPTIONS[@]}" >/dev/null
fi
cmake --build "$BUILD" --target tesedra tesedra-routersim tesedra-cli

# The simulator makes its pseudo-terminal and prints the device path as its first line.
exec {SIMOUT}< <(exec "$BUILD/bin/tesedra-routersim" --model "$MODEL" --password "$PASSWORD")
SIM_PID=$!
trap 'kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
if ! read -r -t 10 DEVICE <&"$SIMOUT" || [ -z "$DEVICE" ]; then
  echo "The router simulator did not start." >&2
  exit 1
fi
export TESEDRA_COM1="$DEVICE"

echo "Router simulator: 3Com OfficeConnect Remote 812 on $DEVICE (serial port 1, \"Com 1\")."
echo "Router console password: $PASSWORD"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # With the line check, so that the verdicts are the line's and not the
  # "NOK" that a validation without it records.
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): running the same validation headless:"
  echo "  tesedra-cli validate --model $MODEL --port 1 --password $PASSWORD --line-check"
  "$BUILD/bin/tesedra-cli" validate --model "$MODEL" --port 1 --password "$PASSWORD" --line-check
  exit $?
fi

echo "Log on as Usuario (no password), or Instalador; in the main window choose the 812 and Com 1,"
echo "type the router password above and start a check or a validation."
"$BUILD/bin/tesedra" "$@"

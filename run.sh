#!/usr/bin/env bash
# Builds what is needed and starts the desktop program. With no router attached
# it starts the built-in router simulator on a pseudo-terminal as port 1.
set -euo pipefail
cd "$(dirname "$0")"
if [ ! -x build/bin/tesedra ] || [ -n "$(find CMakeLists.txt */ -newer build/bin/tesedra -name '*.[ch]*' -print -quit 2>/dev/null)" ]; then
  ./test.sh >/dev/null 2>&1 || { echo "Build or tests failed: run ./test.sh to see why." >&2; exit 1; }
fi
if [ -x build/bin/tesedra ]; then
  exec build/bin/tesedra "$@"
fi
echo "The desktop program is not built yet; see README.md for the command-line tools." >&2

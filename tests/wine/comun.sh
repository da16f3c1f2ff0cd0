# shellcheck shell=bash
# Sourced by the tests that run the Windows programs from outside, under Wine: each has
# a Wine prefix of its own in the build folder and a virtual X server of its own, so
# that Wine's desktop process, which keeps the display it was started with, is always
# on the test's display. Needs WINE (the wine program) and WINEPREFIX set.

export WINEDEBUG=-all
# No Mono or Gecko questions; no menu entries or file types on the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset QT_QPA_PLATFORM
temporal=$(mktemp -d)
pid_xvfb=""

terminar() {
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  [ -z "$pid_xvfb" ] || { kill "$pid_xvfb" 2>/dev/null; wait "$pid_xvfb" 2>/dev/null; } || true
  rm -rf "$temporal"
}
trap terminar EXIT

fallo() {
  echo "FAILED: $*" >&2
  exit 1
}

# esperar_hasta SECONDS COMMAND...: runs COMMAND until it succeeds; fails after SECONDS
# (a bound for a hung program, far above what any run needs).
esperar_hasta() {
  local limite=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$limite" ] || return 1
    sleep 0.2
  done
}

# Xvfb on a display it picks itself; DISPLAY is set to it.
iniciar_pantalla() {
  command -v Xvfb >/dev/null || fallo "no Xvfb (package xvfb)"
  command -v xwininfo >/dev/null || fallo "no xwininfo (package x11-utils)"
  Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 >"$temporal/pantalla" 2>"$temporal/xvfb.log" &
  pid_xvfb=$!
  esperar_hasta 60 grep -q . "$temporal/pantalla" || fallo "Xvfb did not start: $(cat "$temporal/xvfb.log")"
  DISPLAY=":$(cat "$temporal/pantalla")"
  export DISPLAY
}

# The prefix, made on first use; its server started apart from the test's output
# (CTest would wait for it otherwise) and ended with the test. A server left over by an
# earlier run is ended first: its desktop process would be on that run's display.
preparar_prefijo() {
  wineserver -k >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/.hecho" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || fallo "wineboot could not make $WINEPREFIX"
    wineserver -w
    touch "$WINEPREFIX/.hecho"
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot </dev/null >/dev/null 2>&1
}

# ventana_de TITLE: the X window id of the window with that title, when there is one.
ventana_de() {
  # awk reads the whole tree: a reader that stopped early would fail the pipe.
  xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" 'index($0, t) && !vista {print $1; vista = 1}' || true
}

# esperar_ventana TITLE PID: waits until that window is there while the program PID
# runs, and prints its id.
esperar_ventana() {
  local ventana limite=$((SECONDS + 180))
  while kill -0 "$2" 2>/dev/null && [ "$SECONDS" -lt "$limite" ]; do
    ventana=$(ventana_de "$1")
    [ -n "$ventana" ] && { echo "$ventana"; return 0; }
    sleep 0.2
  done
  return 1
}

# capturar WINDOW FILE: the window's picture to FILE (PNG) once it is painted: a window
# not painted yet is one colour; the log-on window's text and controls are many more.
capturar() {
  command -v import >/dev/null || fallo "no import (package imagemagick)"
  esperar_hasta 120 sh -c '
    import -silent -window "$1" "$2" 2>/dev/null && [ "$(identify -format %k "$2")" -gt 16 ]' - "$1" "$2"
}

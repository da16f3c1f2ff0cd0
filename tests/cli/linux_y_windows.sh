#!/usr/bin/env bash
# tesedra-cli of the Linux build and tesedra-cli.exe of the Windows build (under
# Wine) against the router simulator, each against a simulator of its own started
# by router_externo.sh (Linux: through TESEDRA_COM<PORT>; Windows: the COM port PORT
# of the Wine prefix):
#
#   linux_y_windows.sh PREFIX PORT SIMULATOR LINUX_CLI WINE WINDOWS_CLI same ARGS...
#       runs `tesedra-cli ARGS --port PORT --password admin` on both; standard output
#       (the date of the labelled and of the --raw output masked) and the exit status
#       must be the same.
#   linux_y_windows.sh PREFIX PORT SIMULATOR LINUX_CLI WINE WINDOWS_CLI records
#       each program saves a validation of each model into a folder of its own, then
#       each program's reverse validation opens the other's folder: every record
#       sound and in place.
set -euo pipefail
prefijo=$1 puerto=$2 simulador=$3 cli_linux=$4 wine=$5 cli_windows=$6 modo=$7
shift 7
externo="$(dirname "$0")/../console/router_externo.sh"
temporal=$(mktemp -d)
trap 'rm -rf "$temporal"' EXIT
export LC_ALL=C # English texts on both

# correr linux|windows MODEL OUT ARGS...: one run against a fresh simulator of MODEL,
# standard output into OUT; its exit status.
correr() {
  local lado=$1 modelo=$2 salida=$3
  shift 3
  local estado=0
  if [ "$lado" = linux ]; then
    bash "$externo" "$puerto" "$simulador" --model "$modelo" -- \
      sh -c 'exec "$@" >"$0"' "$salida" "$cli_linux" "$@" --port "$puerto" --password admin >/dev/null || estado=$?
  else
    bash "$externo" --wine-prefix "$prefijo" "$puerto" "$simulador" --model "$modelo" -- \
      sh -c 'exec "$@" >"$0"' "$salida" "$wine" "$cli_windows" "$@" --port "$puerto" --password admin \
      >/dev/null || estado=$?
  fi
  return $estado
}

modelo_de() {
  while [ $# -gt 0 ]; do
    [ "$1" = --model ] && { echo "$2"; return; }
    shift
  done
}

case "$modo" in
  same)
    modelo=$(modelo_de "$@")
    el=0 ew=0
    correr linux "$modelo" "$temporal/linux" "$@" || el=$?
    correr windows "$modelo" "$temporal/windows" "$@" || ew=$?
    for f in linux windows; do
      sed -E 's/^(Fecha: *).*$/\1<date>/; s/^(fecha=).*$/\1<date>/' "$temporal/$f" >"$temporal/$f.sin"
    done
    if ! cmp -s "$temporal/linux.sin" "$temporal/windows.sin"; then
      echo "standard output differs (Linux, then Windows):"
      diff <(od -c "$temporal/linux.sin") <(od -c "$temporal/windows.sin") | head -40
      exit 1
    fi
    [ "$el" = "$ew" ] || { echo "exit status: Linux $el, Windows $ew"; exit 1; }
    [ -s "$temporal/linux.sin" ] || { echo "no output"; exit 1; }
    echo "same $(wc -c <"$temporal/linux.sin") bytes, exit status $el"
    ;;
  records)
    mkdir "$temporal/de_linux" "$temporal/de_windows" "$temporal/des_linux" "$temporal/des_windows"
    ruta_windows() { WINEPREFIX=$prefijo winepath -w "$1" 2>/dev/null; }
    for modelo in 812 5660; do
      correr linux "$modelo" /dev/null validate --model "$modelo" --save "$temporal/de_linux"
      correr windows "$modelo" /dev/null validate --model "$modelo" --save "$(ruta_windows "$temporal/de_windows")"
    done
    "$wine" "$cli_windows" reverse --no-progress \
      "$(ruta_windows "$temporal/de_linux")" "$(ruta_windows "$temporal/des_windows")" >"$temporal/en_windows"
    "$cli_linux" reverse --no-progress "$temporal/de_windows" "$temporal/des_linux" >"$temporal/en_linux"
    fallo=0
    for lado in en_windows en_linux; do
      echo "$lado: $(cat "$temporal/$lado")"
      grep -Eq '^AI[0-9]{6}\.(txt|TXT) -> AI[0-9]{6}\.des: 2 lines, 2 in place, 0 moved, 0 damaged, 0 unreadable$' \
        "$temporal/$lado" || fallo=1
    done
    exit $fallo
    ;;
esac

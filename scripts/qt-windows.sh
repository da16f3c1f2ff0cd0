#!/usr/bin/env bash
# Prints the folder of a qtbase 6.4.2 for x86_64-w64-mingw32 (what the Windows build
# takes as CMAKE_PREFIX_PATH), building it first when there is none:
#
#   TESEDRA_QT_WINDOWS=DIR   an existing Qt 6 for MinGW: DIR is checked and printed
#   otherwise                ${XDG_CACHE_HOME:-~/.cache}/tesedra/qt-6.4.2-mingw64/inst,
#                            built once from Debian's qt6-base source package and
#                            reused while it is there (40 minutes or more on two cores)
#   --configure-only         stops after qtbase's CMake configure step (to check it)
#   --options                prints the configure options this script uses, one a line
#
# Only what this script prints goes to standard output; its progress goes to
# standard error. Debian's own Qt (qt6-base-dev) gives the host tools: moc, rcc, uic.
# Beside the built Qt it leaves what the Windows package's licence notice names:
# inst/tesedra-qt.txt (source package, compiler, configure options) and inst/licencias/
# (Qt's LGPL-3 and GPL-3 texts from the source), written again each time it is reused.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)

version=6.4.2

# Shared, Release; what the programs do not use is left out. Debian's source has no
# wintab.h, which the tablet events of the Windows platform plugin need. OpenGL stays
# on (it becomes "dynamic"): Qt 6.4.2's Windows platform plugin does not build without.
# Not built: the Direct2D platform plugin (Direct2D stays for the font engine) and the
# JPEG, GIF and ICO image formats (the programs use the windows platform plugin, PNG).
opciones=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_network=OFF -DFEATURE_system_zlib=OFF -DFEATURE_zstd=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
)

solo_configurar=0
case "${1:-}" in
  --configure-only) solo_configurar=1 ;;
  --options) printf '%s\n' "${opciones[@]}"; exit 0 ;;
esac

# A Qt for MinGW holds its CMake package and its DLLs.
es_qt_windows() {
  [ -f "$1/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$1/bin/Qt6Core.dll" ]
}

if [ -n "${TESEDRA_QT_WINDOWS:-}" ]; then
  if ! es_qt_windows "$TESEDRA_QT_WINDOWS"; then
    echo "TESEDRA_QT_WINDOWS=$TESEDRA_QT_WINDOWS is not a Qt 6 for MinGW (no lib/cmake/Qt6 or bin/Qt6Core.dll)" >&2
    exit 1
  fi
  echo "$TESEDRA_QT_WINDOWS"
  exit 0
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/tesedra/qt-$version-mingw64
inst=$cache/inst

# What the licence notice of the Windows package names, beside the built Qt: the
# source, the compiler, the configure options, and Qt's licence texts from the source.
registrar() {
  local fuente=$1 dsc
  dsc=$(ls "$cache"/src/qt6-base_*.dsc)
  {
    echo "qtbase $version for x86_64-w64-mingw32, shared libraries"
    echo "Source: Debian's qt6-base source package, version $(sed -n 's/^Version: //p' "$dsc")"
    echo "Compiler: $(dpkg-query -W -f='${Package} ${Version}' g++-mingw-w64-x86-64-posix)"
    echo "Configured with cmake, for x86_64-w64-mingw32 (posix threads), the host tools"
    echo "(moc, rcc, uic) from Debian's qt6-base-dev, and:"
    printf '  %s\n' "${opciones[@]}"
  } > "$inst/tesedra-qt.txt"
  mkdir -p "$inst/licencias"
  cp "$fuente/LICENSES/LGPL-3.0-only.txt" "$fuente/LICENSES/GPL-3.0-only.txt" "$inst/licencias/"
}

# .hecho is written last and holds the options: a build that was stopped, or one made
# with other options, is done again.
if [ "$solo_configurar" = 0 ] && [ -f "$cache/.hecho" ] && es_qt_windows "$inst" \
  && [ "$(cat "$cache/.hecho")" = "${opciones[*]}" ]; then
  fuente=$(find "$cache/src" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n1)
  [ -z "$fuente" ] || registrar "$fuente"
  echo "$inst"
  exit 0
fi

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# Debian's sources need a deb-src entry for bookworm; one is added beside the
# system's own entry for Debian, in the same form, with the same mirror and the same
# key (apt refuses two entries of one mirror with different keys).
fuentes_debian() {
  grep -rqsE '^deb-src .* bookworm[ /]' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
  grep -rqsE '^Types:.*deb-src' /etc/apt/sources.list.d/ && return 0
  local estrofa espejo clave
  estrofa=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null \
    | awk -v RS= '/\nURIs:[^\n]*\/debian\/?(\n|$)/ && /Suites:[^\n]*bookworm( |\n|$)/ {print; exit}')
  if [ -n "$estrofa" ]; then
    espejo=$(echo "$estrofa" | awk '/^URIs:/ {print $2; exit}')
    clave=$(echo "$estrofa" | awk '/^Signed-By:/ {print $2; exit}')
    echo "Adding the source entry: deb-src $espejo bookworm main" >&2
    {
      echo "Types: deb-src"
      echo "URIs: $espejo"
      echo "Suites: bookworm"
      echo "Components: main"
      [ -n "$clave" ] && echo "Signed-By: $clave"
    } | "${sudo[@]}" tee /etc/apt/sources.list.d/tesedra-fuentes.sources >/dev/null
  else
    local linea
    linea=$(grep -hsE '^deb (\[[^]]*\] )?[^ ]+/debian/? bookworm ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
      | head -n1)
    [ -n "$linea" ] || linea="deb http://deb.debian.org/debian bookworm main"
    linea="deb-src ${linea#deb }"
    echo "Adding the source entry: $linea" >&2
    echo "$linea" | "${sudo[@]}" tee /etc/apt/sources.list.d/tesedra-fuentes.list >/dev/null
  fi
  "${sudo[@]}" apt-get update -qq
}

mkdir -p "$cache"
fuente=$(find "$cache/src" -maxdepth 1 -type d -name "qt6-base-$version*" 2>/dev/null | head -n1 || true)
if [ -z "$fuente" ]; then
  fuentes_debian
  rm -rf "$cache/src"
  mkdir -p "$cache/src"
  echo "Fetching Debian's qt6-base source package into $cache/src" >&2
  (cd "$cache/src" && apt-get source -qq qt6-base >&2)
  fuente=$(find "$cache/src" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n1)
  if [ -z "$fuente" ]; then
    echo "apt-get source did not give qt6-base $version (found: $(ls "$cache/src"))" >&2
    exit 1
  fi
fi

compilacion=$cache/build
echo "Configuring qtbase $version for x86_64-w64-mingw32 in $compilacion" >&2
cmake -S "$fuente" -B "$compilacion" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$inst" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${opciones[@]}" >&2
if [ "$solo_configurar" = 1 ]; then
  echo "Configured; not built (--configure-only)." >&2
  exit 0
fi
echo "Building qtbase (40 minutes or more on two cores)" >&2
cmake --build "$compilacion" >&2
rm -rf "$inst"
cmake --install "$compilacion" >&2
es_qt_windows "$inst" || { echo "the installed Qt in $inst is incomplete" >&2; exit 1; }
registrar "$fuente"
# The build folder is not needed any more; the sources stay for the licence's offer.
rm -rf "$compilacion"
echo "${opciones[*]}" > "$cache/.hecho"
echo "$inst"

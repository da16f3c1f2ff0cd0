#!/usr/bin/env bash
# Builds the Windows installer and the portable zip from a configured cross build
# (./test.sh windows makes build-windows/):
#
#   scripts/paquete-windows.sh [BUILD]     BUILD defaults to build-windows
#
# They land in BUILD/paquete/: tesedra-<version>-setup.exe (NSIS) and
# tesedra-<version>-windows-x64.zip, both of the folder BUILD/paquete/tesedra-<version>/:
# the two programs, the Qt and MinGW runtime DLLs they load (as separate DLLs, which
# a user may replace), the windows platform and the style plugins, Qt's Spanish
# translation, and the licence texts with the notice of where Qt's source is.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
source scripts/paquetes.sh
instalar_paquetes "${PAQUETES_WINDOWS[@]}"

compilacion=$(cd "${1:-build-windows}" && pwd)
cache=$compilacion/CMakeCache.txt
if ! grep -q '^CMAKE_SYSTEM_NAME:.*=Windows$\|^CMAKE_TOOLCHAIN_FILE:.*mingw' "$cache" 2>/dev/null; then
  echo "$compilacion is not a configured Windows build (./test.sh windows makes build-windows)" >&2
  exit 1
fi
valor() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
version=$(valor CMAKE_PROJECT_VERSION)
qt=$(cd "$(valor Qt6_DIR)/../../.." && pwd)
# The compiler the toolchain file chose (not a cache entry): the MinGW runtime is beside it.
compilador=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$compilacion"/CMakeFiles/*/CMakeCXXCompiler.cmake | head -n1)
[ -x "$compilador" ] || { echo "no C++ compiler found in $compilacion/CMakeFiles" >&2; exit 1; }
objdump=x86_64-w64-mingw32-objdump
cmake --build "$compilacion" --target tesedra tesedra-cli

salida=$compilacion/paquete
nombre=tesedra-$version
carpeta=$salida/$nombre
rm -rf "$carpeta"
mkdir -p "$carpeta/platforms" "$carpeta/styles" "$carpeta/translations" "$carpeta/licencias"
cp "$compilacion/bin/tesedra.exe" "$compilacion/bin/tesedra-cli.exe" "$carpeta/"
cp "$qt/plugins/platforms/qwindows.dll" "$carpeta/platforms/"
cp "$qt/plugins/styles/"*.dll "$carpeta/styles/"
cp /usr/share/qt6/translations/qtbase_es.qm "$carpeta/translations/"

# Every DLL the programs and plugins load that is not the system's: Qt's from Qt's
# bin/, the MinGW runtime from beside the compiler; followed to the DLLs they load.
declare -A dlls=()
buscar_dll() {  # prints where a DLL of Qt or of the MinGW runtime is, or nothing
  local ruta
  if [ -f "$qt/bin/$1" ]; then
    echo "$qt/bin/$1"
    return
  fi
  # The compiler prints the bare name back when it has no such file.
  ruta=$("$compilador" -print-file-name="$1")
  if [[ $ruta == /* ]] && [ -f "$ruta" ]; then
    readlink -f "$ruta"
  fi
}
pendientes=("$carpeta"/*.exe "$carpeta"/platforms/*.dll "$carpeta"/styles/*.dll)
while [ ${#pendientes[@]} -gt 0 ]; do
  pe=${pendientes[0]}
  pendientes=("${pendientes[@]:1}")
  for dll in $("$objdump" -p "$pe" | sed -n 's/^\s*DLL Name: //p'); do
    [ -n "${dlls[$dll]:-}" ] && continue
    ruta=$(buscar_dll "$dll")
    if [ -z "$ruta" ]; then
      # Anything of Qt's or of the compiler's that is not found is an error; the rest is Windows'.
      case "$dll" in
        Qt6*|libstdc++*|libgcc*|libwinpthread*)
          echo "$(basename "$pe") needs $dll, which is neither in $qt/bin nor beside $compilador" >&2
          exit 1 ;;
      esac
      dlls[$dll]=sistema
      continue
    fi
    dlls[$dll]=$ruta
    cp "$ruta" "$carpeta/$dll"
    pendientes+=("$carpeta/$dll")
  done
done

# Without their symbols (the MinGW runtime DLLs carry debugging information): a
# third of the size.
find "$carpeta" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# The licences: Qt's LGPL-3 (and the GPL-3 it builds on), Debian's copyright file of
# qt6-base (Qt and the third-party code built into it), the MinGW runtime's.
if [ -f "$qt/licencias/LGPL-3.0-only.txt" ]; then
  cp "$qt/licencias/LGPL-3.0-only.txt" "$carpeta/licencias/Qt-LGPL-3.0.txt"
  cp "$qt/licencias/GPL-3.0-only.txt" "$carpeta/licencias/Qt-GPL-3.0.txt"
else
  cp /usr/share/common-licenses/LGPL-3 "$carpeta/licencias/Qt-LGPL-3.0.txt"
  cp /usr/share/common-licenses/GPL-3 "$carpeta/licencias/Qt-GPL-3.0.txt"
fi
cp /usr/share/doc/libqt6core6/copyright "$carpeta/licencias/Qt-copyright-Debian.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$carpeta/licencias/MinGW-GCC-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$carpeta/licencias/MinGW-w64-copyright.txt"
cp paquete/copyright "$carpeta/licencias/Tesedra-copyright.txt"

# How this Qt was made: recorded by scripts/qt-windows.sh beside the Qt it built; for
# another Qt (TESEDRA_QT_WINDOWS) the options of scripts/qt-windows.sh, said so.
if [ -f "$qt/tesedra-qt.txt" ]; then
  como_qt=$(cat "$qt/tesedra-qt.txt")
else
  echo "warning: $qt has no tesedra-qt.txt (not made by scripts/qt-windows.sh); the notice names its options" >&2
  como_qt="qtbase 6.4.2 for x86_64-w64-mingw32, shared libraries
Source: Debian's qt6-base source package, version 6.4.2+dfsg-10
Configured with cmake and (as scripts/qt-windows.sh gives them):
$(scripts/qt-windows.sh --options | sed 's/^/  /')"
fi
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$qt/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
propias=$(for d in "${!dlls[@]}"; do if [ "${dlls[$d]}" != sistema ]; then echo "  $d"; fi; done | LC_ALL=C sort)
reemplazables=$(grep Qt6 <<<"$propias"; (cd "$carpeta" && ls platforms/*.dll styles/*.dll) | tr / '\\' | sed 's/^/  /')
sed 's/$/\r/' > "$carpeta/LICENCIAS.txt" <<EOF
Tesedra $version for Windows: the licences of what it ships
============================================================

Tesedra itself: licencias/Tesedra-copyright.txt.

Qt $qt_version
--------
The programs use the Qt toolkit, version $qt_version (its qtbase module), under the GNU
Lesser General Public License version 3: licencias/Qt-LGPL-3.0.txt, which builds on
licencias/Qt-GPL-3.0.txt. The copyright notices of Qt and of the third-party code
built into it: licencias/Qt-copyright-Debian.txt.

Qt is linked dynamically. Its libraries are these separate files, which a user may
replace with other builds of Qt $qt_version (for instance one of their own, changed as
they wish, from the source below) by putting them in their place:
$reemplazables

The Qt shipped here was built, with no changes of ours, from this source and so:
$(sed 's/^/  /' <<<"$como_qt")

That source is Debian's qt6-base source package of the version above: on Debian 12
"apt-get source qt6-base=<version>", or its .dsc, .orig.tar.xz and .debian.tar.xz files
from https://snapshot.debian.org/package/qt6-base/ (the .debian.tar.xz holds Debian's
patches, which the build applied).

The MinGW-w64 runtime
---------------------
$(grep -v Qt6 <<<"$propias")
come from the GCC and MinGW-w64 of Debian 12, under the GCC Runtime Library Exception
and the winpthreads licence: licencias/MinGW-GCC-runtime-copyright.txt and
licencias/MinGW-w64-copyright.txt.
EOF

# The installer: the NSIS script of paquete/windows with the lists of what it
# installs and what its uninstaller deletes, made from the folder.
lista=$salida/archivos.nsh
borrados=$salida/borrados.nsh
: > "$lista"
: > "$borrados"
(
  cd "$carpeta"
  find . -type d | LC_ALL=C sort | while read -r d; do
    d=${d#./}
    destino='$INSTDIR'
    [ "$d" = . ] || destino="\$INSTDIR\\${d//\//\\}"
    echo "SetOutPath \"$destino\"" >> "$lista"
    find "./$d" -maxdepth 1 -type f | LC_ALL=C sort | while read -r f; do
      echo "File \"$carpeta/${f#./}\"" >> "$lista"
      f=${f#./}
      echo "Delete \"\$INSTDIR\\${f//\//\\}\"" >> "$borrados"
    done
  done
  # Folders deepest first, and only when empty.
  find . -mindepth 1 -type d | LC_ALL=C sort -r | while read -r d; do
    d=${d#./}
    echo "RMDir \"\$INSTDIR\\${d//\//\\}\"" >> "$borrados"
  done
)
setup=$salida/$nombre-setup.exe
makensis -V2 -NOCD -DVERSION="$version" -DVERSION4="$version.0" -DSALIDA="$setup" \
  -DICONO="$raiz/paquete/windows/tesedra.ico" -DARCHIVOS="$lista" -DBORRADOS="$borrados" \
  paquete/windows/tesedra.nsi

# The portable zip: the same folder.
zip=$salida/$nombre-windows-x64.zip
rm -f "$zip"
(cd "$salida" && cmake -E tar cf "$zip" --format=zip "$nombre")
echo "Installer: $setup"
echo "Portable zip: $zip"

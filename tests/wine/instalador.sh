#!/usr/bin/env bash
# The Windows installer under Wine, in a prefix of the test's own: a silent install per
# machine under Program Files; the installed programs run (tesedra-cli.exe --version,
# and with SIMULATOR a validation that saves a record and a transcript in the program's
# folder, where the program writes by default when it may; tesedra.exe up to its
# log-on window); the Start-menu shortcuts and the Add/Remove Programs entry; an
# install over that one; then a silent uninstall, which takes away every installed
# file and leaves the records and the transcript. A second install into a folder
# given with /D= is uninstalled to nothing.
#
#   instalador.sh WINE PREFIX SETUP.exe VERSION BUILD_BIN TITLE [ROUTER_EXTERNO SIMULATOR]
set -euo pipefail
WINE=$1
export WINEPREFIX=$2
setup=$3
version=$4
bin=$5
titulo=$6
router_externo=${7:-}
simulador=${8:-}
# shellcheck source=tests/wine/comun.sh
source "$(dirname "$0")/comun.sh"

[ -f "$setup" ] || fallo "no $setup: scripts/paquete-windows.sh builds it (./test.sh windows does)"
for exe in tesedra.exe tesedra-cli.exe; do
  [ "$setup" -nt "$bin/$exe" ] || fallo "$setup is older than $bin/$exe: run scripts/paquete-windows.sh again"
done
# What the installer must install: the folder the setup and the zip are made of.
carpeta=$(dirname "$setup")/tesedra-$version
[ -f "$carpeta/tesedra-cli.exe" ] || fallo "no $carpeta, the folder the setup was made of"
archivos() { (cd "$1" && find . -type f ! -name uninstall.exe | LC_ALL=C sort); }
archivos "$carpeta" > "$temporal/esperados"

iniciar_pantalla
preparar_prefijo
destino_win='C:\Program Files\Tesedra'
destino="$WINEPREFIX/drive_c/Program Files/Tesedra"
otro_win='C:\Tesedra-otra'
otro="$WINEPREFIX/drive_c/Tesedra-otra"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tesedra"
clave='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tesedra'
# As on a machine that never had it.
"$WINE" reg delete "$clave" /f >/dev/null 2>&1 || true
rm -rf "$destino" "$otro" "$menu"

valor_registro() {  # valor_registro NAME: the value of the Add/Remove Programs entry
  "$WINE" reg query "$clave" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
sin_entrada() { ! "$WINE" reg query "$clave" >/dev/null 2>&1; }
version_de() {  # version_de WINDOWS_PATH: the first line tesedra-cli.exe --version prints
  "$WINE" "$1" --version 2>"$temporal/version.err" | tr -d '\r' | head -n1
}

echo "== silent install, per machine"
"$WINE" "$setup" /S >"$temporal/setup.log" 2>&1 || fallo "the silent install failed, status $?"
archivos "$destino" > "$temporal/instalados"
diff -u "$temporal/esperados" "$temporal/instalados" || fallo "the installed files are not those of $carpeta"
[ -f "$destino/uninstall.exe" ] || fallo "no uninstaller in $destino"
for f in tesedra.exe tesedra-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll \
  libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll translations/qtbase_es.qm \
  LICENCIAS.txt licencias/Qt-LGPL-3.0.txt; do
  [ -f "$destino/$f" ] || fallo "$f was not installed"
done
ls "$destino"/styles/*.dll >/dev/null 2>&1 || fallo "no style plugin installed"
# The zip holds the same folder.
(cd "$temporal" && cmake -E tar xf "$(dirname "$setup")/tesedra-$version-windows-x64.zip")
archivos "$temporal/tesedra-$version" | diff -u "$temporal/esperados" - || fallo "the zip does not hold $carpeta"

echo "== the installed programs"
linea=$(version_de "$destino_win\\tesedra-cli.exe")
[ "$linea" = "tesedra-cli $version" ] || fallo "tesedra-cli.exe --version said '$linea': $(cat "$temporal/version.err")"
for exe in tesedra tesedra-cli; do
  # The version resource (UTF-16 strings): FileVersion and ProductVersion, then the value.
  for campo in FileVersion ProductVersion; do
    v=$(strings -el "$destino/$exe.exe" | grep -A1 -x "$campo" | sed -n 2p || true)
    [ "$v" = "$version" ] || fallo "$exe.exe: $campo is '$v' in its version resource, not $version"
  done
  # An icon group (resource type 14) among the top entries of the resource directory.
  x86_64-w64-mingw32-objdump -p "$destino/$exe.exe" | grep -E '^[0-9a-f]+   Entry: ID: 0x00000e,' >/dev/null \
    || fallo "$exe.exe has no icon resource"
done
"$WINE" "$destino_win\\tesedra.exe" >"$temporal/tesedra.log" 2>&1 &
pid=$!
esperar_ventana "$titulo" "$pid" >/dev/null \
  || fallo "the installed tesedra.exe showed no window \"$titulo\": $(cat "$temporal/tesedra.log")"
kill "$pid"
wait "$pid" 2>/dev/null || true

echo "== Start menu and Add/Remove Programs"
[ -f "$menu/Tesedra.lnk" ] || fallo "no Start-menu shortcut $menu/Tesedra.lnk"
[ -f "$menu/Desinstalar Tesedra.lnk" ] || fallo "no Start-menu shortcut to the uninstaller"
# A shortcut holds its target's path (as 8-bit or UTF-16 text, by Windows version).
cat <(strings "$menu/Tesedra.lnk") <(strings -el "$menu/Tesedra.lnk") | grep -iF "$destino_win\\tesedra.exe" >/dev/null \
  || fallo "the Start-menu shortcut does not lead to $destino_win\\tesedra.exe"
cat <(strings "$menu/Desinstalar Tesedra.lnk") <(strings -el "$menu/Desinstalar Tesedra.lnk") \
  | grep -iF "$destino_win\\uninstall.exe" >/dev/null || fallo "the uninstall shortcut does not lead to the uninstaller"
[ "$(valor_registro DisplayVersion)" = "$version" ] || fallo "Add/Remove Programs: DisplayVersion '$(valor_registro DisplayVersion)'"
[ "$(valor_registro InstallLocation)" = "$destino_win" ] || fallo "Add/Remove Programs: InstallLocation '$(valor_registro InstallLocation)'"
[ "$(valor_registro UninstallString)" = "\"$destino_win\\uninstall.exe\"" ] \
  || fallo "Add/Remove Programs: UninstallString '$(valor_registro UninstallString)'"
[[ $(valor_registro DisplayName) == Tesedra* ]] || fallo "Add/Remove Programs: no DisplayName"

echo "== the technician's files in the program's folder"
if [ -n "$simulador" ]; then
  # A validation over a COM port with the router simulator at the far end, saved where
  # the desktop program saves by default (its own folder, when it may write there).
  bash "$router_externo" --wine-prefix "$WINEPREFIX" 5 "$simulador" --model 812 -- \
    "$WINE" "$destino_win\\tesedra-cli.exe" validate --model 812 --port 5 --password admin \
    --save "$destino_win" --transcript "$destino_win\\transcripcion.txt" >"$temporal/validate.log" 2>&1 \
    || fallo "the installed tesedra-cli.exe could not validate and save: $(cat "$temporal/validate.log")"
else
  # Without the simulator, files of the same names.
  printf 'registro\r\n' > "$destino/AI$(date +%d%m%y).txt"
  printf 'transcripcion\r\n' > "$destino/transcripcion.txt"
fi
ls "$destino"/AI*.txt >/dev/null 2>&1 || fallo "no day record file AI*.txt in $destino"
(cd "$destino" && sha256sum AI*.txt transcripcion.txt) > "$temporal/propios"

echo "== installed again over itself: the earlier uninstaller first, the records kept"
"$WINE" "$setup" /S >"$temporal/setup-otra-vez.log" 2>&1 || fallo "the install over the earlier one failed, status $?"
archivos "$destino" | grep -v -e '^./AI' -e '^./transcripcion.txt$' | diff -u "$temporal/esperados" - \
  || fallo "after installing over the earlier install, the files are not those of $carpeta"
[ -f "$destino/uninstall.exe" ] || fallo "no uninstaller after installing over the earlier install"
(cd "$destino" && sha256sum -c --quiet "$temporal/propios") || fallo "installing again took or changed the technician's files"
[ "$(valor_registro InstallLocation)" = "$destino_win" ] || fallo "Add/Remove Programs: no entry after installing again"

echo "== silent uninstall"
# The uninstaller runs a copy of itself from the temporary folder and returns at once;
# the entry in Add/Remove Programs is the last thing it takes away.
"$WINE" "$destino_win\\uninstall.exe" /S >"$temporal/uninstall.log" 2>&1 || fallo "the uninstaller failed, status $?"
esperar_hasta 180 sin_entrada || fallo "the Add/Remove Programs entry is still there"
esperar_hasta 60 test ! -e "$destino/uninstall.exe" || fallo "the uninstaller is still there"
while read -r f; do
  [ ! -e "$destino/$f" ] || fallo "$f was left installed"
done < "$temporal/esperados"
for d in platforms styles translations licencias; do
  [ ! -e "$destino/$d" ] || fallo "the folder $d was left"
done
(cd "$destino" && sha256sum -c --quiet "$temporal/propios") || fallo "the uninstaller took or changed the technician's files"
[ "$(cd "$destino" && find . -type f | LC_ALL=C sort)" = "$(awk '{print "./" $2}' "$temporal/propios" | LC_ALL=C sort)" ] \
  || fallo "files left in $destino beside the technician's: $(cd "$destino" && find . -type f)"
[ ! -e "$menu" ] || fallo "the Start-menu folder was left: $(ls "$menu")"

echo "== silent install into a folder given with /D=, uninstalled to nothing"
"$WINE" "$setup" /S "/D=$otro_win" >"$temporal/setup2.log" 2>&1 || fallo "the install with /D= failed, status $?"
linea=$(version_de "$otro_win\\tesedra-cli.exe")
[ "$linea" = "tesedra-cli $version" ] || fallo "tesedra-cli.exe --version in $otro_win said '$linea'"
[ "$(valor_registro InstallLocation)" = "$otro_win" ] || fallo "Add/Remove Programs: InstallLocation '$(valor_registro InstallLocation)' after /D="
"$WINE" "$otro_win\\uninstall.exe" /S >"$temporal/uninstall2.log" 2>&1 || fallo "the uninstaller failed, status $?"
esperar_hasta 180 sin_entrada || fallo "the Add/Remove Programs entry is still there"
esperar_hasta 60 test ! -e "$otro" || fallo "$otro_win was left: $(cd "$otro" && find .)"
echo "installed, ran, uninstalled: $setup"

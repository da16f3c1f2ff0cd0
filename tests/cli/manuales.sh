#!/usr/bin/env bash
# The manual pages cannot drift away from the programs: every option that a
# program's --help lists (for tesedra-cli, each command's) and every command of
# tesedra-cli must be in its page.
#   manuales.sh SOURCE_DIR BIN_DIR
set -u
src=$1
bin=$2
fallos=0

# The long options of a --help text: "  -q, --quiet  ..." and "  --model <MODEL> ...".
opciones() { grep -oE '^ +(-[a-zA-Z], )?--[a-z][a-z-]*' | grep -oE -- '--[a-z][a-z-]*' | sort -u; }

# revisar PAGE WHAT < HELP-TEXT
revisar() {
  local pagina=$1 que=$2 opcion n=0
  for opcion in $(opciones); do
    n=$((n + 1))
    grep -qF -- "${opcion//-/\\-}" "$pagina" ||
      { echo "$(basename "$pagina"): $opcion of '$que --help' is missing"; fallos=1; }
  done
  [ "$n" -gt 0 ] || { echo "'$que --help' lists no option"; fallos=1; }
}

revisar "$src/man/tesedra-routersim.1.in" tesedra-routersim < <("$bin/tesedra-routersim" --help)
revisar "$src/man/tesedra.1.in" tesedra < <("$bin/tesedra" --help)
comandos=$(LANG=C "$bin/tesedra-cli" --help | sed -n '/^Commands:/,/^$/p' | grep -oE '^  [a-z]+' | tr -d ' ')
[ -n "$comandos" ] || { echo "'tesedra-cli --help' lists no command"; fallos=1; }
for c in $comandos; do
  grep -qE "^\.BI? $c( |$)" "$src/man/tesedra-cli.1.in" ||
    { echo "tesedra-cli.1.in: the command $c is missing"; fallos=1; }
  revisar "$src/man/tesedra-cli.1.in" "tesedra-cli $c" < <(LANG=C "$bin/tesedra-cli" "$c" --help)
done
exit $fallos

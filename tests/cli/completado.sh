#!/usr/bin/env bash
# The bash completion of tesedra-cli: what it offers at each place of a command
# line, and that it offers every option each command's --help lists.
#   completado.sh SCRIPT TESEDRA_CLI
set -u
source "$1"
cli=$2
fallos=0
carpeta=$(mktemp -d)
trap 'rm -rf "$carpeta"' EXIT
mkdir "$carpeta/registros"
touch "$carpeta/r812"

# ofrece "WORD..." "EXPECTED..." [absent...]: completing the last word offers every
# expected word (and none of the absent ones).
ofrece() {
  local -a palabras
  read -r -a palabras <<< "$1"
  [[ $1 == *" " || -z $1 ]] && palabras+=("")
  COMP_WORDS=(tesedra-cli "${palabras[@]}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _tesedra_cli
  local visto=" ${COMPREPLY[*]} " w
  for w in $2; do
    [[ $visto == *" $w "* ]] || { echo "'tesedra-cli $1': '$w' not offered (offered:$visto)"; fallos=1; }
  done
  for w in ${3:-}; do
    [[ $visto != *" $w "* ]] || { echo "'tesedra-cli $1': '$w' offered"; fallos=1; }
  done
}

ofrece "" "check validate reverse ports --help --version"
ofrece "va" "validate" "check"
ofrece "check " "sync atm ppp config"
ofrece "check sync --mo" "--model"
ofrece "check sync --model " "812 5660"
ofrece "check --port " "1 6"
ofrece "validate --modality p" "premium" "class"
ofrece "validate --modality " "estandar class premium"
ofrece "validate --save $carpeta/re" "$carpeta/registros" "$carpeta/r812"
ofrece "check --device $carpeta/r" "$carpeta/r812"
ofrece "check --password-file $carpeta/r" "$carpeta/r812"
ofrece "reverse $carpeta/" "$carpeta/registros" "$carpeta/r812"
ofrece "check --password " "" "sync"

# Every option of each command's help is offered after a "-".
for c in check validate reverse ports; do
  opciones=$(LANG=C "$cli" "$c" --help | grep -oE '^ +(-[a-zA-Z], )?--[a-z][a-z-]*' | grep -oE -- '--[a-z][a-z-]*')
  [ -n "$opciones" ] || { echo "'tesedra-cli $c --help' lists no option"; fallos=1; }
  ofrece "$c -" "$opciones"
done
exit $fallos

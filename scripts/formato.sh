#!/usr/bin/env bash
# Lays out the C++ sources with .clang-format.
#   scripts/formato.sh           formats every source in place
#   scripts/formato.sh --check   changes nothing; lists the files that would change and
#                                fails when there is any
# The hand-laid tables are left as they are: the Blowfish boxes (eight words a line) and
# the text tables, whose Spanish letters split each literal in pieces on one line.
set -euo pipefail
cd "$(dirname "$0")/.."

SIN_FORMATO=(crypto/BlowfishTablas.cpp base/Idiomas.cpp)

FORMATO=${CLANG_FORMAT:-clang-format}
command -v "$FORMATO" >/dev/null || { echo "formato.sh: $FORMATO not found (apt-get install clang-format)" >&2; exit 2; }

mapfile -t fuentes < <(git ls-files '*.cpp' '*.h' | grep -vxF -f <(printf '%s\n' "${SIN_FORMATO[@]}"))

case "${1:-}" in
  --check)
    distintos=()
    for f in "${fuentes[@]}"; do
      "$FORMATO" --style=file "$f" | cmp -s - "$f" || distintos+=("$f")
    done
    if [ ${#distintos[@]} -gt 0 ]; then
      echo "Not laid out as .clang-format says (scripts/formato.sh fixes them):"
      printf '  %s\n' "${distintos[@]}"
      exit 1
    fi
    echo "Every source is laid out as .clang-format says."
    ;;
  "")
    "$FORMATO" --style=file -i "${fuentes[@]}"
    ;;
  *)
    echo "usage: scripts/formato.sh [--check]" >&2
    exit 2
    ;;
esac

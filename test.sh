#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds and runs one kind of check:
#   ./test.sh            every test, built into build/
#   ./test.sh sanitize   every test built with AddressSanitizer and UndefinedBehaviorSanitizer
#                        (build-sanitize/), stopping at the first error
#   ./test.sh fuzz       the libFuzzer targets of tests/fuzz (clang++, build-fuzz/), each run
#                        for a fixed number of inputs
#   ./test.sh static     clang-tidy, cppcheck and the layout check of .clang-format
#   ./test.sh bench      every benchmark once, with tiny times, so they keep building and running
#   ./test.sh sweep      the fault sweep: the router cut off at every point of whole exchanges
#   ./test.sh windows    the Windows programs and tests cross-built with MinGW-w64 into
#                        build-windows/, the tests run under Wine (TESEDRA_QT_WINDOWS=DIR
#                        takes a Qt 6 for MinGW; otherwise scripts/qt-windows.sh builds one once);
#                        then the installer and zip (build-windows/paquete/) and their test
set -euo pipefail
cd "$(dirname "$0")"
source scripts/paquetes.sh

# Every error stops the run; Qt's own leaks and reports are in the suppressions files.
SAN="$PWD/tests/sanitize"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$SAN/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$SAN/ubsan.supp"

# Inputs each fuzz target runs (about a minute for all of them on two cores).
FUZZ_RUNS=${FUZZ_RUNS:-50000}

configurar() {  # configurar <folder> [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON "$@"
}

case "${1:-}" in
  "")
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_USO[@]}" "${PAQUETES_PRUEBAS[@]}"
    configurar build
    cmake --build build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300 -LE sweep
    ;;
  sweep)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_PRUEBAS[@]}"
    configurar build
    cmake --build build --target test_barrido
    cd build
    # Its table of points and outcomes is printed whether it passes or not.
    QT_QPA_PLATFORM=offscreen ctest -L sweep --output-on-failure -V
    ;;
  sanitize)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_USO[@]}" "${PAQUETES_PRUEBAS[@]}"
    banderas="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
    configurar build-sanitize -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$banderas" \
      "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
      "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined"
    cmake --build build-sanitize
    cd build-sanitize
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600 -LE sweep
    ;;
  fuzz)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_ANALISIS[@]}"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
      -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF -DTESEDRA_FUZZ=ON
    cmake --build build-fuzz --target fuzz
    # All targets at once (the record file one takes the most), each on its own log.
    mkdir -p build-fuzz/fallos
    pids=()
    for objetivo in tests/fuzz/corpus/*/; do
      nombre=$(basename "$objetivo")
      # New inputs go to a corpus of the build folder; the saved one is only read.
      mkdir -p "build-fuzz/corpus/$nombre"
      "build-fuzz/bin/$nombre" -runs="$FUZZ_RUNS" -max_len=4096 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/fallos/$nombre-" -print_final_stats=1 \
        "build-fuzz/corpus/$nombre" "$objetivo" > "build-fuzz/$nombre.log" 2>&1 &
      pids+=("$!:$nombre")
    done
    fallos=0
    for p in "${pids[@]}"; do
      nombre=${p#*:}
      if wait "${p%%:*}"; then
        echo "$nombre: $(grep -E '^Done' "build-fuzz/$nombre.log")"
      else
        tail -n 40 "build-fuzz/$nombre.log"
        echo "FAILED: $nombre; the failing input is in build-fuzz/fallos/. Fix the fault, then add"
        echo "the input to tests/fuzz/corpus/$nombre/ (as fallo-<what>) so every run replays it."
        fallos=1
      fi
    done
    exit $fallos
    ;;
  static)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_PRUEBAS[@]}" "${PAQUETES_ANALISIS[@]}"
    fallos=0
    scripts/formato.sh --check || fallos=1
    cppcheck --quiet --enable=warning,performance,portability --error-exitcode=1 --std=c++20 \
      --language=c++ --library=qt --inline-suppr --suppressions-list=scripts/cppcheck.supp -I . -j 2 \
      base crypto console checks validation ipconn ui shell cli sim || fallos=1
    # clang-tidy reads the compile commands of build/ and the headers moc and uic write.
    configurar build
    cmake --build build --target autogen
    run-clang-tidy -p build -j 2 -quiet \
      "^$PWD/(base|crypto|console|checks|validation|ipconn|ui|shell|cli|sim)/[^/]*\.cpp\$" || fallos=1
    exit $fallos
    ;;
  bench)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_PRUEBAS[@]}"
    configurar build
    programas=$(cd bench && ls bench_*.cpp | sed 's/\.cpp$//')
    # shellcheck disable=SC2086
    cmake --build build --target $programas
    for p in $programas; do
      echo "== $p"
      "build/bin/$p" --benchmark_min_time=0.001
    done
    ;;
  windows)
    instalar_paquetes "${PAQUETES_PROGRAMAS[@]}" "${PAQUETES_PRUEBAS[@]}" "${PAQUETES_WINDOWS[@]}"
    qt=$(scripts/qt-windows.sh)
    # The serial port tests talk to the Linux router simulator through a COM port of
    # Wine's: it comes from the Linux build, and so does the Linux tesedra-cli whose
    # output tesedra-cli.exe must match.
    configurar build
    cmake --build build --target tesedra-routersim tesedra-cli
    configurar build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
      -DCMAKE_PREFIX_PATH="$qt" -DTESEDRA_ROUTERSIM="$PWD/build/bin/tesedra-routersim"
    cmake --build build-windows
    (cd build-windows && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300 -LE instalador)
    # The installer and the portable zip (build-windows/paquete/), then the installer's test.
    scripts/paquete-windows.sh build-windows
    cd build-windows
    ctest --output-on-failure -L instalador
    ;;
  *)
    echo "usage: ./test.sh [sanitize|fuzz|static|bench|sweep|windows]" >&2
    exit 2
    ;;
esac

# The Debian 12 packages Tesedra needs, in one place; sourced by run.sh and test.sh.
# README.md ("What the build needs, and why") says why each one is there.

# Building the three programs (tesedra, tesedra-cli, tesedra-routersim).
PAQUETES_PROGRAMAS=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
)

# What the desktop program runs: the PC side of the IP connectivity window.
PAQUETES_USO=(
  iputils-ping traceroute qt6-translations-l10n
)

# The tests and the benchmark programs (BUILD_TESTING=ON).
PAQUETES_PRUEBAS=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev
  xvfb xauth x11-utils
)

# Building and checking the Debian package (scripts/paquete.sh): cpack uses
# dpkg-shlibdeps (dpkg-dev) and file; lintian checks the result.
PAQUETES_PAQUETE=(
  dpkg-dev file lintian
)

# The checks beyond the tests (./test.sh fuzz, static): clang with libFuzzer and the
# sanitizer runtimes, clang-tidy (with run-clang-tidy), clang-format and cppcheck.
PAQUETES_ANALISIS=(
  clang libclang-rt-14-dev clang-tidy clang-format cppcheck
)

# The Windows build (./test.sh windows): the MinGW-w64 cross compilers (posix
# threads), Wine to run the tests, NSIS for the installer, Qt's own Spanish texts
# that the installer ships, GoogleTest's sources (built inside the cross build), a
# virtual X server, xwininfo and ImageMagick's import for the desktop program's tests
# under Wine and, for building qtbase for MinGW from Debian's source package
# (scripts/qt-windows.sh), apt-get source's unpacking (dpkg-dev).
PAQUETES_WINDOWS=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 nsis qt6-translations-l10n
  googletest
  xvfb x11-utils imagemagick
  dpkg-dev xz-utils
)

# Prints the given packages that are not installed, one per line.
paquetes_que_faltan() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# Installs those of the given packages that are missing: one apt-get update and
# one apt-get install, as root or through sudo. Nothing is run when all are there.
# Without apt-get (not Debian) it lists what is missing and leaves it to the build.
instalar_paquetes() {
  command -v dpkg-query >/dev/null || {
    echo "No dpkg-query: not a Debian system. Install the equivalents of: $*" >&2
    return 0
  }
  local faltan
  mapfile -t faltan < <(paquetes_que_faltan "$@")
  [ ${#faltan[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null; then
    echo "Missing packages, and no apt-get to install them: ${faltan[*]}" >&2
    return 0
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
      echo "Missing packages: ${faltan[*]}. Install them as root (no sudo here)." >&2
      return 1
    }
    sudo=(sudo)
  fi
  echo "Installing: ${faltan[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltan[@]}"
}

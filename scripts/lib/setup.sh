# Shared by scripts/play, scripts/test and the other scripts: installs the
# Debian packages they need (only those missing), then configures and builds.
# Sourced, not run; BUILD_DIR may be set by the caller.

set -euo pipefail

ROOT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT_DIR/build}"

# What building and running the game needs (the asset generator draws with
# FreeType, the start-up checks talk to Xlib and OpenAL, the picture check
# inflates with zlib, and the font comes from fonts-wqy-microhei): all
# scripts/play installs.
GAME_PACKAGES=(
  g++ cmake make
  libsfml-dev libfreetype-dev libx11-dev libopenal-dev zlib1g-dev
  fonts-wqy-microhei
)
# What scripts/package needs besides: dpkg-shlibdeps and dpkg-buildflags,
# file, with which CPack finds the programs whose libraries it looks up, and
# git, which gives a checkout's files the last commit's time.
PACKAGE_PACKAGES=(dpkg-dev file git)
# What the tests and benchmarks need besides: GoogleTest, Google Benchmark,
# Xlib with its XTest extension to drive the game, a virtual display, and the
# validators and the package checker the install tests run, with what
# scripts/package needs to make the package they check; bc, which the plan
# scripts compute with, and the locales' sources, from which their test makes
# a decimal-comma locale of its own.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libxtst-dev
  xvfb xauth
  appstream desktop-file-utils lintian
  bc locales
  "${PACKAGE_PACKAGES[@]}"
)
PACKAGES=("${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}")

# A virtual display for what runs the game or its tools. -noreset: without it
# Xvfb resets whenever its last client leaves, and a program that connects in
# that moment finds no display.
XVFB=(xvfb-run -a -s "-screen 0 1024x768x24 -noreset")

# Installs those of the given packages (by default PACKAGES) that are missing.
install_missing_packages() {
  local wanted=("$@") missing=() package
  [ $# -gt 0 ] || wanted=("${PACKAGES[@]}")
  for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# A new build folder for the game alone: no tests, no benchmarks. A build
# folder that exists already is left as it is (with the tests on, the game's
# targets build there all the same).
configure_game_build() {
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
      -DBRAMBLEHOLT_TESTS=OFF -DBRAMBLEHOLT_BENCH=OFF
  fi
}

# The build folder with the tests and benchmarks on, turning them on in one
# that scripts/play made; what is built already stays built.
configure_test_build() {
  local cache="$BUILD_DIR/CMakeCache.txt"
  if [ ! -f "$cache" ]; then
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
  elif ! grep -qx 'BRAMBLEHOLT_TESTS:BOOL=ON' "$cache" || ! grep -qx 'BRAMBLEHOLT_BENCH:BOOL=ON' "$cache"; then
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DBRAMBLEHOLT_TESTS=ON -DBRAMBLEHOLT_BENCH=ON
  fi
}

build() {
  cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
}

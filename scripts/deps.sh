# Installs the Debian packages the editor needs to build, test and run.
# Sourced by scripts/run and scripts/test; does nothing when all are present.
VANTOR_PACKAGES=(
  cmake g++ make ninja-build pkg-config
  qt6-base-dev libgl-dev libpugixml-dev
  libgtest-dev libbenchmark-dev librapidcheck-dev
  xvfb xauth xdotool fonts-liberation
  x11-apps netpbm
  file dpkg-dev
  gcovr graphviz
  wine wine64 g++-mingw-w64-x86-64-posix googletest
  clang libclang-rt-14-dev
)

# vantor_install_deps [PACKAGE...]: the packages named, by default VANTOR_PACKAGES.
vantor_install_deps() {
  local missing=()
  local p
  [ $# -gt 0 ] || set -- "${VANTOR_PACKAGES[@]}"
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Runs a command with its output kept in a log, which is printed when it fails.
vantor_quietly() {
  local log rc=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || rc=$?
  [ $rc -eq 0 ] || { echo "failed ($rc): $*"; cat "$log"; }
  rm -f "$log"
  return $rc
}

# Configures and builds one of CMakePresets.json's presets (dev, asan, fuzz,
# coverage); extra arguments go to cmake's configure step.
vantor_build() {
  local preset=$1; shift
  (cd "$VANTOR_ROOT" && vantor_quietly cmake --preset "$preset" "$@" \
    && cmake --build --preset "$preset" --parallel "$(nproc)")
}

# Runs the tests of a preset through CTest; extra arguments go to ctest.
vantor_ctest() {
  local preset=$1; shift
  (cd "$VANTOR_ROOT" && ctest --preset "$preset" --parallel "$(nproc)" "$@")
}

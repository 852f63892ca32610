# The static Windows libraries the Windows build links against, each built once
# into VANTOR_CACHE from Debian's sources. Sourced by scripts/build-windows and
# scripts/test; vantor_quietly comes from scripts/deps.sh.
VANTOR_CACHE=${VANTOR_CACHE:-$HOME/.cache/vantor08}
source "$VANTOR_ROOT/scripts/windows-sources.sh"

VANTOR_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix dpkg-dev ninja-build cmake perl python3
  qt6-base-dev qt6-base-dev-tools googletest libpugixml-dev
  wine wine64 xvfb xauth xdotool
)

vantor_install_windows_deps() {
  vantor_install_deps "${VANTOR_WINDOWS_PACKAGES[@]}"
}

# The Qt modules and features the editor uses; everything else is off. Tablets
# are off because Debian's source has no wintab; OpenGL stays on (dynamic, loaded
# at run time) since 6.4's Windows platform plugin does not compile without it.
VANTOR_QT_OPTIONS=(
  -DBUILD_SHARED_LIBS=OFF -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_sql_sqlite=OFF
  -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON
)

vantor_qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }

# The folder the static Qt is installed into: named by Qt's Debian version and a
# hash of the options and the cross compiler's version, so a change to either
# rebuilds it.
vantor_windows_qt_dir() {
  local key
  key=$( (printf '%s\n' "${VANTOR_QT_OPTIONS[@]}"; x86_64-w64-mingw32-g++-posix --version | head -n 1) |
    sha256sum | cut -c1-12)
  echo "$VANTOR_CACHE/qt-$(vantor_qt_version | tr '+~:' '___')-mingw64-static-$key"
}
vantor_version_of() { dpkg-query -W -f='${Version}' "$1" | tr '+~:' '___'; }
vantor_windows_lib_dir() { echo "$VANTOR_CACHE/$1-$(vantor_version_of "$2")-mingw64"; }
vantor_windows_prefixes() {
  echo "$(vantor_windows_qt_dir);$(vantor_windows_lib_dir pugixml libpugixml-dev);$(vantor_windows_lib_dir gtest googletest)"
}
# Whether every Windows library is built (then scripts/test builds and tests the
# Windows programs too).
vantor_windows_ready() {
  local dir
  IFS=';' read -ra dirs <<<"$(vantor_windows_prefixes)"
  for dir in "${dirs[@]}"; do
    [ -f "$dir/.complete" ] || return 1
  done
}

# vantor_windows_cmake_lib NAME SOURCE-FOLDER INSTALL-FOLDER [CMAKE OPTIONS...]:
# a static library built with the toolchain file and installed into its folder.
vantor_windows_cmake_lib() {
  local name=$1 src=$2 dir=$3 build="$VANTOR_CACHE/build/$1"
  shift 3
  [ -f "$dir/.complete" ] && return 0
  rm -rf "$build" "$dir"
  vantor_quietly cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VANTOR_ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$dir" \
    -DBUILD_SHARED_LIBS=OFF "$@"
  vantor_quietly cmake --build "$build" --parallel "$(nproc)"
  vantor_quietly cmake --install "$build"
  rm -rf "$build"
  touch "$dir/.complete"
  echo "Built $name for Windows into $dir"
}

vantor_windows_pugixml() {
  local src="$VANTOR_CACHE/src/pugixml-$(vantor_version_of libpugixml-dev)"
  [ -f "$(vantor_windows_lib_dir pugixml libpugixml-dev)/.complete" ] && return 0
  vantor_fetch_source pugixml "$(dpkg-query -W -f='${Version}' libpugixml-dev)" "$src"
  vantor_windows_cmake_lib pugixml "$src" "$(vantor_windows_lib_dir pugixml libpugixml-dev)" -DPUGIXML_BUILD_TESTS=OFF
}

# GoogleTest's source comes with Debian's googletest package. (RapidCheck's source
# package cannot be fetched from the archive, so the action model runs on Linux only.)
vantor_windows_gtest() {
  vantor_windows_cmake_lib gtest /usr/src/googletest "$(vantor_windows_lib_dir gtest googletest)" \
    -DINSTALL_GTEST=ON -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
}

vantor_windows_qt() {
  local dir src build t0=$SECONDS
  dir=$(vantor_windows_qt_dir)
  [ -f "$dir/.complete" ] && return 0
  src="$VANTOR_CACHE/src/qt6-base-$(vantor_qt_version)"
  vantor_fetch_source qt6-base "$(vantor_qt_version)" "$src"
  build="$VANTOR_CACHE/build/qt6-base"
  rm -rf "$build" "$dir"
  echo "Building a static Qt for Windows into $dir (about an hour on two cores)"
  vantor_quietly cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$VANTOR_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$dir" "${VANTOR_QT_OPTIONS[@]}"
  vantor_quietly cmake --build "$build" --parallel "$(nproc)"
  vantor_quietly cmake --install "$build"
  rm -rf "$build"
  touch "$dir/.complete"
  echo "Static Qt built in $((SECONDS - t0)) s"
}

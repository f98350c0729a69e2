#!/usr/bin/env bash
# Builds Qt for Windows (static, x86_64-w64-mingw32) from Debian's own qt6-base source
# package, the same version as the host tools in qt6-base-dev-tools, and installs it into a
# cache folder outside the clone. Does nothing when that folder is already complete.
#
#   scripts/build-qt-windows.sh      prints the install prefix on its last line
#
# The cache folder is keyed by the Qt version, the cross compiler's version and a hash of the
# options, so that a change of any of them builds a fresh Qt beside the old one.
# QUILLOMAT_CACHE overrides the cache root (default /var/cache/quillomat).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$here/cmake/mingw-w64-x86_64.cmake"

# Only what the program uses. Network, SQL, D-Bus and printing are off; image and text
# libraries are Qt's bundled ones, so that the .exe needs no DLL of theirs. OpenGL stays on as
# "dynamic" because the Windows platform plugin of 6.4 does not build without it. Debian's
# source leaves out the Wintab headers, so tablet events are off.
qt_options=(
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_opengl_dynamic=ON
  -DFEATURE_tabletevent=OFF
  -DFEATURE_accessibility=ON
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_zstd=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_glib=OFF
  -DFEATURE_openssl=OFF
)

"$here/scripts/install-packages.sh"
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools | sed 's/+.*//')
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -1)
key=$( (printf '%s\n' "${qt_options[@]}" "$compiler") | sha256sum | cut -c1-12)
cache_root=${QUILLOMAT_CACHE:-/var/cache/quillomat}
prefix="$cache_root/qt-$version-mingw-static-$key"

if [ -f "$prefix/.complete" ]; then
  echo "Qt for Windows is cached in:"
  echo "$prefix"
  exit 0
fi

work="$cache_root/qt-build-$version-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work"
start=$(date +%s)

# The source comes from Debian's archive through a deb-src entry of our own.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  cat > /etc/apt/sources.list.d/quillomat-deb-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi
(cd "$work" && apt-get source -qq "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)")
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)

cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${qt_options[@]}"
cmake --build "$work/build"
cmake --install "$work/build"
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows built in $(( $(date +%s) - start )) s; installed in:"
echo "$prefix"

#!/usr/bin/env bash
# Builds Qt for Windows (static, x86_64-w64-mingw32) from Debian's own qt6-base source
# package into a cache folder outside the clone (scripts/qt-from-debian-source.sh: keyed by
# the Qt version, the cross compiler's version and the options). Does nothing when that folder
# is already complete.
#
#   scripts/build-qt-windows.sh      prints the install prefix on its last line
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$here/cmake/mingw-w64-x86_64.cmake"

# Only what the program uses, optimised for size: the .exe is read whole from the disc before
# it starts (under Wine; Windows pages it in), so its size is its start-up time from a CD.
# Network, SQL, D-Bus and printing are off; image and text libraries are Qt's bundled ones, so
# that the .exe needs no DLL of theirs; fonts come from Windows itself, without FreeType.
# OpenGL stays on as "dynamic" because the Windows platform plugin of 6.4 does not build
# without it. Debian's source leaves out the Wintab headers, so tablet events are off.
# Sections of their own let the program drop the code it never calls.
qt_options=(
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_optimize_size=ON
  "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
  "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
  -DFEATURE_freetype=OFF
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
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_zstd=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_glib=OFF
  -DFEATURE_openssl=OFF
)

source "$here/scripts/qt-from-debian-source.sh"
build_qt_from_debian_source "Qt for Windows" mingw-static \
  "$(x86_64-w64-mingw32-g++-posix --version | head -1)" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

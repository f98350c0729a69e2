#!/usr/bin/env bash
# Builds a static Qt for the disc kit's Linux program from Debian's own qt6-base source
# package into a cache folder outside the clone (scripts/qt-from-debian-source.sh: keyed by
# the Qt version, the compiler's version and the options). Does nothing when that folder is
# already complete. The normal development build keeps using Debian's shared Qt.
#
#   scripts/build-qt-linux.sh      prints the install prefix on its last line
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# Only what the program uses, optimised for size: one program file read from a slow disc.
# Without ICU (the RTF code pages come from the C library's iconv), glib, SQL, network,
# printing and OpenGL (the window paints in software). Image, text and compression libraries
# are Qt's bundled ones, so that the kit ships none of them. FreeType stays the host's, because
# Qt's fontconfig support needs the same FreeType that the host's fontconfig loads. The xcb
# platform links the host's libxcb and xkbcommon. D-Bus stays on for IBus input and
# accessibility, with libdbus loaded at run time, so that a host without it still starts.
# Sections of their own let the kit's program drop the code it never calls.
qt_options=(
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_optimize_size=ON
  "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
  "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_opengl=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_egl=OFF
  -DFEATURE_eglfs=OFF
  -DFEATURE_linuxfb=OFF
  -DFEATURE_vnc=OFF
  -DFEATURE_libudev=OFF
  -DFEATURE_evdev=OFF
  -DFEATURE_libinput=OFF
  -DFEATURE_tslib=OFF
  -DFEATURE_mtdev=OFF
  -DFEATURE_gtk3=OFF
  -DFEATURE_xcb=ON
  -DFEATURE_xkbcommon=ON
  -DFEATURE_fontconfig=ON
  -DFEATURE_dbus=ON
  -DFEATURE_dbus_linked=OFF
  -DFEATURE_jpeg=ON
  -DFEATURE_accessibility=ON
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=ON
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF
  -DFEATURE_zstd=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_glib=OFF
  -DFEATURE_openssl=OFF
)

source "$here/scripts/qt-from-debian-source.sh"
build_qt_from_debian_source "Qt for the Linux kit" linux-static "$(g++ --version | head -1)"

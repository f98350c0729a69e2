#!/usr/bin/env bash
# One entry point for newcomers and CI on Debian 12.
#   ./dev.sh demo   install what is missing, build, open the demo disc in the main window
#   ./dev.sh test   install what is missing, build, run every test
#   ./dev.sh kit OUT [--demo | --disc FOLDER] [--menu MENU] [--iso FILE [--label LABEL]]
#                               install what is missing, build for Linux and Windows, make a
#                               disc kit in OUT that serves both (and its disc image)
#   ./dev.sh windows  install what is missing, build Qt for Windows once (about 15 minutes,
#                     cached outside the clone), cross-compile build-windows/bin/quillomat.exe
#   ./dev.sh kit-linux  install what is missing, build a static Qt for Linux once (cached like
#                     Windows'), build the kit's Linux programs against it in build-kit/
set -euo pipefail
cd "$(dirname "$0")"

build() {
  scripts/install-packages.sh
  cmake -S . -B build -G Ninja
  cmake --build build
}

# The Windows programs in build-windows/bin/, with Qt for Windows built first when its cache is
# missing (the Qt script's progress shows on standard error, appended so that a log of the whole
# run keeps what came before; its last line is Qt's prefix).
build_windows() {
  scripts/install-packages.sh
  local qt
  qt=$(scripts/build-qt-windows.sh | tee -a /dev/stderr | tail -n 1)
  # Qt's own toolchain file finds Qt for Windows and the host's Qt tools, and loads ours.
  cmake -S . -B build-windows -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine
  cmake --build build-windows
}

# The disc kit's Linux programs in build-kit/: one program file each, against a static Qt built
# once (its progress on standard error, as for Windows). The development build keeps Debian's
# shared Qt.
build_kit() {
  scripts/install-packages.sh
  local qt
  qt=$(scripts/build-qt-linux.sh | tee -a /dev/stderr | tail -n 1)
  cmake -S . -B build-kit -G Ninja -C kit/StaticLibraries.cmake -DCMAKE_PREFIX_PATH="$qt" \
    -DCMAKE_BUILD_TYPE=Release
  # The programs, and the test driver that scripts/ci-kit.sh runs on the kit's Qt.
  cmake --build build-kit --target quillomat quillomat-catalogue quillomat-actions-driver
}

case "${1:-}" in
  demo)
    build
    if [ ! -x build/bin/quillomat ]; then
      echo "dev.sh: the main window is not part of this build yet; nothing to open." >&2
      exit 1
    fi
    exec build/bin/quillomat /TEST "$PWD/examples/disc"
    ;;
  test)
    build
    ctest --test-dir build --output-on-failure --timeout 600
    ;;
  kit)
    shift
    build_kit
    build_windows
    exec scripts/make-kit.sh build-kit "$@" --windows build-windows
    ;;
  kit-linux)
    build_kit
    echo "The kit's Linux programs: $PWD/build-kit/bin/quillomat and quillomat-catalogue"
    ;;
  windows)
    build_windows
    echo "Windows programs: $PWD/build-windows/bin/quillomat.exe and quillomat-catalogue.exe"
    ;;
  *)
    echo "usage: ./dev.sh demo|test|kit OUT [--demo | --disc FOLDER] [--menu MENU] [--iso FILE [--label LABEL]]|kit-linux|windows" >&2
    exit 2
    ;;
esac

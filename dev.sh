#!/usr/bin/env bash
# One entry point for newcomers and CI on Debian 12.
#   ./dev.sh demo   install what is missing, build, open the demo disc in the main window
#   ./dev.sh test   install what is missing, build, run every test
#   ./dev.sh kit OUT [--demo]   install what is missing, build, make a disc kit in OUT
set -euo pipefail
cd "$(dirname "$0")"

build() {
  scripts/install-packages.sh
  cmake -S . -B build -G Ninja
  cmake --build build
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
    build
    exec scripts/make-kit.sh build "$@"
    ;;
  *)
    echo "usage: ./dev.sh demo|test|kit OUT [--demo]" >&2
    exit 2
    ;;
esac

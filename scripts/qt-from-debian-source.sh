# Sourced by scripts/build-qt-*.sh: builds a static Qt from Debian's own qt6-base source
# package (the same version as the host tools in qt6-base-dev-tools) into a cache folder
# outside the clone, once.
#
#   build_qt_from_debian_source LABEL FLAVOUR COMPILER_LINE [CMAKE_ARGS...]
#
# The caller sets the array qt_options. The cache folder is
# $QUILLOMAT_CACHE/qt-VERSION-FLAVOUR-KEY (QUILLOMAT_CACHE defaults to /var/cache/quillomat),
# KEY a hash of qt_options and COMPILER_LINE, so that a change of either builds a fresh Qt
# beside the old one. CMAKE_ARGS (toolchain, install details) are passed to Qt's configure
# without being part of the key. The install prefix is printed on the last line; a folder that
# is already complete is reused as it is.

build_qt_from_debian_source() {
  local label=$1 flavour=$2 compiler=$3
  shift 3
  local here version key cache_root prefix work start source_dir
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  "$here/scripts/install-packages.sh"
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools | sed 's/+.*//')
  key=$( (printf '%s\n' "${qt_options[@]}" "$compiler") | sha256sum | cut -c1-12)
  cache_root=${QUILLOMAT_CACHE:-/var/cache/quillomat}
  prefix="$cache_root/qt-$version-$flavour-$key"

  if [ -f "$prefix/.complete" ]; then
    echo "$label is cached in:"
    echo "$prefix"
    return 0
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
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    "$@" "${qt_options[@]}"
  cmake --build "$work/build"
  cmake --install "$work/build"
  touch "$prefix/.complete"
  rm -rf "$work"
  echo "$label built in $(( $(date +%s) - start )) s; installed in:"
  echo "$prefix"
}

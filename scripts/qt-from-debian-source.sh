# Sourced by scripts/build-qt-*.sh: builds a static Qt from Debian's own qt6-base source
# package (the same version as the host tools in qt6-base-dev-tools) into a cache folder
# outside the clone, once.
#
#   build_qt_from_debian_source LABEL FLAVOUR COMPILER_LINE [CMAKE_ARGS...]
#
# The caller sets the array qt_options; the widgets and text formats that no program of ours
# uses (qt_unused_features below) are turned off for both systems. The cache folder is
# $QUILLOMAT_CACHE/qt-VERSION-FLAVOUR-KEY (QUILLOMAT_CACHE defaults to /var/cache/quillomat),
# KEY a hash of qt_options, COMPILER_LINE and our patches to Qt's source (scripts/qt-patches/,
# applied after Debian's own), so that a change of any of them builds a fresh Qt
# beside the old one. CMAKE_ARGS (toolchain, install details) are passed to Qt's configure
# without being part of the key. The install prefix is printed on the last line; a folder that
# is already complete is reused as it is.

# Widgets, dialogs and formats that the programs and their tests never use. Each is reachable
# from code they do use (QWidget knows its graphics-view proxy, QDialog the file dialog, the
# accessibility factory the calendar, the text edit its ODF and Markdown writers), so the
# linker keeps them unless Qt is built without them: about 2 MB of each program file, read
# from the disc at every start. Kept: accessibility, the MIME database (QIcon asks it for
# files without a suffix), the Gregorian calendar behind QDate, and QMainWindow, QToolBar,
# QInputDialog and touch gestures, without which Qt 6.4's Widgets library, Windows style and
# X11 platform do not build.
qt_unused_features=(
  -DFEATURE_graphicsview=OFF
  -DFEATURE_filedialog=OFF
  -DFEATURE_colordialog=OFF
  -DFEATURE_fontdialog=OFF
  -DFEATURE_errormessage=OFF
  -DFEATURE_wizard=OFF
  -DFEATURE_mdiarea=OFF
  -DFEATURE_dockwidget=OFF
  -DFEATURE_calendarwidget=OFF
  -DFEATURE_datetimeedit=OFF
  -DFEATURE_style_stylesheet=OFF
  -DFEATURE_scroller=OFF
  -DFEATURE_textodfwriter=OFF
  -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_hijricalendar=OFF
  -DFEATURE_jalalicalendar=OFF
  -DFEATURE_islamiccivilcalendar=OFF
)

build_qt_from_debian_source() {
  local label=$1 flavour=$2 compiler=$3
  shift 3
  local here version key cache_root prefix work start source_dir
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  "$here/scripts/install-packages.sh"
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools | sed 's/+.*//')
  qt_options+=("${qt_unused_features[@]}")
  key=$( (printf '%s\n' "${qt_options[@]}" "$compiler"; cat "$here"/scripts/qt-patches/*.patch) |
    sha256sum | cut -c1-12)
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
  for patch in "$here"/scripts/qt-patches/*.patch; do
    patch -d "$source_dir" -p1 --quiet <"$patch"
  done

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

#!/usr/bin/env bash
# CI: the disc kit runs on a desktop that has no Qt. Makes a demo kit from the build, puts it
# into a minimal Debian 12 root that holds only what a desktop's base system has (no Qt, no
# ICU), and there, in a chroot: every ELF file of the kit finds its libraries, none of Qt from
# outside the kit; quillomat-catalogue reads the demo disc as the build tree does; autorun.sh
# starts the program to its first paint offscreen, and shows its window on X11 (also where the
# session says Wayland); a copy without execute bits starts and runs a demo setup script; another
# Qt named by the environment is ignored; and the write watch of the test suite sees the kit's
# program write nothing. Runs the slow-medium benchmark once (USB 2 model) as a smoke check.
# Prints what it proved and the kit's size and C library floor.
#   scripts/ci-kit.sh [BUILD]     (default BUILD: build; run as root: chroot and mounts)
# The root is cached in /var/cache/quillomat/ (QUILLOMAT_KIT_CACHE, else QUILLOMAT_CACHE as for
# the Qt builds), keyed by its recipe; the screenshot of the window is left in
# BUILD/kit-artefacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(realpath "${1:-build}")

[ "$(id -u)" -eq 0 ] || { echo "ci-kit.sh: needs root (chroot, mounts)" >&2; exit 1; }
[ -x "$build/bin/quillomat-catalogue" ] || { echo "ci-kit.sh: no build in $build" >&2; exit 1; }

# --- The root: Debian 12 minbase and a desktop's base libraries, the ones the kit leaves to
# the host (kit/InstallLinuxKit.cmake), plus a font, and strace for the write watch.
suite=bookworm

# The Debian mirror the host's own apt uses for the suite (deb822 .sources files or
# sources.list), so that a machine with a local mirror builds the root from it.
host_mirror() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v suite="$suite" '
      function take() { if (deb && found && uri != "" && !done) { print uri; done = 1 } }
      /^[ \t]*$/ { take(); deb = found = 0; uri = ""; next }
      /^#/ { next }
      tolower($1) == "types:" { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
      END { take() }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    # deb [options] URI SUITE COMPONENTS...
    sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$file" | awk -v suite="$suite" '$1 == "deb" && $3 == suite { print $2 }'
  done
}
mirror=$(host_mirror | head -1)
if [ -z "$mirror" ]; then
  mirror=http://deb.debian.org/debian
  echo "root: the host's apt sources name no mirror for $suite; using $mirror"
fi
packages=(libx11-6 libx11-xcb1 libxcb1 libxkbcommon0 libegl1 libglx0 libopengl0
  libfontconfig1 libfreetype6 libharfbuzz0b libpng16-16 libglib2.0-0 libdbus-1-3
  fonts-dejavu-core strace)
# Mesa's drivers bring LLVM, which brings ICU: gone, so that the kit must carry its own ICU.
# The GL dispatch libraries stay; the program draws without OpenGL.
purged=(libgl1-mesa-dri libllvm15 libz3-4 libxml2 libicu72)
recipe="$suite $mirror minbase ${packages[*]} purge ${purged[*]}"
cache=${QUILLOMAT_KIT_CACHE:-${QUILLOMAT_CACHE:-/var/cache/quillomat}}
root_cache=$cache/kit-root-$(printf '%s' "$recipe" | sha256sum | cut -c1-16)

if [ -d "$root_cache" ]; then
  echo "root: cached in $root_cache"
else
  mkdir -p "$cache"
  rm -rf "$root_cache.part"
  started=$(date +%s)
  mmdebstrap --quiet --variant=minbase --include="$(IFS=,; echo "${packages[*]}")" \
    --customize-hook="chroot \"\$1\" dpkg --purge --force-depends ${purged[*]} >/dev/null 2>&1" \
    "$suite" "$root_cache.part" "$mirror"
  mv "$root_cache.part" "$root_cache"
  echo "root: built in $(($(date +%s) - started)) s, cached in $root_cache"
fi

# --- A fresh view of the cached root for this run (an overlay; a copy where overlays fail).
work=$(mktemp -d /var/tmp/quillomat-kit.XXXXXX)
root=$work/root
mounts=()
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || umount -l "${mounts[i]}"; done
  # Never delete through a mount that is still there (the host's X sockets, /proc).
  if grep -qF " $work/" /proc/mounts; then
    echo "ci-kit.sh: $work is still mounted; left in place" >&2
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT
mkdir -p "$root" "$work/upper" "$work/overwork"
if mount -t overlay overlay -o "lowerdir=$root_cache,upperdir=$work/upper,workdir=$work/overwork" "$root" 2>/dev/null; then
  mounts+=("$root")
else
  cp -a "$root_cache/." "$root/"
fi
mount -t proc proc "$root/proc"
mounts+=("$root/proc")

foreign=$(find "$root" -xdev \( -name 'libQt*' -o -name 'libicu*' \) -print | head -5)
if [ -n "$foreign" ]; then
  echo "FAIL: the root has Qt or ICU: $foreign"
  exit 1
fi
echo "ok: the root has no Qt and no ICU"

# --- The kit, on a "medium" whose mount point has a space, as desktops name them.
medium="/media/user/Demo Disc"
scripts/make-kit.sh "$build" "$root$medium" --demo >/dev/null
kit=$root$medium
# Nobody answers the language chooser in these runs: the program's copy keeps one language.
awk '/^\[/ { sections++ } sections < 2' "$repo/examples/program/lang.ini" >"$kit/quillomat/lang.ini"

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 "$@"
}

# --- Every ELF file finds every library, and Qt only inside the kit.
status=0
elf_count=0
while IFS= read -r -d '' file; do
  file=${file#"$root"}
  # The kit's other files (texts, qt.conf) are not dynamic executables: ldd says so and fails.
  libraries=$(in_root ldd "$file" 2>&1) || continue
  elf_count=$((elf_count + 1))
  missing=$(grep 'not found' <<<"$libraries" || true)
  outside=$(grep -E "libQt6|libicu" <<<"$libraries" | grep -vF "=> $medium/quillomat/" || true)
  if [ -n "$missing$outside" ]; then
    echo "FAIL: $file: ${missing}${outside}"
    status=1
  fi
done < <(find "$kit/quillomat" -type f -print0)
[ $status -eq 0 ] || exit 1
echo "ok: ldd finds every library of the kit's $elf_count ELF files; none takes Qt or ICU from outside the kit"

# --- The catalogue of the demo disc, as the build tree reads it with the kit's texts (show reads
# the lang.ini beside the menu, which the kit has cut to one language).
expected=$("$build/bin/quillomat-catalogue" show "$repo/examples/program/quillomat.qmf" \
  --cd-folder "$repo/examples/disc/" --lang "$kit/quillomat/lang.ini")
expected=${expected//"$repo/examples/disc/"/"$medium/"}
actual=$(in_root "$medium/quillomat/quillomat-catalogue" show "$medium/quillomat/quillomat.qmf" \
  --cd-folder "$medium/")
if [ "$expected" != "$actual" ]; then
  echo "FAIL: quillomat-catalogue show differs from the build tree's:"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | head -20
  exit 1
fi
echo "ok: quillomat-catalogue show on the demo disc gives the build tree's JSON"

# --- autorun.sh as a desktop runs it (from the medium's root) to the first paint, offscreen.
run_autorun() {
  chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 "$@" \
    /bin/sh -c 'cd "$1" && exec ./autorun.sh' sh "$medium"
}
if ! out=$(run_autorun QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 2>&1); then
  echo "FAIL: the kit's program did not reach its first paint offscreen:"
  printf '%s\n' "$out"
  exit 1
fi
echo "ok: autorun.sh starts the program, which paints offscreen and exits 0"

# --- X11: the host's Xvfb, its socket bind-mounted into the root.
display=
for n in $(seq 91 130); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=$n
    break
  fi
done
[ -n "$display" ] || { echo "FAIL: no free X display"; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
mounts+=("$root/tmp/.X11-unix")

# A Wayland session's environment, also one that asks Qt for Wayland: the kit has no Wayland
# plugin, so it must take X11.
for asked in "" QT_QPA_PLATFORM=wayland; do
  if ! out=$(run_autorun DISPLAY=":$display" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 \
    XDG_CURRENT_DESKTOP=KDE QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 $asked 2>&1); then
    echo "FAIL: in a Wayland session's environment ($asked) the program did not paint on X11:"
    printf '%s\n' "$out"
    exit 1
  fi
done
echo "ok: in a Wayland session's environment, even with QT_QPA_PLATFORM=wayland, the program paints on X11 and exits 0"

# --- Media without execute bits (a FAT stick mounted with showexec, a disc without Rock Ridge
# mounted with mode=0400): a copy of the kit with no execute bit on any file.
noexec_medium="/media/user/FAT STICK"
make_copy_without_execute_bits() {
  mkdir -p "$root$noexec_medium"
  cp -a "$kit/." "$root$noexec_medium/"
  find "$root$noexec_medium" -type f -exec chmod a-x {} +
}

# `sh autorun.sh` from the copy's root, as a desktop runs it, reaches its first paint on X11.
check_start_without_execute_bits() {
  local out
  if ! out=$(chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 \
    DISPLAY=":$display" QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 \
    /bin/sh -c 'cd "$1" && exec sh autorun.sh' sh "$noexec_medium" 2>&1); then
    echo "FAIL: without execute bits the kit did not reach its first paint on X11:"
    printf '%s\n' "$out"
    exit 1
  fi
  echo "ok: a copy of the kit without any execute bit starts from sh autorun.sh to its first paint on X11"
}

# Another Qt 6 named by the environment (a conda environment, a vendor SDK): a libQt6Core.so.6
# that is a stub, in LD_LIBRARY_PATH and the plugin variables. The kit starts with its own Qt,
# through the loader as well as directly.
check_foreign_qt_in_environment() {
  local foreign=/foreign-qt out where
  mkdir -p "$root$foreign/platforms"
  echo 'int foreign_qt_stub(void) { return 0; }' >"$work/stub.c"
  gcc -shared -fPIC -Wl,-soname,libQt6Core.so.6 -o "$root$foreign/libQt6Core.so.6" "$work/stub.c"
  cp "$root$foreign/libQt6Core.so.6" "$root$foreign/platforms/libqxcb.so"
  for where in "$medium" "$noexec_medium"; do
    if ! out=$(chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 \
      DISPLAY=":$display" QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 LD_LIBRARY_PATH="$foreign" \
      QT_PLUGIN_PATH="$foreign" QT_QPA_PLATFORM_PLUGIN_PATH="$foreign/platforms" \
      /bin/sh -c 'cd "$1" && exec sh autorun.sh' sh "$where" 2>&1); then
      echo "FAIL: with another libQt6Core.so.6 in LD_LIBRARY_PATH the kit in $where did not start:"
      printf '%s\n' "$out"
      exit 1
    fi
  done
  echo "ok: with another libQt6Core.so.6 in LD_LIBRARY_PATH and other plugin folders named, the kit starts, with and without execute bits"
}

# A demo package's setup script without execute bit runs when its setup button is clicked: the
# test driver (the window's code on the kit's Qt) clicks it; the script shows its note, which
# in the root, without a desktop, is printed.
check_setup_without_execute_bits() {
  local out
  out=$(in_root QT_QPA_PLATFORM=offscreen /kit-test/quillomat-actions-driver \
    "$noexec_medium/quillomat" "$noexec_medium" --setup "Inkwell Notes 2.3" 2>&1) || {
    echo "FAIL: the setup button of a package whose script has no execute bit failed:"
    printf '%s\n' "$out"
    exit 1
  }
  if ! grep -qF "Inkwell Notes 2.3 setup" <<<"$out"; then
    echo "FAIL: the setup script without execute bit did not run:"
    printf '%s\n' "$out"
    exit 1
  fi
  echo "ok: a demo package's setup script without execute bit runs from the window"
}

make_copy_without_execute_bits
check_start_without_execute_bits
check_foreign_qt_in_environment

artefacts=$build/kit-artefacts
mkdir -p "$artefacts"
run_autorun DISPLAY=":$display" >"$work/x11.log" 2>&1 &
program_pid=$!
shown=
for _ in $(seq 60); do
  sleep 0.5
  kill -0 "$program_pid" 2>/dev/null || break
  import -display ":$display" -window root "$artefacts/x11-window.png" 2>/dev/null || continue
  # An empty screen has one colour; the window's background picture has thousands.
  colours=$(convert "$artefacts/x11-window.png" -format %k info:)
  if [ "$colours" -gt 100 ]; then
    shown=yes
    break
  fi
done
if [ -z "$shown" ]; then
  echo "FAIL: the kit's program showed no window on X11:"
  cat "$work/x11.log"
  exit 1
fi
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
echo "ok: the program shows its window on X11 ($colours colours; $artefacts/x11-window.png)"

# --- The write watch, against the kit's program inside the root. Its driver is the test
# suite's, loading the kit's Qt and plugins (and Qt Test, which the kit does not need).
mkdir -p "$root/kit-test/lib"
cp "$repo/tests/robustness/check-writes.sh" "$root/kit-test/"
cp "$build/tests/quillomat-actions-driver" "$root/kit-test/"
# Built against a shared Qt the driver also needs Qt Test; against a static one it has it all.
qt_test=$(ldd "$build/tests/quillomat-actions-driver" | awk '/libQt6Test/ { print $3 }')
[ -z "$qt_test" ] || cp -L "$qt_test" "$root/kit-test/lib/"
patchelf --set-rpath "$medium/quillomat/lib:/kit-test/lib" "$root/kit-test/quillomat-actions-driver"
printf '[Paths]\nPrefix = %s/quillomat\nPlugins = plugins\n' "$medium" >"$root/kit-test/qt.conf"
mkdir -p "$root/kit-test/examples"
cp -r "$repo/examples/program" "$repo/examples/disc" "$root/kit-test/examples/"
watch_status=0
in_root bash /kit-test/check-writes.sh "$medium/quillomat/quillomat" \
  /kit-test/quillomat-actions-driver /kit-test/examples >"$work/writes.log" 2>&1 || watch_status=$?
sed 's/^/write watch in the root: /' "$work/writes.log"
case $watch_status in
  0) ;;
  77) echo "write watch in the root: skipped, see above" ;;
  *) echo "FAIL: the write watch in the root"; exit 1 ;;
esac

check_setup_without_execute_bits

# The previews: the driver opens every package's picture; the JPEG ones need the kit's plugin,
# loaded from the kit's plugins folder, or linked into the program when Qt is (no folder).
if [ -d "$kit/quillomat/plugins" ]; then
  in_root QT_QPA_PLATFORM=offscreen QT_DEBUG_PLUGINS=1 /kit-test/quillomat-actions-driver \
    /kit-test/examples/program /kit-test/examples/disc >"$work/plugins.log" 2>&1 || true
  if ! grep -qF "\"$medium/quillomat/plugins/imageformats/libqjpeg.so\" loaded library" "$work/plugins.log"; then
    echo "FAIL: the kit's JPEG plugin was not loaded for the previews:"
    grep -i jpeg "$work/plugins.log" | tail -5
    exit 1
  fi
  echo "ok: the previews load the kit's JPEG plugin"
else
  # The names of the linked-in plugins' classes stay in the stripped program's data.
  for plugin in QJpegPlugin QXcbIntegrationPlugin QOffscreenIntegrationPlugin \
    QComposePlatformInputContextPlugin QIbusPlatformInputContextPlugin; do
    if ! grep -qaF "$plugin" "$kit/quillomat/quillomat"; then
      echo "FAIL: the kit's program has no $plugin linked in"
      exit 1
    fi
  done
  echo "ok: the kit's program has the JPEG, X11, offscreen, compose and IBus plugins linked in"
fi

# --- The slow-medium benchmark once, on its USB 2 model, as a smoke check of the benchmark and
# of the kit's start from a FUSE medium (its figures are printed, not judged).
check_slow_medium_benchmark() {
  local n bench_display=
  for n in $(seq 131 160); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      bench_display=$n
      break
    fi
  done
  [ -n "$bench_display" ] || { echo "FAIL: no free X display for the benchmark"; exit 1; }
  if ! bench/medium/run-medium-startup.sh "$build" --models usb2 --display "$bench_display" \
    >"$work/bench.log" 2>&1; then
    echo "FAIL: the slow-medium benchmark:"
    cat "$work/bench.log"
    exit 1
  fi
  sed 's/^/slow medium: /' "$work/bench.log"
}
check_slow_medium_benchmark

# --- What the kit costs and needs.
scripts/kit-measure.sh "$kit" --quick

# --- The disc image: the kit written as ISO 9660 with Rock Ridge and Joliet and read back
# (make-iso.sh compares every file's mode and name), then extracted into the root, where the
# program runs from it to its first paint.
check_disc_image() {
  local iso=$work/demo.iso extracted=/media/iso-extracted
  if ! scripts/make-iso.sh "$kit" "$iso" --label "Demo Disc"; then
    echo "FAIL: the kit's disc image"
    exit 1
  fi
  mkdir -p "$root$extracted"
  if ! xorriso -osirrox on -indev "$iso" -extract / "$root$extracted" >"$work/extract.log" 2>&1; then
    echo "FAIL: the disc image cannot be extracted:"
    tail -5 "$work/extract.log"
    exit 1
  fi
  local out
  if ! out=$(chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 \
    /bin/sh -c 'cd "$1" && exec ./autorun.sh' sh "$extracted" 2>&1); then
    echo "FAIL: the program from the disc image did not reach its first paint:"
    printf '%s\n' "$out"
    exit 1
  fi
  echo "ok: the disc image's autorun.sh, extracted with its modes, starts the program, which paints offscreen and exits 0"
}
check_disc_image

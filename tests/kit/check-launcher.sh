#!/usr/bin/env bash
# autorun.sh starts the medium's program with the medium's root as the disc, wherever the medium
# is mounted and however it is started; the kit maker never writes into a folder in use.
#   check-launcher.sh <source folder> <build folder>
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAIL: $*"
  status=1
}

# A medium whose mount point has spaces and a quote, with a stand-in program that records how
# it was started.
medium="$work/media/Demo Disc 'one'"
mkdir -p "$medium/quillomat" "$work/elsewhere"
cp "$source_dir/kit/autorun.sh" "$medium/"
cat >"$medium/quillomat/quillomat" <<'STUB'
#!/bin/sh
{ printf '%s\n' "$@"; printf '%s\n' "plugins=${QT_PLUGIN_PATH-unset}" "platform=$QT_QPA_PLATFORM"; } >"$STUB_OUT"
STUB
chmod +x "$medium/quillomat/quillomat"
root=$(cd "$medium" && pwd -P)

# check_start HOW PLATFORM-GIVEN PLATFORM-EXPECTED COMMAND...
check_start() {
  local how=$1 given=$2 expected
  expected=$(printf '%s\n' /TEST "$root" plugins=unset "platform=$3")
  shift 3
  rm -f "$work/args"
  if ! (export STUB_OUT="$work/args" QT_PLUGIN_PATH=/usr/lib/qt6/plugins QT_QPA_PLATFORM="$given"
    [ -n "$given" ] || unset QT_QPA_PLATFORM
    "$@") >"$work/log" 2>&1; then
    fail "$how: autorun.sh failed: $(cat "$work/log")"
  elif [ "$(cat "$work/args" 2>/dev/null)" != "$expected" ]; then
    fail "$how: the program was started with: $(cat "$work/args" 2>/dev/null)"
  fi
}
# As a desktop does: from the medium's root, executed or handed to sh, where the session may ask
# for Wayland; and by hand from elsewhere, offscreen.
check_start "run from the root" "" xcb sh -c 'cd "$1" && ./autorun.sh' sh "$medium"
check_start "sh from the root" wayland xcb sh -c 'cd "$1" && sh autorun.sh' sh "$medium"
check_start "by path from elsewhere" offscreen offscreen sh -c 'cd "$1" && "$2/autorun.sh"' sh "$work/elsewhere" "$medium"
[ $status -eq 0 ] && echo "ok: autorun.sh starts the program with the medium's root however it is run, on X11 or offscreen"

# A medium mounted without execute bits (FAT with showexec, a disc without Rock Ridge): the
# program, an ELF file (here a copy of echo, which prints its arguments), starts through the
# loader it names.
cp /bin/echo "$medium/quillomat/quillomat"
chmod a-x "$medium/quillomat/quillomat" "$medium/autorun.sh"
expected=$(printf '%s\n' "/TEST $root")
if ! out=$(cd "$medium" && sh autorun.sh 2>&1); then
  fail "autorun.sh could not start a program without execute bit: $out"
elif [ "$out" != "$expected" ]; then
  fail "without execute bit the program was started with: $out"
else
  echo "ok: without execute bits autorun.sh starts the program through its loader"
fi

# A noexec mount forbids even the loader: a clear message, and nothing started.
noexec="$work/noexec"
mkdir -p "$noexec"
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: a noexec mount needs root"
elif ! mount -t tmpfs -o noexec tmpfs "$noexec" 2>/dev/null; then
  echo "skipped: this machine refuses a tmpfs mount, so there is no noexec medium to try"
else
  trap 'umount "$noexec"; rm -rf "$work"' EXIT
  mkdir -p "$noexec/quillomat"
  cp "$medium/autorun.sh" "$noexec/"
  cp /bin/echo "$noexec/quillomat/quillomat"
  if out=$(cd "$noexec" && sh autorun.sh 2>&1); then
    fail "autorun.sh reported success on a noexec mount: $out"
  elif ! grep -q "noexec" <<<"$out" || grep -q "/TEST" <<<"$out"; then
    fail "on a noexec mount autorun.sh did not say why the program cannot run: $out"
  else
    echo "ok: on a noexec mount autorun.sh says so and fails"
  fi
fi

# The kit maker leaves a folder that holds anything alone.
mkdir -p "$work/out"
echo "my menu" >"$work/out/quillomat.qmf"
if "$source_dir/scripts/make-kit.sh" "$build_dir" "$work/out" >"$work/log" 2>&1; then
  fail "make-kit.sh wrote into a folder that was not empty"
elif [ "$(ls -A "$work/out")" != quillomat.qmf ] || [ "$(cat "$work/out/quillomat.qmf")" != "my menu" ]; then
  fail "make-kit.sh changed a folder that was not empty"
else
  echo "ok: make-kit.sh refuses a folder that is not empty and changes nothing in it"
fi
exit $status

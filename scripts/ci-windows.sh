#!/usr/bin/env bash
# The Windows stage of CI. Builds the Windows programs and test suites (./dev.sh windows,
# which builds Qt for Windows first when its cache is missing), then, under Wine in a private
# prefix made for this run:
#   1. the headless test suites through CTest (Wine is the cross-compiling emulator), among
#      them the shell's ShellExecuteW starting an .exe and reporting a missing file;
#   2. quillomat-catalogue.exe show|list|search on the demo disc against the Linux build:
#      the JSON must be byte-identical once the Windows drive (Z:) is mapped back to /;
#   3. quillomat.exe on the demo disc under Xvfb: it reaches its first paint and exits 0, and a
#      screenshot of its window is kept in build-windows/artefacts/.
# Each step prints what it proved; the first failure ends the stage with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
artefacts=$repo/build-windows/artefacts

./dev.sh windows
bin=$repo/build-windows/bin
mkdir -p "$artefacts"

# Size and imports: one static .exe that needs only Windows' own DLLs.
for exe in quillomat.exe quillomat-catalogue.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$bin/$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u)
  if grep -Eiq '^(lib|qt6|zlib|icu)' <<<"$imports"; then
    echo "FAILED: $exe imports a DLL that Windows does not have:" $imports >&2
    exit 1
  fi
  echo "proved: $exe is $(stat -c %s "$bin/$exe") bytes stripped and imports only" \
    "Windows' own DLLs:" $imports
done

export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/quillomat-wine.XXXXXX)
export WINEPREFIX
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
start=$(date +%s)
wine wineboot -i >/dev/null 2>&1
echo "Wine prefix made in $(( $(date +%s) - start )) s: $WINEPREFIX"

# 1. The headless suites. Their own report reaches Wine's standard output only through a file:
# on a failure, the failed suites run again writing it to the artefacts, and it is shown.
if ! ctest --test-dir build-windows --timeout 600; then
  sed 's/^[0-9]*://' build-windows/Testing/Temporary/LastTestsFailed.log | while read -r suite; do
    wine "build-windows/tests/$suite.exe" -o "$artefacts/$suite.txt,txt" || true
    cat "$artefacts/$suite.txt"
  done
  echo "FAILED: headless test suites under Wine" >&2
  exit 1
fi
suites=$(ctest --test-dir build-windows -N | sed -n 's/^Total Tests: //p')
echo "proved: all $suites headless test suites pass under Wine, including ShellExecuteW" \
  "starting an .exe in its folder and giving \"File ... not found.\" for a missing file"

# 2. The same JSON from both builds.
linux_tool=$repo/build/bin/quillomat-catalogue
if [ ! -x "$linux_tool" ]; then
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build --target quillomat-catalogue
fi
menu=examples/program/quillomat.qmf
language=(--lang examples/program/lang.ini --language 1)
windows_disc="Z:${repo//\//\\}\\examples\\disc"
compare() {
  local name=$1
  shift
  "$linux_tool" "$@" --cd-folder "$repo/examples/disc" >"$artefacts/$name.linux.json"
  wine "$bin/quillomat-catalogue.exe" "$@" --cd-folder "$windows_disc" |
    sed 's#"Z:/#"/#g' >"$artefacts/$name.windows.json"
  if ! cmp "$artefacts/$name.linux.json" "$artefacts/$name.windows.json"; then
    diff -u "$artefacts/$name.linux.json" "$artefacts/$name.windows.json" | head -40 >&2
    echo "FAILED: quillomat-catalogue $* differs between Linux and Windows" >&2
    exit 1
  fi
}
compare show show "$menu" "${language[@]}"
compare list-name list "$menu" --mode name "${language[@]}"
compare list-category list "$menu" --mode category "${language[@]}"
compare list-company list "$menu" --mode company "${language[@]}"
compare search search "$menu" "chess notes" "${language[@]}"
echo "proved: quillomat-catalogue.exe show, list (name, category, company) and search give" \
  "byte-identical JSON to the Linux build on the demo disc"

# 3. The program's window under Wine on a virtual screen of its own. The demo's language file
# holds three languages, so the language chooser comes first: Enter takes its default.
# Wine's desktop process, started by the suites without a screen, cannot show windows: the
# programs start in a fresh Wine session on the virtual screen.
wineserver -k || true
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  bin=$1 disc=$2 shot=$3
  # Waits until a window of the program whose title matches is on the screen; prints its id.
  window() {
    for _ in $(seq 240); do
      xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep . && return 0
      sleep 0.5
    done
    echo "no window \"$1\" appeared" >&2
    return 1
  }
  start() {
    wine "$bin/quillomat.exe" /TEST "$disc" &
    window "^Quillodex$" >/dev/null
    sleep 1
    xdotool key Return
  }

  start
  program=$!
  main=$(window "^Quillomat$")
  sleep 3 # painted
  import -window "$main" "$shot"
  kill "$program" 2>/dev/null || true
  wineserver -k || true

  export QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1
  start
  program=$!
  (sleep 120 && kill "$program" 2>/dev/null) & # a program that never paints fails the stage
  status=0
  wait "$program" || status=$?
  exit "$status"
' _ "$bin" "$windows_disc" "$artefacts/quillomat-wine.png"
echo "proved: quillomat.exe opens the demo disc under Wine, its language chooser takes Enter," \
  "the main window reaches its first paint and the program exits 0;" \
  "screenshot: $artefacts/quillomat-wine.png"

# 4. The disc kit with its Windows half: both programs in one folder sharing the language file
# and the menu, autorun.inf at the medium's root.
medium=$(mktemp -d /tmp/quillomat-kit.XXXXXX)/medium
scripts/make-kit.sh build "$medium" --demo --windows build-windows >/dev/null
for file in quillomat/quillomat quillomat/quillomat.exe quillomat/quillomat-catalogue.exe \
  quillomat/lang.ini quillomat/quillomat.qmf autorun.sh autorun.inf; do
  [ -e "$medium/$file" ] || { echo "FAILED: the kit has no $file" >&2; exit 1; }
done
grep -q '^open=quillomat\\quillomat.exe' "$medium/autorun.inf"
(cd "$medium" && wine quillomat/quillomat-catalogue.exe show quillomat/quillomat.qmf \
  --cd-folder . >/dev/null)
rm -rf "$(dirname "$medium")"
echo "proved: the disc kit holds quillomat.exe and quillomat-catalogue.exe beside the Linux" \
  "programs and autorun.inf at its root; the Windows tool reads the kit's menu under Wine"

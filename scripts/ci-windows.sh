#!/usr/bin/env bash
# The Windows stage of CI. Builds the Windows programs and test suites (./dev.sh windows,
# which builds Qt for Windows first when its cache is missing), then, under Wine in a private
# prefix made for this run:
#   1. the headless test suites through CTest (Wine is the cross-compiling emulator), among
#      them the shell's ShellExecuteW starting an .exe and reporting a missing file;
#   2. quillomat-catalogue.exe show|list|search on the demo disc against the Linux build:
#      the JSON must be byte-identical once the Windows drive (Z:) is mapped back to /;
#   3. quillomat.exe on the demo disc under Xvfb: it reaches its first paint and exits 0, and a
#      screenshot of its window is kept in build-windows/artefacts/;
#   4. no DLL planted beside the programs or in the current folder is loaded
#      (scripts/windows-dll-search.sh);
#   5. quillomat-catalogue.exe text reads absolute paths (drive letter, either separator, UNC);
#   6. a disc named in Cyrillic, Greek and Japanese, with its menu in UTF-8 and in UTF-16, also
#      deeper than 260 characters: the same JSON as the Linux build, and quillomat.exe shows it,
#      opens a preview and starts a run file by such a name;
#   7. every input of every fuzz corpus through the fuzz targets (quillomat-fuzz-replay.exe):
#      no crash, no input over 20 s, and the catalogue's JSON of the menu corpus as on Linux;
#   8. the disc kit with its Windows half.
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
# on a failure, the failed suites run again writing it to the artefacts, and it is shown. Wine
# now and then ends a suite with status 1 after all its cases passed (its own report says so),
# so a failed suite runs a second time before it counts as failed.
if ! ctest --test-dir build-windows --timeout 600 --repeat until-pass:2; then
  sed 's/^[0-9]*://' build-windows/Testing/Temporary/LastTestsFailed.log | while read -r suite; do
    if [ -f "build-windows/tests/$suite.exe" ]; then
      wine "build-windows/tests/$suite.exe" -o "$artefacts/$suite.txt,txt" || true
      cat "$artefacts/$suite.txt"
    else # a suite run through another program (the fuzz replay) prints its own report
      ctest --test-dir build-windows --timeout 600 -R "^$suite\$" --output-on-failure || true
    fi
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
# Waits until a window whose title matches is on the screen; prints its id.
window() {
  for _ in $(seq 240); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep . && return 0
    sleep 0.5
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
# The scripts below run under xvfb-run, whose shell passes no exported functions on.
export WINDOW_FUNCTION
WINDOW_FUNCTION=$(declare -f window)
wineserver -k || true
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  bin=$1 disc=$2 shot=$3
  eval "$WINDOW_FUNCTION"
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

# From here on the Windows programs run in one Wine session on a virtual screen of its own.
# Wine passes command lines and file names through the locale's character set: UTF-8.
export LC_ALL=C.UTF-8
wineserver -k || true
wineserver -w
scratch=$(mktemp -d /tmp/quillomat-windows.XXXXXX)
trap 'cleanup; rm -rf "$scratch"' EXIT
screen=(xvfb-run -a -s "-screen 0 1024x768x24")

# 4. No DLL from the program's folder or the current folder.
mkdir -p "$scratch/dlls"
"${screen[@]}" scripts/windows-dll-search.sh "$bin" "$repo/examples/disc" "$scratch/dlls"

# 5. text with absolute paths: a drive letter with either separator, another drive, a share
# (Wine maps \\quillomat\share to the folder linked in dosdevices/unc/).
rtf=examples/program/about.rtf
cp "$rtf" "$WINEPREFIX/drive_c/quillomat-about.rtf"
mkdir -p "$WINEPREFIX/dosdevices/unc/quillomat"
ln -sfn "$repo/examples/program" "$WINEPREFIX/dosdevices/unc/quillomat/share"
"$linux_tool" text "$rtf" >"$artefacts/text.linux.txt"
for path in 'C:\quillomat-about.rtf' 'c:/quillomat-about.rtf' "Z:${repo//\//\\}\\$rtf" \
  '\\quillomat\share\about.rtf'; do
  if ! wine "$bin/quillomat-catalogue.exe" text "$path" >"$artefacts/text.windows.txt" ||
    ! cmp -s "$artefacts/text.linux.txt" "$artefacts/text.windows.txt"; then
    echo "FAILED: quillomat-catalogue.exe text $path differs from the Linux build" >&2
    exit 1
  fi
done
echo "proved: quillomat-catalogue.exe text reads C:\\x.rtf, c:/x.rtf, Z:\\...\\x.rtf and" \
  "\\\\server\\share\\x.rtf and prints the Linux build's text"

# 6. Names beyond Latin-1, and a disc folder deeper than 260 characters.
# unicode_disc DISC: folders, files and menu named in Cyrillic, Greek and Japanese; both
# packages' run files are the test marker program, which writes ran.txt beside itself. The menu
# is DISC/quillomat.qmf in UTF-8 and DISC/quillomat-utf16.qmf in UTF-16 with byte-order mark.
unicode_disc() {
  local disc=$1 marker=build-windows/tests/quillomat-test-marker.exe
  mkdir -p "$disc/пакеты/Πακέτα" "$disc/パッケージ"
  cp "$marker" "$disc/пакеты/Πακέτα/установка.exe"
  cp examples/disc/packages/inkwell/description.rtf "$disc/пакеты/Πακέτα/описание.rtf"
  cp examples/disc/packages/inkwell/preview.jpg "$disc/пакеты/Πακέτα/προεπισκόπηση.jpg"
  cp "$marker" "$disc/パッケージ/セットアップ.exe"
  printf 'ノート と メモ: 日本語の説明。\r\n' >"$disc/パッケージ/説明.txt"
  cp examples/disc/packages/tallyho/preview.bmp "$disc/パッケージ/プレビュー.bmp"
  printf '%s\r\n' '[!Quillomat menu file generator]' '' \
    '[Редактор Ωμέγα]' 'Company=Издатель' 'Category=Γραφικά' \
    'RunFile=пакеты\Πακέτα\установка.exe' 'TextFile=пакеты\Πακέτα\описание.rtf' \
    'Bitmap=пакеты\Πακέτα\προεπισκόπηση.jpg' '' \
    '[日本語ノート]' 'Company=株式会社' 'Category=オフィス' \
    'RunFile=パッケージ\セットアップ.exe' 'TextFile=パッケージ\説明.txt' \
    'Bitmap=パッケージ\プレビュー.bmp' >"$disc/quillomat.qmf"
  iconv -f UTF-8 -t UTF-16 "$disc/quillomat.qmf" >"$disc/quillomat-utf16.qmf"
}
# A Unix path as Wine sees it (winepath cuts paths off at 260 characters).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Each command on DISC through both builds; the Windows paths mapped back (Z:/ is /).
compare_disc() { # DISC LABEL COMMAND ARGS...
  local disc=$1 label=$2 command=$3 menu
  shift 3
  for menu in quillomat.qmf quillomat-utf16.qmf; do
    "$linux_tool" "$command" "$disc/$menu" "$@" --cd-folder "$disc" >"$artefacts/$label.linux.json"
    wine "$bin/quillomat-catalogue.exe" "$command" "$(windows_path "$disc/$menu")" "$@" \
      --cd-folder "$(windows_path "$disc")" | sed 's#"Z:/#"/#g' >"$artefacts/$label.windows.json"
    if ! cmp "$artefacts/$label.linux.json" "$artefacts/$label.windows.json"; then
      diff -u "$artefacts/$label.linux.json" "$artefacts/$label.windows.json" | head -40 >&2
      echo "FAILED: quillomat-catalogue $command on $disc ($menu) differs between builds" >&2
      exit 1
    fi
  done
}
unicode="$scratch/диск Δίσκος ディスク"
unicode_disc "$unicode"
deep=$scratch
for level in 1 2 3 4 5; do deep+=/$(printf "folder-$level-%.0s" {1..5})длинный; done
deep+="/диск Δίσκος ディスク"
unicode_disc "$deep"
if [ "${#deep}" -le 260 ]; then
  echo "FAILED: the deep disc folder is not deeper than 260 characters" >&2
  exit 1
fi
for disc in "$unicode" "$deep"; do
  compare_disc "$disc" unicode-show show
  compare_disc "$disc" unicode-list list --mode category
  compare_disc "$disc" unicode-search-name search "Ωμέγα"
  compare_disc "$disc" unicode-search-text search "メモ"
done
wine "$bin/quillomat-catalogue.exe" text "$(windows_path "$unicode/пакеты/Πακέτα/описание.rtf")" \
  >"$artefacts/unicode-text.windows.txt"
"$linux_tool" text "$unicode/пакеты/Πακέτα/описание.rtf" >"$artefacts/unicode-text.linux.txt"
cmp "$artefacts/unicode-text.linux.txt" "$artefacts/unicode-text.windows.txt"
echo "proved: on a disc named in Cyrillic, Greek and Japanese, with its menu in UTF-8 and in" \
  "UTF-16, quillomat-catalogue.exe show, list, search (names and descriptions) and text" \
  "give the Linux build's results, also with the disc folder ${#deep} characters deep"

# The program itself, from a folder named in Japanese, with the UTF-16 menu beside it: its list
# and a description (screenshot), the setup button starting the selected package's run file,
# whose name is Cyrillic or Japanese, and a preview window by the package's name.
program="$scratch/プログラム"
mkdir -p "$program"
cp "$bin/quillomat.exe" "$program/"
cp "$unicode/quillomat-utf16.qmf" "$program/quillomat.qmf"
# The catalogue tool above ran without a screen: its Wine session must end first, or the program
# would join it and could show no window.
wineserver -k || true
wineserver -w
"${screen[@]}" bash -euo pipefail -c '
  program=$1 disc=$2 artefacts=$3
  eval "$WINDOW_FUNCTION"
  wine "$program/quillomat.exe" /TEST "$(winepath -w "$disc")" &
  main=$(window "^Quillomat$")
  sleep 3
  import -window "$main" "$artefacts/quillomat-unicode.png"
  # The setup button (its place in the window is fixed), then the preview button.
  xdotool mousemove --window "$main" 529 334 click 1
  for _ in $(seq 120); do
    ran=$(find "$disc" -name ran.txt | head -n 1)
    [ -n "$ran" ] && break
    sleep 0.5
  done
  [ -n "$ran" ] || { echo "FAILED: the run file did not start" >&2; exit 1; }
  xdotool mousemove --window "$main" 461 334 click 1
  preview=$(window " - (Редактор Ωμέγα|日本語ノート)$")
  sleep 1
  import -window "$preview" "$artefacts/quillomat-unicode-preview.png"
  echo "started: $(head -n 1 "$ran")"
  wineserver -k || true
' _ "$program" "$unicode" "$artefacts"
echo "proved: quillomat.exe from a folder named in Japanese showed the disc's list and a" \
  "description ($artefacts/quillomat-unicode.png), its setup button started a run file named" \
  "in Cyrillic or Japanese, and it showed a preview window titled with the package's name" \
  "($artefacts/quillomat-unicode-preview.png)"

# 7. The fuzz corpora through the Windows build: every input, a time limit for each, and the
# Linux build's results where they must agree.
cmake --build build --target quillomat-fuzz-replay quillomat-catalogue >/dev/null
source fuzz/corpus.sh
replayed=0
for target in inifile richtext menufile skin; do
  mapfile -t inputs < <(fuzz_inputs "$target")
  # In batches, to stay within Windows' command-line length.
  for ((first = 0; first < ${#inputs[@]}; first += 100)); do
    batch=("${inputs[@]:first:100}")
    for replay in "build/tests/quillomat-fuzz-replay" \
      "wine build-windows/tests/quillomat-fuzz-replay.exe"; do
      if ! timeout 3600 $replay --seconds 20 "$target" "${batch[@]}" \
        >"$artefacts/replay.txt" 2>"$artefacts/replay.log"; then
        tail -n 3 "$artefacts/replay.txt" "$artefacts/replay.log" >&2
        echo "FAILED: $replay $target: a crash or an input over 20 s (see above)" >&2
        exit 1
      fi
    done
  done
  replayed=$((replayed + ${#inputs[@]}))
  echo "replayed ${#inputs[@]} $target inputs under Wine"
done
# The Windows build's catalogue of a menu in fuzz.windows.json, drive letters mapped as below.
# Wine now and then fails to start a program at all (no output within milliseconds, its exit
# status not the program's): where Linux gave output and Wine none, the start is tried again.
windows_show() {
  local menu=$1 attempt
  for attempt in 1 2 3; do
    windows_status=0
    wine "$bin/quillomat-catalogue.exe" show "$menu" --cd-folder "$windows_disc" \
      2>"$artefacts/fuzz.windows.err" |
      sed 's#"Z:/#"/#g; s#"[A-Za-z]:/#"/quillomat-drive/#g
        s#\("\(runFile\|textFile\|bitmap\|cdFolder\)": "\)[A-Za-z]:\([^/]\)#\1/quillomat-drive/\3#g' \
        >"$artefacts/fuzz.windows.json" ||
      windows_status=$?
    if [ -s "$artefacts/fuzz.windows.json" ] || [ ! -s "$artefacts/fuzz.linux.json" ]; then
      return
    fi
    echo "note: Wine gave no output for $menu (status $windows_status, try $attempt):" \
      "$(grep -v -e wine32 -e multiarch -e add-architecture "$artefacts/fuzz.windows.err" |
        tail -n 3 | tr '\n' ' ')" >&2
    sleep 1
  done
}
mapfile -t menus < <(fuzz_inputs menufile)
differing=0
for menu in "${menus[@]}"; do
  linux_status=0
  # A drive letter in a menu names that drive on Windows and the drive root on Linux: there it
  # is a folder of its own, which the Windows paths are mapped to after Z: (which is /), and
  # so is a path on a drive's current folder ("P:int\shot.jpg", of a drive Wine does not have).
  "$linux_tool" show "$menu" --cd-folder "$repo/examples/disc" --drive-root /quillomat-drive \
    >"$artefacts/fuzz.linux.json" || linux_status=$?
  windows_show "$menu"
  if [ "$linux_status" != "$windows_status" ] ||
    ! cmp -s "$artefacts/fuzz.linux.json" "$artefacts/fuzz.windows.json"; then
    { diff -u "$artefacts/fuzz.linux.json" "$artefacts/fuzz.windows.json" || true; } | head -40 >&2
    # The seeds and regressions must agree; an input this run's fuzzing collected is reported
    # (copy it into fuzz/regressions/ to keep it) but does not decide the run.
    case $menu in
    */corpus/menufile/*)
      echo "NOTE: the catalogue of the newly collected $menu differs between Linux and Windows" >&2
      differing=$((differing + 1))
      continue
      ;;
    esac
    echo "FAILED: the catalogue of $menu differs between Linux and Windows" >&2
    exit 1
  fi
done
echo "proved: all $replayed inputs of the four fuzz corpora (seeds, regressions and any" \
  "collected corpus) ran through quillomat-fuzz-replay.exe under Wine without a crash or an" \
  "input over 20 s, as on Linux, and the ${#menus[@]} menu inputs give the Linux build's JSON" \
  "(but $differing newly collected ones, listed above)"

# 8. The disc kit with its Windows half: both programs in one folder sharing the language file
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

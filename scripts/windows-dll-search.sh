#!/usr/bin/env bash
# Proves under Wine that the Windows programs load no DLL planted beside them or in the current
# folder. Called by scripts/ci-windows.sh; needs an X display (Wine shows quillomat.exe's window)
# and a Wine prefix in WINEPREFIX.
#   scripts/windows-dll-search.sh BIN DISC WORK
# BIN holds quillomat.exe and quillomat-catalogue.exe, DISC is a disc folder (Unix path) with
# the menu quillomat.qmf beside the programs in BIN, WORK an empty scratch folder.
#
# 1. Every DLL the programs import directly is a KnownDLL (or an API set): Windows maps those
#    from System32 whatever lies beside the program. Everything else is delay-loaded.
# 2. For every other DLL name the programs import or name (the delay-loaded ones, and every
#    *.dll the programs' code or Qt's asks LoadLibrary for), a DLL of that name that ends its
#    process with a code of its own when loaded is planted. Wine is told to prefer such files to
#    its own (WINEDLLOVERRIDES=NAME=n,b), which makes it search as Windows does for a DLL that
#    is not built into the system. A control program that loads the name shows each planted DLL
#    does end its process when it is found.
# 3. With all of them beside the programs, and then all of them in the current folder, both
#    programs run to their result: quillomat-catalogue.exe prints the same JSON as without them,
#    quillomat.exe reaches its first paint and exits 0.
# Wine, unlike Windows, loads a planted KnownDLL when told to prefer it, so those are not planted.
set -euo pipefail
bin=$(cd "$1" && pwd) disc=$(cd "$2" && pwd) work=$(cd "$3" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cc=x86_64-w64-mingw32-gcc-posix
objdump=x86_64-w64-mingw32-objdump

# The KnownDLLs of Windows 10 and 11 (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\
# KnownDLLs), and ntdll, which every process has already.
known='advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdiplus|imagehlp|imm32|kernel32'
known+='|msctf|msvcrt|normaliz|nsi|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore|shell32'
known+='|shlwapi|user32|wldap32|ws2_32|wow64|wow64win|wow64cpu|ntdll|kernelbase|gdi32full|win32u'
is_system_bound() { grep -Eiq "^(($known)\.dll|api-ms-win-.*|ext-ms-win-.*)$" <<<"$1"; }

# 1. Direct imports.
for exe in quillomat.exe quillomat-catalogue.exe; do
  imports=$($objdump -p "$bin/$exe" | sed -n 's/^\s*DLL Name: //p' | sort -uf)
  for dll in $imports; do
    if ! is_system_bound "$dll"; then
      echo "FAILED: $exe imports $dll directly, which Windows looks for beside the program" >&2
      exit 1
    fi
  done
  echo "proved: $exe imports directly only KnownDLLs and API sets:" $imports
done

# 2. Every other DLL name in the programs: the delay-load thunks name theirs in ASCII, Qt's
# LoadLibrary calls theirs in ASCII or UTF-16.
names=$( (for exe in "$bin/quillomat.exe" "$bin/quillomat-catalogue.exe"; do
  strings -a "$exe"
  strings -a -e l "$exe"
done) | grep -Eio '^[a-z0-9_.-]+\.(dll|drv)$' | tr 'A-Z' 'a-z' | sort -u)
# Qt names a few DLLs without ".dll" when it loads them: OpenGL (and its software fallback),
# the Direct3D shader compiler and UI Automation.
names+=" opengl32.dll opengl32sw.dll uiautomationcore.dll"
names+=" $(printf 'd3dcompiler_%s.dll ' 43 44 45 46 47)"
planted=()
for name in $names; do
  is_system_bound "$name" || planted+=("$name")
done
[ ${#planted[@]} -gt 0 ] || { echo "FAILED: no DLL name found in the programs" >&2; exit 1; }
echo "DLLs named by the programs and not KnownDLLs (${#planted[@]}):" "${planted[@]}"

# Wine's own copies of the KnownDLLs import a few DLLs that Windows' do not (its user32 imports
# version.dll, its comdlg32 comctl32.dll and winspool.drv): Wine loads those before any of the
# program's code runs, and would find a planted one beside the program. Those names are
# planted in the current folder only, where the loader looks after System32.
wine_dlls=$(dirname "$(find /usr/lib -path '*/wine/x86_64-windows/user32.dll' | head -n 1)")
wine_bound=()
queue=$(tr '|' ' ' <<<"$known")
seen=" "
while [ -n "${queue// /}" ]; do
  next=
  for dll in $queue; do
    dll=${dll%.dll}
    [[ $seen == *" $dll "* ]] && continue
    seen+="$dll "
    [ -f "$wine_dlls/$dll.dll" ] || continue
    for import in $($objdump -p "$wine_dlls/$dll.dll" | sed -n 's/^\s*DLL Name: //p' |
      tr 'A-Z' 'a-z'); do
      is_system_bound "$import" || wine_bound+=("$import")
      next+=" ${import%.*}"
    done
  done
  queue=$next
done
# Wine's comctl32 (imported by its comdlg32) also loads uxtheme.dll as it starts, before the
# program's first instruction.
[[ " ${wine_bound[*]} " == *" comctl32.dll "* ]] && wine_bound+=(uxtheme.dll)
wine_bound_list=" $(printf '%s\n' "${wine_bound[@]}" | sort -u | tr '\n' ' ')"
beside=()
for name in "${planted[@]}"; do
  [[ $wine_bound_list == *" $name "* ]] || beside+=("$name")
done
echo "Of these, imported by Wine's own system DLLs and so planted in the current folder only:" \
  $(for name in "${planted[@]}"; do [[ $wine_bound_list == *" $name "* ]] && echo "$name"; done)

mkdir -p "$work/planted" "$work/programs" "$work/elsewhere" "$work/control"
cat >"$work/planted.c" <<'C'
#include <windows.h>
LONG NTAPI NtTerminateProcess(HANDLE process, LONG status);
/* Ends the process that loads it with PLANTED_CODE, before anything else can happen. */
BOOL WINAPI planted_entry(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    (void)module;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        NtTerminateProcess((HANDLE)-1, PLANTED_CODE);
    return TRUE;
}
C
cat >"$work/control.c" <<'C'
#include <windows.h>
/* Loads the DLL named on the command line with Windows' default search. */
int wmain(int argc, wchar_t** argv) { return argc > 1 && LoadLibraryW(argv[1]) ? 0 : 1; }
C
$cc -municode -O2 "$work/control.c" -o "$work/control/control.exe"
declare -A code_of
overrides=
code=100
for name in "${planted[@]}"; do
  $cc -shared -nostdlib -e planted_entry -DPLANTED_CODE=$code "$work/planted.c" -lntdll \
    -o "$work/planted/$name"
  code_of[$name]=$code
  overrides+=${overrides:+,}${name%.*}
  code=$((code + 1))
done
export WINEDLLOVERRIDES="$overrides=n,b"

# The control: each planted DLL, when Windows' search finds it, ends the process with its code.
cp "$work/planted/"* "$work/control/"
for name in "${planted[@]}"; do
  status=0
  (cd "$work/elsewhere" && timeout 60 wine "$work/control/control.exe" "$name") || status=$?
  if [ "$status" != "${code_of[$name]}" ]; then
    echo "FAILED: the planted $name was not loaded by the control program (exit $status)" >&2
    exit 1
  fi
done
rm "$work/control/"*.dll
echo "proved: each planted DLL ends the process that loads it with a code of its own" \
  "(control program beside it: ${#planted[@]} of ${#planted[@]})"

# 3. Both programs with the planted DLLs beside them, then in the current folder.
windows_path() { winepath -w "$1"; }
expected=$work/expected.json
menu=$(windows_path "$bin/quillomat.qmf")
wine "$bin/quillomat-catalogue.exe" show "$menu" --cd-folder "$(windows_path "$disc")" >"$expected"
name_of_code() {
  for name in "${!code_of[@]}"; do [ "${code_of[$name]}" = "$1" ] && echo "$name"; done
}
run_programs() { # FOLDER_OF_PROGRAMS CURRENT_FOLDER WHERE
  local programs=$1 current=$2 where=$3 status
  status=0
  (cd "$current" && timeout 120 wine "$programs/quillomat-catalogue.exe" show "$menu" \
    --cd-folder "$(windows_path "$disc")" >"$work/got.json") || status=$?
  if [ "$status" != 0 ] || ! cmp -s "$expected" "$work/got.json"; then
    echo "FAILED: quillomat-catalogue.exe with DLLs planted $where: exit $status" \
      "$(name_of_code "$status")" >&2
    exit 1
  fi
  status=0
  (cd "$current" && QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 timeout 120 \
    wine "$programs/quillomat.exe" /TEST "$(windows_path "$disc")") || status=$?
  if [ "$status" != 0 ]; then
    echo "FAILED: quillomat.exe with DLLs planted $where: exit $status" \
      "$(name_of_code "$status")" >&2
    exit 1
  fi
}
# Beside the programs: copies of both with the menu, and the planted DLLs.
mkdir -p "$work/beside"
for name in "${beside[@]}"; do cp "$work/planted/$name" "$work/beside/"; done
cp "$bin/quillomat.exe" "$bin/quillomat-catalogue.exe" "$bin/quillomat.qmf" "$work/beside/"
run_programs "$work/beside" "$work/elsewhere" "beside the programs"
# In the current folder.
cp "$bin/quillomat.exe" "$bin/quillomat-catalogue.exe" "$bin/quillomat.qmf" "$work/programs/"
run_programs "$work/programs" "$work/planted" "in the current folder"
echo "proved: with ${#beside[@]} DLLs planted beside the programs and ${#planted[@]} in the" \
  "current folder (each preferred to Wine's own), none was loaded: quillomat-catalogue.exe" \
  "show gave the same JSON and quillomat.exe reached its first paint and exited 0"

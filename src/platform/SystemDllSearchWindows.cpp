// Linked into each Windows program (not into a library, which the linker would leave out as
// unreferenced): restricts where the process looks for DLLs to System32 before any of the
// program's code runs.
//
// Windows looks for a DLL in the program's own folder (and, for LoadLibrary, the current
// folder) before System32, except for the few it lists as KnownDLLs. A program started from a
// stick, a share or a Downloads folder must not run a DLL that someone put there under a
// system DLL's name. The loader resolves the program's import table before any of its code
// runs, so every imported DLL that is not a KnownDLL is delay-loaded (see
// cmake/WindowsDllSearch.cmake): it is loaded by LoadLibrary on its first call, which this
// restriction then confines to System32. The same holds for every LoadLibrary Qt makes.
//
// A TLS callback runs when the process attaches, before the C runtime's start-up code and so
// before every static initialiser, Qt's included; its section sorts before the runtime's own
// callback (.CRT$XLC).
#include <windows.h>

namespace {

void NTAPI loadDllsFromSystemOnly(PVOID, DWORD reason, PVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

extern "C" __attribute__((section(".CRT$XLB"), used))
const PIMAGE_TLS_CALLBACK quillomatSystemDllSearch = loadDllsFromSystemOnly;

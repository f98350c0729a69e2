#include "platform/ResidentProgram.h"

#include <windows.h>

#include <algorithm>

namespace quillomat {

// The program is one statically linked image: its libraries and plugins are inside it, so the
// image is all there is to hold. Locking keeps its pages in the working set; where the working
// set cannot grow enough, every page is touched so that it is at least read once.
ResidentProgramReport keepProgramInMemory(const QString& programFolder, const PieceGate& gate)
{
    ResidentProgramReport report;
    // A program on the system's own drive cannot lose its medium while Windows runs.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length >= 2 && length < MAX_PATH && system[1] == L':' && programFolder.size() >= 2 &&
        programFolder[1] == QLatin1Char(':') &&
        QChar(char16_t(system[0])).toUpper() == programFolder[0].toUpper())
        return report;
    auto* base = reinterpret_cast<char*>(GetModuleHandleW(nullptr));
    if (!base)
        return report;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const SIZE_T size = nt->OptionalHeader.SizeOfImage;
    report.regions = 1;
    SIZE_T minimum = 0, maximum = 0;
    HANDLE process = GetCurrentProcess();
    if (GetProcessWorkingSetSize(process, &minimum, &maximum))
        SetProcessWorkingSetSize(process, minimum + size, maximum + size);
    SYSTEM_INFO systemInfo;
    GetSystemInfo(&systemInfo);
    bool locked = true;
    for (SIZE_T offset = 0; offset < size; offset += kResidentPieceBytes) {
        char* piece = base + offset;
        const SIZE_T length = std::min<SIZE_T>(kResidentPieceBytes, size - offset);
        const bool turn = gate([&] {
            if (VirtualLock(piece, length))
                return;
            locked = false;
            volatile char sink = 0;
            for (SIZE_T page = 0; page < length; page += systemInfo.dwPageSize)
                sink = sink + piece[page];
        });
        if (!turn)
            return report;
    }
    report.failed = locked ? 0 : 1;
    report.bytes = qint64(size);
    return report;
}

} // namespace quillomat

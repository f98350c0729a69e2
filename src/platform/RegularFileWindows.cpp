#include "platform/RegularFile.h"
#include "platform/SystemFile.h"
#include "platform/WindowsText.h"

#include <algorithm>

#include <windows.h>

namespace quillomat {
namespace {

HANDLE handleOf(systemfile::Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Others may read, write, rename or delete the file meanwhile, as they may on Linux.
HANDLE openShared(const QString& path, DWORD access)
{
    return CreateFileW(fileApiPath(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::int64_t joined(DWORD high, DWORD low)
{
    return std::int64_t((std::uint64_t(high) << 32) | low);
}

} // namespace

namespace systemfile {

Handle openForReading(const QString& path, bool& missing, QString& reason)
{
    const HANDLE file = openShared(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        reason = systemMessage(code);
        return kNoHandle;
    }
    return reinterpret_cast<Handle>(file);
}

// Only files on a disk count: a console, NUL, a serial port or a pipe opens too, but never
// ends or may wait. A folder does not open at all without backup semantics.
std::optional<FileStamp> stampOf(Handle handle)
{
    const HANDLE file = handleOf(handle);
    if (GetFileType(file) != FILE_TYPE_DISK)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info = {};
    FILE_BASIC_INFO basic = {};
    if (!GetFileInformationByHandle(file, &info) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    constexpr std::int64_t nsPerTick = 100;
    return FileStamp{joined(info.nFileSizeHigh, info.nFileSizeLow),
                     basic.LastWriteTime.QuadPart * nsPerTick,
                     basic.ChangeTime.QuadPart * nsPerTick, info.dwVolumeSerialNumber,
                     std::uint64_t(joined(info.nFileIndexHigh, info.nFileIndexLow))};
}

std::int64_t readSome(Handle handle, char* into, std::int64_t size, QString& reason)
{
    // ReadFile takes at most a DWORD at a time.
    const DWORD wanted = DWORD(std::min<std::int64_t>(size, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(handleOf(handle), into, wanted, &got, nullptr)) {
        reason = systemMessage(GetLastError());
        return -1;
    }
    return got;
}

bool isInMemory(Handle, std::int64_t)
{
    return false; // Windows does not tell: the caller reads the usual way
}

void close(Handle handle)
{
    CloseHandle(handleOf(handle));
}

} // namespace systemfile

std::optional<FileStamp> regularFileStamp(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const HANDLE file = openShared(path, FILE_READ_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<FileStamp> stamp =
        systemfile::stampOf(reinterpret_cast<systemfile::Handle>(file));
    CloseHandle(file);
    return stamp;
}

} // namespace quillomat

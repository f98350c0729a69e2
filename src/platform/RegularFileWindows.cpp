#include "platform/RegularFile.h"

#include "platform/WindowsText.h"

#include <QCoreApplication>

#include <algorithm>

#include <windows.h>

namespace quillomat {
namespace {

// Closes the handle on every way out.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    bool isValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

// Others may read, write, rename or delete the file meanwhile, as they may on Linux.
FileHandle openShared(const QString& path, DWORD access)
{
    return FileHandle(CreateFileW(nativePath(path).c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::int64_t joined(DWORD high, DWORD low)
{
    return std::int64_t((std::uint64_t(high) << 32) | low);
}

// Only files on a disk count: a console, NUL, a serial port or a pipe opens too, but never
// ends or may wait. A folder does not open at all without backup semantics.
std::optional<FileStamp> stampOf(HANDLE handle)
{
    if (GetFileType(handle) != FILE_TYPE_DISK)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info = {};
    FILE_BASIC_INFO basic = {};
    if (!GetFileInformationByHandle(handle, &info) ||
        !GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    constexpr std::int64_t nsPerTick = 100;
    return FileStamp{joined(info.nFileSizeHigh, info.nFileSizeLow),
                     basic.LastWriteTime.QuadPart * nsPerTick,
                     basic.ChangeTime.QuadPart * nsPerTick, info.dwVolumeSerialNumber,
                     std::uint64_t(joined(info.nFileIndexHigh, info.nFileIndexLow))};
}

} // namespace

std::optional<FileStamp> regularFileStamp(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const FileHandle file = openShared(path, FILE_READ_ATTRIBUTES);
    if (!file.isValid())
        return std::nullopt;
    return stampOf(file.get());
}

std::optional<RegularFileContent> readWholeRegularFile(const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<RegularFileContent> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (path.isEmpty())
        return fail(QCoreApplication::translate("quillomat", "No such file"));
    const FileHandle file = openShared(path, GENERIC_READ);
    if (!file.isValid()) {
        const DWORD code = GetLastError();
        return fail(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                        ? QCoreApplication::translate("quillomat", "No such file")
                        : systemMessage(code));
    }
    const std::optional<FileStamp> before = stampOf(file.get());
    if (!before)
        return fail(QCoreApplication::translate("quillomat", "Not a regular file"));
    RegularFileContent content;
    content.before = *before;
    content.bytes.resize(qsizetype(before->size) + 1); // one more byte shows a file that grew
    qsizetype used = 0;
    for (;;) {
        if (used == content.bytes.size())
            content.bytes.resize(used * 2);
        // ReadFile takes at most a DWORD at a time.
        const DWORD wanted = DWORD(std::min<qsizetype>(content.bytes.size() - used, 1 << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), content.bytes.data() + used, wanted, &got, nullptr))
            return fail(systemMessage(GetLastError()));
        if (got == 0)
            break;
        used += got;
    }
    content.bytes.resize(used);
    const std::optional<FileStamp> after = stampOf(file.get());
    if (!after)
        return fail(systemMessage(GetLastError()));
    content.after = *after;
    return content;
}

} // namespace quillomat

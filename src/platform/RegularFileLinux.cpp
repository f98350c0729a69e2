#include "platform/RegularFile.h"
#include "platform/SystemFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace quillomat {
namespace {

FileStamp stampFrom(const struct stat& info)
{
    constexpr std::int64_t nsPerSecond = 1'000'000'000;
    return {info.st_size, std::int64_t(info.st_mtim.tv_sec) * nsPerSecond + info.st_mtim.tv_nsec,
            std::int64_t(info.st_ctim.tv_sec) * nsPerSecond + info.st_ctim.tv_nsec,
            std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

std::optional<FileStamp> regularFileStamp(const QString& path)
{
    struct stat info = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

namespace systemfile {

Handle openForReading(const QString& path, bool& missing, QString& reason)
{
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        reason = systemReason(errno);
        return kNoHandle;
    }
    return fd;
}

std::optional<FileStamp> stampOf(Handle handle)
{
    struct stat info = {};
    if (::fstat(int(handle), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

std::int64_t readSome(Handle handle, char* into, std::int64_t size, QString& reason)
{
    for (;;) {
        const ssize_t got = ::read(int(handle), into, std::size_t(size));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            reason = systemReason(errno);
            return -1;
        }
    }
}

std::int64_t readSomeFromMemory(Handle handle, char* into, std::int64_t size)
{
    // RWF_NOWAIT: EAGAIN instead of waiting for the disk; a file system that cannot tell
    // answers EOPNOTSUPP. Either way the caller reads the usual way.
    iovec piece{into, std::size_t(size)};
    for (;;) {
        const ssize_t got = ::preadv2(int(handle), &piece, 1, -1, RWF_NOWAIT);
        if (got >= 0)
            return got;
        if (errno != EINTR)
            return -1;
    }
}

void close(Handle handle)
{
    ::close(int(handle));
}

} // namespace systemfile
} // namespace quillomat

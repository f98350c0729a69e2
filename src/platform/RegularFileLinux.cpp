#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillomat {
namespace {

FileStamp stampOf(const struct stat& info)
{
    constexpr std::int64_t nsPerSecond = 1'000'000'000;
    return {info.st_size, std::int64_t(info.st_mtim.tv_sec) * nsPerSecond + info.st_mtim.tv_nsec,
            std::int64_t(info.st_ctim.tv_sec) * nsPerSecond + info.st_ctim.tv_nsec,
            std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

// Closes the descriptor on every way out.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

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
    return stampOf(info);
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
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    FileDescriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return fail(errno == ENOENT ? QCoreApplication::translate("quillomat", "No such file")
                                    : systemReason(errno));
    }
    struct stat info = {};
    if (::fstat(fd.get(), &info) != 0)
        return fail(systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return fail(QCoreApplication::translate("quillomat", "Not a regular file"));
    RegularFileContent content;
    content.before = stampOf(info);
    content.bytes.resize(qsizetype(info.st_size) + 1); // one more byte shows a file that grew
    qsizetype used = 0;
    for (;;) {
        if (used == content.bytes.size())
            content.bytes.resize(used * 2);
        const ssize_t got =
            ::read(fd.get(), content.bytes.data() + used, std::size_t(content.bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(systemReason(errno));
        if (got == 0)
            break;
        used += got;
    }
    content.bytes.resize(used);
    if (::fstat(fd.get(), &info) != 0)
        return fail(systemReason(errno));
    content.after = stampOf(info);
    return content;
}

} // namespace quillomat

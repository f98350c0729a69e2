#include "catalogue/DescriptionTextCache.h"

#include "catalogue/SearchText.h"
#include "platform/CasePaths.h"
#include "richtext/PlainText.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillomat {
namespace {

using FileStamp = DescriptionTextCache::FileStamp;

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

// Reads a whole regular file through one descriptor, so that its stamp (taken before reading)
// and its bytes belong to the same file. nullopt when it cannot be opened or read, or is not a
// regular file; the stamp after reading is returned as well so that the caller can tell
// whether the file changed meanwhile.
struct FileContent
{
    QByteArray bytes;
    FileStamp before, after;
};

std::optional<FileContent> readRegularFile(const QString& path)
{
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    FileDescriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info = {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileContent content;
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
            return std::nullopt;
        if (got == 0)
            break;
        used += got;
    }
    content.bytes.resize(used);
    if (::fstat(fd.get(), &info) != 0)
        return std::nullopt;
    content.after = stampOf(info);
    return content;
}

} // namespace

std::optional<QString> descriptionPlainText(const QString& path)
{
    const std::optional<FileContent> content = readRegularFile(resolvePathCase(path).path);
    if (!content)
        return std::nullopt;
    return rtfToPlainText(content->bytes);
}

DescriptionTextCache::DescriptionTextCache() : DescriptionTextCache(rtfToPlainText) {}

DescriptionTextCache::DescriptionTextCache(Converter converter) : m_converter(std::move(converter))
{
}

QByteArray DescriptionTextCache::upperCasedText(const QString& path)
{
    if (path.isEmpty())
        return {};
    // Entries stay under the name the menu gives; the file read is the one found on disc.
    const QString onDisc = resolvePathCase(path).path;
    const auto cached = m_entries.constFind(path);
    if (cached != m_entries.cend()) {
        struct stat info = {};
        if (::stat(QFile::encodeName(onDisc).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            stampOf(info) == cached->stamp)
            return cached->upperText;
        m_entries.erase(cached);
    }

    const std::optional<FileContent> content = readRegularFile(onDisc);
    if (!content)
        return {};
    QByteArray upperText = upperCasedUtf8(m_converter(content->bytes));
    // A file written while it was read may have been caught half way: keep nothing then, so
    // the next search reads it again.
    if (content->after == content->before)
        m_entries.insert(path, Entry{content->before, upperText});
    return upperText;
}

} // namespace quillomat

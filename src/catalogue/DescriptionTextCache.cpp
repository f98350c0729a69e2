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

// The name the system knows a description file by: every open and stat goes through here.
// Entries stay under the name the menu gives; the file read is the one found on disc, whose
// letter case may differ.
QByteArray fileSystemName(const QString& path)
{
    return QFile::encodeName(resolvePathCase(path).path);
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
    FileDescriptor fd(::open(fileSystemName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
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
    const std::optional<FileContent> content = readRegularFile(path);
    if (!content)
        return std::nullopt;
    return rtfToPlainText(content->bytes);
}

DescriptionTextCache::DescriptionTextCache(qsizetype budgetBytes)
    : DescriptionTextCache(rtfToPlainText, budgetBytes)
{
}

DescriptionTextCache::DescriptionTextCache(Converter converter, qsizetype budgetBytes)
    : m_converter(std::move(converter)), m_budgetBytes(budgetBytes)
{
}

qsizetype DescriptionTextCache::entryCount() const
{
    const QReadLocker lock(&m_lock);
    return m_entries.size();
}

qsizetype DescriptionTextCache::keptBytes() const
{
    const QReadLocker lock(&m_lock);
    return m_keptBytes;
}

void DescriptionTextCache::clear()
{
    const QWriteLocker lock(&m_lock);
    m_entries.clear();
    m_keptBytes = 0;
}

DescriptionTextCache::Lookup DescriptionTextCache::lookUp(const QString& path,
                                                          QByteArray* text) const
{
    FileStamp stamp;
    {
        const QReadLocker lock(&m_lock);
        const auto cached = m_entries.constFind(path);
        if (cached == m_entries.cend())
            return Lookup::Absent;
        stamp = cached->stamp;
        *text = cached->upperText;
    }
    // The file is looked at outside the lock: on a slow medium this waits.
    struct stat info = {};
    if (::stat(fileSystemName(path).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        stampOf(info) == stamp)
        return Lookup::Fresh;
    text->clear();
    return Lookup::Stale;
}

std::optional<QByteArray> DescriptionTextCache::readAndKeep(const QString& path, bool* kept)
{
    *kept = false;
    const std::optional<FileContent> content = readRegularFile(path);
    if (!content) {
        const QWriteLocker lock(&m_lock);
        if (const auto stale = m_entries.constFind(path); stale != m_entries.cend()) {
            m_keptBytes -= stale->upperText.size();
            m_entries.erase(stale);
        }
        return std::nullopt;
    }
    QByteArray upperText = upperCasedUtf8(m_converter(content->bytes));
    const QWriteLocker lock(&m_lock);
    qsizetype freed = 0;
    const auto old = m_entries.constFind(path);
    if (old != m_entries.cend())
        freed = old->upperText.size();
    // A file written while it was read may have been caught half way: keep nothing then, so
    // the next search reads it again.
    if (content->after == content->before &&
        m_keptBytes - freed + upperText.size() <= m_budgetBytes) {
        m_keptBytes += upperText.size() - freed;
        m_entries.insert(path, Entry{content->before, upperText});
        *kept = true;
    } else if (old != m_entries.cend()) {
        m_keptBytes -= freed;
        m_entries.erase(old);
    }
    return upperText;
}

QByteArray DescriptionTextCache::upperCasedText(const QString& path)
{
    if (path.isEmpty())
        return {};
    QByteArray text;
    if (lookUp(path, &text) == Lookup::Fresh)
        return text;
    bool kept = false;
    return readAndKeep(path, &kept).value_or(QByteArray());
}

bool DescriptionTextCache::keepText(const QString& path)
{
    QByteArray text;
    if (path.isEmpty() || lookUp(path, &text) == Lookup::Fresh)
        return true;
    if (keptBytes() >= m_budgetBytes)
        return false;
    bool kept = false;
    const std::optional<QByteArray> read = readAndKeep(path, &kept);
    // An unreadable file or one that changed while it was read is no reason to stop; a text
    // that did not fit is.
    return kept || !read || keptBytes() + read->size() <= m_budgetBytes;
}

} // namespace quillomat

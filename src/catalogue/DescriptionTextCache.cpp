#include "catalogue/DescriptionTextCache.h"

#include "platform/TextServices.h"
#include "richtext/PlainText.h"

#include <QFile>

#include <sys/stat.h>

namespace quillomat {

std::optional<QString> descriptionPlainText(const QString& path)
{
    return plainTextOfFile(path);
}

DescriptionTextCache::DescriptionTextCache(Reader reader) : m_reader(std::move(reader)) {}

std::optional<DescriptionTextCache::FileStamp> DescriptionTextCache::stampOf(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    constexpr std::int64_t nsPerSecond = 1'000'000'000;
    FileStamp stamp;
    stamp.size = info.st_size;
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * nsPerSecond + info.st_mtim.tv_nsec;
    stamp.changedNs = std::int64_t(info.st_ctim.tv_sec) * nsPerSecond + info.st_ctim.tv_nsec;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    return stamp;
}

QString DescriptionTextCache::upperCasedText(const QString& path)
{
    if (path.isEmpty())
        return {};
    const std::optional<FileStamp> before = stampOf(path);
    if (!before) {
        m_entries.remove(path);
        return {};
    }
    const auto cached = m_entries.constFind(path);
    if (cached != m_entries.cend() && cached->stamp == *before)
        return cached->upperText;

    const QString upperText = upperCased(m_reader(path).value_or(QString()));
    // A file written while it was read may have been caught half way: keep nothing then, so
    // the next search reads it again.
    if (stampOf(path) == before)
        m_entries.insert(path, Entry{*before, upperText});
    else
        m_entries.remove(path);
    return upperText;
}

} // namespace quillomat

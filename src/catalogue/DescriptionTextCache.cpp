#include "catalogue/DescriptionTextCache.h"

#include "platform/CasePaths.h"
#include "platform/RegularFile.h"
#include "richtext/PlainText.h"
#include "text/UpperCasedUtf8.h"

namespace quillomat {
namespace {

// The file a description path names on disc: entries stay under the name the menu gives, but
// the file's letter case may differ.
QString onDiscName(const QString& path)
{
    return resolvePathCase(path).path;
}

} // namespace

std::optional<QString> descriptionPlainText(const QString& path)
{
    const std::optional<RegularFileContent> content = readWholeRegularFile(onDiscName(path));
    if (!content)
        return std::nullopt;
    return rtfToPlainText(content->bytes);
}

DescriptionTextCache::DescriptionTextCache(qsizetype budgetBytes)
    : m_toSearchText(upperCasedPlainText), m_budgetBytes(budgetBytes)
{
}

DescriptionTextCache::DescriptionTextCache(Converter converter, qsizetype budgetBytes)
    : m_toSearchText([converter = std::move(converter)](QByteArrayView bytes) {
          return upperCasedUtf8(converter(bytes));
      }),
      m_budgetBytes(budgetBytes)
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
    QString onDisc;
    {
        const QReadLocker lock(&m_lock);
        const auto cached = m_entries.constFind(path);
        if (cached == m_entries.cend())
            return Lookup::Absent;
        stamp = cached->stamp;
        onDisc = cached->onDisc;
        *text = cached->upperText;
    }
    // The file is looked at outside the lock: on a slow medium this waits. It is looked at under
    // the name it was read from, so a repeated search resolves no name again; a file renamed
    // since then gives no stamp and is read anew.
    if (regularFileStamp(onDisc) == stamp)
        return Lookup::Fresh;
    text->clear();
    return Lookup::Stale;
}

std::optional<QByteArray> DescriptionTextCache::readAndKeep(const QString& path,
                                                            const ReadGate& gate, bool* kept)
{
    *kept = false;
    const QString onDisc = onDiscName(path);
    // A file the system holds in memory is read without a turn at the head: the medium is
    // not involved, and the readers need not wait for each other.
    std::optional<RegularFileContent> content = readWholeRegularFileFromMemory(onDisc);
    if (!content) {
        const std::unique_lock<std::mutex> head = gate ? gate() : std::unique_lock<std::mutex>();
        content = readWholeRegularFile(onDisc);
    }
    if (!content) {
        const QWriteLocker lock(&m_lock);
        if (const auto stale = m_entries.constFind(path); stale != m_entries.cend()) {
            m_keptBytes -= stale->upperText.size();
            m_entries.erase(stale);
        }
        return std::nullopt;
    }
    QByteArray upperText = m_toSearchText(content->bytes);
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
        m_entries.insert(path, Entry{content->before, onDisc, upperText});
        *kept = true;
    } else if (old != m_entries.cend()) {
        m_keptBytes -= freed;
        m_entries.erase(old);
    }
    return upperText;
}

QByteArray DescriptionTextCache::upperCasedText(const QString& path, const ReadGate& gate)
{
    if (path.isEmpty())
        return {};
    QByteArray text;
    if (lookUp(path, &text) == Lookup::Fresh)
        return text;
    bool kept = false;
    return readAndKeep(path, gate, &kept).value_or(QByteArray());
}

bool DescriptionTextCache::keepText(const QString& path, const ReadGate& gate)
{
    QByteArray text;
    if (path.isEmpty() || lookUp(path, &text) == Lookup::Fresh)
        return true;
    if (keptBytes() >= m_budgetBytes)
        return false;
    bool kept = false;
    const std::optional<QByteArray> read = readAndKeep(path, gate, &kept);
    // An unreadable file or one that changed while it was read is no reason to stop; a text
    // that did not fit is.
    return kept || !read || keptBytes() + read->size() <= m_budgetBytes;
}

} // namespace quillomat

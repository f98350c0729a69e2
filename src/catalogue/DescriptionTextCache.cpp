#include "catalogue/DescriptionTextCache.h"

#include "catalogue/SearchText.h"
#include "platform/RegularFile.h"
#include "richtext/PlainText.h"

namespace quillomat {

std::optional<QString> descriptionPlainText(const QString& path)
{
    const std::optional<RegularFileContent> content = readWholeRegularFile(path);
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
    const auto cached = m_entries.constFind(path);
    if (cached != m_entries.cend()) {
        if (regularFileStamp(path) == cached->stamp)
            return cached->upperText;
        m_entries.erase(cached);
    }

    const std::optional<RegularFileContent> content = readWholeRegularFile(path);
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

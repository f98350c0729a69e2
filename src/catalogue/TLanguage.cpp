#include "catalogue/TLanguage.h"

namespace quillomat {

void TLanguage::AddText(const QString& key, const QString& text)
{
    const QString line = key + u'=' + text;
    // The key of a line is what stands before its first '=', even if the given key held one.
    const QString lineKey = line.left(line.indexOf(u'=')).toCaseFolded();
    m_firstLineOfKey.insert(lineKey, m_firstLineOfKey.value(lineKey, Texts.size()));
    Texts.append(line);
}

QString TLanguage::FindText(const QString& key) const
{
    const auto found = m_firstLineOfKey.constFind(key.toCaseFolded());
    if (found == m_firstLineOfKey.cend())
        return {};
    const QString& line = Texts.at(*found);
    return line.mid(line.indexOf(u'=') + 1);
}

} // namespace quillomat

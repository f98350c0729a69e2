#include "platform/IniFile.h"

#include "platform/TextDecoding.h"

namespace quillomat {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v' || c == QChar(0xFEFF);
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView withoutSurroundingQuotes(QStringView value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Calls handle(line) for every line; LF, CRLF and CR all end a line.
template <typename Handler> void forEachLine(QStringView text, Handler handle)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        handle(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        handle(text.sliced(start));
}

} // namespace

std::optional<IniFile> IniFile::load(const QString& path)
{
    const auto text = readTextFile(path);
    if (!text)
        return std::nullopt;
    return parse(*text);
}

IniFile IniFile::parse(QStringView text)
{
    IniFile ini;
    Section* current = nullptr;
    forEachLine(text, [&](QStringView rawLine) {
        const QStringView line = trimmedBlanks(rawLine);
        if (line.isEmpty() || line.front() == u';')
            return;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = line.sliced(1, (close < 0 ? line.size() : close) - 1);
            current = &ini.sectionFor(trimmedBlanks(name));
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!current || equals < 0)
            return;
        const QStringView key = trimmedBlanks(line.first(equals));
        if (key.isEmpty())
            return;
        const QStringView value = withoutSurroundingQuotes(trimmedBlanks(line.sliced(equals + 1)));
        current->pairs.append({key.toString(), value.toString()});
    });
    return ini;
}

IniFile::Section& IniFile::sectionFor(QStringView name)
{
    const QString folded = name.toString().toCaseFolded();
    const auto found = m_sectionIndex.constFind(folded);
    if (found != m_sectionIndex.cend())
        return m_sections[*found];
    m_sectionIndex.insert(folded, m_sections.size());
    m_sections.append(Section{name.toString(), {}});
    return m_sections.back();
}

const IniFile::Section* IniFile::findSection(QStringView name) const
{
    const auto found = m_sectionIndex.constFind(name.toString().toCaseFolded());
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[*found];
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

bool IniFile::hasSection(QStringView section) const
{
    return findSection(section) != nullptr;
}

QString IniFile::value(QStringView section, QStringView key, const QString& fallback) const
{
    const Section* found = findSection(section);
    if (!found)
        return fallback;
    for (const KeyValue& pair : found->pairs) {
        if (QStringView(pair.first).compare(key, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return fallback;
}

QList<IniFile::KeyValue> IniFile::sectionPairs(QStringView section) const
{
    const Section* found = findSection(section);
    return found ? found->pairs : QList<KeyValue>{};
}

} // namespace quillomat

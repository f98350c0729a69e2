#include "text/IniFile.h"

#include "text/TextDecoding.h"
#include "text/TextServices.h"

#include <algorithm>

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

bool IniFile::FoldedEqual::operator()(QStringView a, QStringView b) const noexcept
{
    return sameTextIgnoringCase(a, b);
}

std::size_t IniFile::FoldedHash::operator()(QStringView name) const noexcept
{
    // Folds whole code points, as the case-insensitive comparison does, so that names that
    // compare equal always hash alike.
    std::size_t hash = 14695981039346656037ull;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t codePoint = name[i].unicode();
        if (QChar::isHighSurrogate(codePoint) && i + 1 < name.size() &&
            name[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(name[i].unicode(), name[i + 1].unicode());
            ++i;
        }
        // ASCII, nearly every name, folds to lower case; the table lookup is the slow part.
        const char32_t folded =
            codePoint < 0x80 ? asciiLowered(codePoint) : QChar::toCaseFolded(codePoint);
        hash = (hash ^ folded) * 1099511628211ull;
    }
    return hash;
}

std::optional<IniFile> IniFile::load(const QString& path)
{
    auto text = readTextFile(path);
    if (!text)
        return std::nullopt;
    return parseOwned(std::move(*text));
}

IniFile IniFile::parse(QStringView text)
{
    return parseOwned(text.toString());
}

// Follows a file's lines through one or more pieces of its text, each ending at a line break,
// and tells the visitor what they hold.
class IniFile::Walk
{
public:
    Walk(SectionIndex& index, Visitor& visitor) : m_index(index), m_visitor(visitor) {}

    void lines(QStringView text)
    {
        forEachLine(text, [this](QStringView rawLine) { line(trimmedBlanks(rawLine)); });
    }

private:
    void line(QStringView line)
    {
        if (line.isEmpty() || line.front() == u';')
            return;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            sectionHeader(trimmedBlanks(line.sliced(1, (close < 0 ? line.size() : close) - 1)));
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!m_inSection || equals < 0)
            return;
        const QStringView key = trimmedBlanks(line.first(equals));
        if (key.isEmpty())
            return;
        m_visitor.pair(m_current, key,
                       withoutSurroundingQuotes(trimmedBlanks(line.sliced(equals + 1))));
    }

    void sectionHeader(QStringView name)
    {
        auto found = m_index.find(name);
        if (found == m_index.end()) {
            found = m_index.emplace(name.toString(), m_index.size()).first;
            m_visitor.newSection(found->first);
        } else {
            m_visitor.repeatedSection(name);
        }
        m_current = found->second;
        m_inSection = true;
    }

    SectionIndex& m_index;
    Visitor& m_visitor;
    std::size_t m_current = 0;
    bool m_inSection = false;
};

bool IniFile::walk(const QString& path, Visitor& visitor)
{
    SectionIndex index;
    Walk walk(index, visitor);
    return readTextFileInPieces(path, [&walk](QStringView piece) { walk.lines(piece); });
}

IniFile IniFile::parseOwned(QString text)
{
    // Pairs are collected with the number of their section, then grouped by section: a
    // repeated section adds its keys after those it had, so file order holds within each.
    struct Tables : Visitor
    {
        IniFile& ini;
        std::vector<std::size_t> sectionOfPair;
        bool sectionRepeated = false;

        explicit Tables(IniFile& file) : ini(file) {}
        void newSection(const QString& name) override { ini.m_sections.push_back(Section{name}); }
        void repeatedSection(QStringView name) override { ini.m_repeatedSections.push_back(name); }
        void pair(std::size_t section, QStringView key, QStringView value) override
        {
            sectionRepeated |= !sectionOfPair.empty() && section < sectionOfPair.back();
            ini.m_pairs.emplace_back(key, value);
            sectionOfPair.push_back(section);
        }
    };
    IniFile ini;
    ini.m_text = std::move(text);
    Tables tables(ini);
    Walk(ini.m_sectionIndex, tables).lines(ini.m_text);
    std::vector<std::size_t>& sectionOfPair = tables.sectionOfPair;
    const bool sectionRepeated = tables.sectionRepeated;

    if (sectionRepeated) {
        std::vector<std::size_t> order(ini.m_pairs.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return sectionOfPair[a] < sectionOfPair[b];
        });
        std::vector<KeyValue> grouped;
        grouped.reserve(order.size());
        std::vector<std::size_t> groupedSections;
        groupedSections.reserve(order.size());
        for (std::size_t i : order) {
            grouped.push_back(ini.m_pairs[i]);
            groupedSections.push_back(sectionOfPair[i]);
        }
        ini.m_pairs = std::move(grouped);
        sectionOfPair = std::move(groupedSections);
    }
    // Pairs now run section by section in ascending section order: mark each range.
    std::size_t pair = 0;
    for (std::size_t s = 0; s < ini.m_sections.size(); ++s) {
        ini.m_sections[s].firstPair = pair;
        while (pair < sectionOfPair.size() && sectionOfPair[pair] == s)
            ++pair;
        ini.m_sections[s].endPair = pair;
    }
    return ini;
}

const IniFile::Section* IniFile::findSection(QStringView name) const
{
    const auto found = m_sectionIndex.find(name);
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    names.reserve(qsizetype(m_sections.size()));
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
    for (const KeyValue& pair : sectionPairs(section)) {
        if (sameTextIgnoringCase(pair.first, key))
            return pair.second.toString();
    }
    return fallback;
}

std::span<const IniFile::KeyValue> IniFile::sectionPairs(QStringView section) const
{
    const Section* found = findSection(section);
    if (!found)
        return {};
    return std::span<const KeyValue>(m_pairs).subspan(found->firstPair,
                                                      found->endPair - found->firstPair);
}

} // namespace quillomat

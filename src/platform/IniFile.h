#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillomat {

// An INI file read the way disc authors expect from Windows' profile reader:
// - sections keep file order; a repeated section is listed once, at its first place, and adds
//   its keys to it;
// - section and key names match without regard to case; for a repeated key the first counts;
// - blanks around names and values are trimmed, and one pair of surrounding double or single
//   quotes is removed from a value;
// - lines starting with ';' are comments; lines outside a section or without '=' are ignored;
// - LF, CRLF and CR all end a line.
// Unlike the Windows reader nothing is truncated: values and section lists of any length are
// read whole, so a large menu never silently loses packages.
class IniFile
{
public:
    // Views into the file's text: valid as long as the IniFile (or a copy of it) lives.
    using KeyValue = std::pair<QStringView, QStringView>;

    // Reads and decodes the whole file (see decodeText); nullopt when it cannot be read.
    static std::optional<IniFile> load(const QString& path);
    static IniFile parse(QStringView text);

    QStringList sectionNames() const;
    bool hasSection(QStringView section) const;
    QString value(QStringView section, QStringView key, const QString& fallback = {}) const;
    // Every key=value pair of the section in file order, repeated keys included.
    std::span<const KeyValue> sectionPairs(QStringView section) const;
    // Each header of a section met again later in the file, as written there, in file order.
    const std::vector<QStringView>& repeatedSections() const { return m_repeatedSections; }

private:
    struct Section
    {
        QStringView name;
        std::size_t firstPair = 0; // the section's pairs are m_pairs[firstPair, endPair)
        std::size_t endPair = 0;
    };
    // Case-insensitive hashing and equality of names, so that lookups allocate nothing.
    struct FoldedHash
    {
        std::size_t operator()(QStringView name) const noexcept;
    };
    struct FoldedEqual
    {
        bool operator()(QStringView a, QStringView b) const noexcept
        {
            return a.compare(b, Qt::CaseInsensitive) == 0;
        }
    };

    static IniFile parseOwned(QString text);
    const Section* findSection(QStringView name) const;

    QString m_text;
    std::vector<Section> m_sections;
    std::vector<KeyValue> m_pairs;
    std::vector<QStringView> m_repeatedSections;
    std::unordered_map<QStringView, std::size_t, FoldedHash, FoldedEqual> m_sectionIndex;
};

} // namespace quillomat

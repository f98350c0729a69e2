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

    // Receives what a walk over a file finds, in file order, read by the same rules.
    class Visitor
    {
    public:
        virtual ~Visitor() = default;
        // A section met for the first time; sections are numbered from 0 in this order. A copy
        // of the name shares its text with the walk's own.
        virtual void newSection(const QString& name) = 0;
        // A pair of the section with that number (a repeated section keeps its first number).
        virtual void pair(std::size_t section, QStringView key, QStringView value) = 0;
        // A section header met again: its keys join the section of that name.
        virtual void repeatedSection(QStringView /*name*/) {}
    };

    // Reads and decodes the whole file (see decodeText); nullopt when it cannot be read.
    static std::optional<IniFile> load(const QString& path);
    static IniFile parse(QStringView text);
    // Reads the file as load does but keeps no tables, and reads it in pieces: the views passed
    // to the visitor are valid only during the call. For large files. false when unreadable.
    static bool walk(const QString& path, Visitor& visitor);

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
        QString name;
        std::size_t firstPair = 0; // the section's pairs are m_pairs[firstPair, endPair)
        std::size_t endPair = 0;
    };
    // Case-insensitive hashing and equality of names, so that lookups allocate nothing.
    struct FoldedHash
    {
        using is_transparent = void;
        std::size_t operator()(QStringView name) const noexcept;
    };
    struct FoldedEqual
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept;
    };

    // Owns its names: a walk in pieces outlives the text each name was read from.
    using SectionIndex = std::unordered_map<QString, std::size_t, FoldedHash, FoldedEqual>;
    class Walk;

    static IniFile parseOwned(QString text);
    const Section* findSection(QStringView name) const;

    QString m_text;
    std::vector<Section> m_sections;
    std::vector<KeyValue> m_pairs;
    std::vector<QStringView> m_repeatedSections;
    SectionIndex m_sectionIndex;
};

} // namespace quillomat

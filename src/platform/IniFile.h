#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

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
    using KeyValue = std::pair<QString, QString>;

    // Reads and decodes the whole file (see decodeText); nullopt when it cannot be read.
    static std::optional<IniFile> load(const QString& path);
    static IniFile parse(QStringView text);

    QStringList sectionNames() const;
    bool hasSection(QStringView section) const;
    QString value(QStringView section, QStringView key, const QString& fallback = {}) const;
    // Every key=value pair of the section in file order, repeated keys included.
    QList<KeyValue> sectionPairs(QStringView section) const;

private:
    struct Section
    {
        QString name;
        QList<KeyValue> pairs;
    };

    const Section* findSection(QStringView name) const;
    Section& sectionFor(QStringView name);

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // case-folded name -> position in m_sections
};

} // namespace quillomat

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace quillomat {

enum class Severity
{
    Error,   // the disc will fail for its users as it is
    Warning, // may be intended, or works here but may fail elsewhere
};

// One thing a disc author should know: in which file, section (a package, a language, the skin)
// and key, and why. Key is empty for what concerns a whole section.
struct Finding
{
    Severity severity = Severity::Error;
    QString file;
    QString section;
    QString key;
    QString message;
};

// The findings of one check, in the order they were found.
class Report
{
public:
    // Everything reported from here on concerns this file.
    void setFile(const QString& file) { m_file = file; }
    void add(Severity severity, const QString& section, const QString& key, const QString& message);
    void error(const QString& section, const QString& key, const QString& message)
    {
        add(Severity::Error, section, key, message);
    }
    void warning(const QString& section, const QString& key, const QString& message)
    {
        add(Severity::Warning, section, key, message);
    }

    const std::vector<Finding>& findings() const { return m_findings; }
    qsizetype count(Severity severity) const;

    // What the check assumed that the reader needs to judge the findings (such as what a drive
    // letter was taken for), shown with the count.
    void addNote(const QString& note) { m_notes.append(note); }
    const QStringList& notes() const { return m_notes; }

private:
    QString m_file;
    std::vector<Finding> m_findings;
    QStringList m_notes;
};

} // namespace quillomat

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace quillomat {

// One language of the language file: its name and its texts as "key=text" lines in file order.
class TLanguage
{
public:
    explicit TLanguage(const QString& name) : Name(name) {}

    // Appends "key=text" without looking for an existing line of that key.
    void AddText(const QString& key, const QString& text);
    // The text after the first '=' of the first line whose key equals the given one without
    // regard to case; empty when there is none.
    QString FindText(const QString& key) const;

    QString Name;
    QStringList Texts;

private:
    // Case-folded key -> index of its first line in Texts, so lookups need no scan.
    QHash<QString, qsizetype> m_firstLineOfKey;
};

} // namespace quillomat

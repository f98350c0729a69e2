#pragma once

#include <QString>
#include <QStringView>

namespace quillomat {

// A few texts kept in one string, each under a small slot number: one allocation where there
// would otherwise be one per text. Each text is stored as its slot, its length and its
// characters, so any character, a NUL included, may be part of a text.
class PackedTexts
{
public:
    // Adds a text under a slot; an empty text adds nothing. The first text of a slot counts.
    void append(int slot, QStringView text);
    // Makes room for texts of this many characters in all, so that appending does not move;
    // nothing for none.
    void reserve(qsizetype characters);
    // The first text stored under the slot; empty when there is none.
    QStringView text(int slot) const;

private:
    static constexpr qsizetype kEntryHeader = 3; // the slot and the length in two halves
    QString m_packed;
};

} // namespace quillomat

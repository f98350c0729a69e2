#pragma once

#include <QString>

// Text comparisons the catalogue relies on, in one place so that every caller agrees.
namespace quillomat {

// Upper case by Qt's full Unicode case mapping, character by character and the same in every
// locale (no language's special rules), used for grouping keys and the keyword search.
inline QString upperCased(const QString& text)
{
    return text.toUpper();
}

// An ASCII code point in lower case; what case folding gives for ASCII.
constexpr char32_t asciiLowered(char32_t c)
{
    return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
}

// Equality without regard to case (language keys, INI names, the header section).
inline bool sameTextIgnoringCase(QStringView a, QStringView b)
{
    // Case folding maps each code point to one in the same plane, so texts of different
    // lengths differ. Names are nearly always ASCII, which is compared here directly: Qt's
    // general comparison costs much more, and a menu file has many names.
    if (a.size() != b.size())
        return false;
    qsizetype i = 0;
    for (; i < a.size() && a[i].unicode() < 0x80 && b[i].unicode() < 0x80; ++i) {
        if (asciiLowered(a[i].unicode()) != asciiLowered(b[i].unicode()))
            return false;
    }
    return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) == 0;
}

} // namespace quillomat

#pragma once

#include <QString>

// Text comparisons the catalogue relies on, in one place so that every caller agrees.
namespace quillomat {

// Locale-aware upper-casing, used for grouping keys and the keyword search.
inline QString upperCased(const QString& text)
{
    return text.toUpper();
}

// Equality without regard to case (language keys, INI names, the header section).
inline bool sameTextIgnoringCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Exact equality, code unit for code unit.
inline bool sameTextExactly(QStringView a, QStringView b)
{
    return a == b;
}

} // namespace quillomat

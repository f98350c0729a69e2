#include "platform/FontSubstitutes.h"

namespace quillomat {

std::vector<FontSubstitute> windowsFontSubstitutes()
{
    // Where a family is missing (bitmap fonts left out, Wine, RTF texts written on other
    // systems naming Helvetica or Times), the TrueType families of the same widths that every
    // Windows has take its place.
    const QStringList sans{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                           QStringLiteral("Tahoma")};
    const QStringList serif{QStringLiteral("Times New Roman")};
    std::vector<FontSubstitute> substitutes;
    for (const char* family : {"MS Sans Serif", "Helvetica"})
        substitutes.push_back({QString::fromLatin1(family), sans});
    for (const char* family : {"MS Serif", "Times"})
        substitutes.push_back({QString::fromLatin1(family), serif});
    return substitutes;
}

} // namespace quillomat

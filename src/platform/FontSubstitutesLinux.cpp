#include "platform/FontSubstitutes.h"

namespace quillomat {

std::vector<FontSubstitute> windowsFontSubstitutes()
{
    // Liberation and Nimbus share the widths of the Windows core fonts; DejaVu is the last
    // resort that every Debian desktop has.
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                            QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    std::vector<FontSubstitute> substitutes;
    for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Helvetica"})
        substitutes.push_back({QString::fromLatin1(family), sans});
    for (const char* family : {"MS Serif", "Times New Roman", "Times"})
        substitutes.push_back({QString::fromLatin1(family), serif});
    return substitutes;
}

} // namespace quillomat

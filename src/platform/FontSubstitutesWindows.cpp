#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace quillomat {

void installWindowsFontSubstitutes()
{
    // Where a family is missing (bitmap fonts left out, Wine, RTF texts written on other
    // systems naming Helvetica or Times), the TrueType families of the same widths that every
    // Windows has take its place.
    const QStringList sans{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                           QStringLiteral("Tahoma")};
    const QStringList serif{QStringLiteral("Times New Roman")};
    for (const char* family : {"MS Sans Serif", "Helvetica"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    for (const char* family : {"MS Serif", "Times"})
        QFont::insertSubstitutions(QString::fromLatin1(family), serif);
}

} // namespace quillomat

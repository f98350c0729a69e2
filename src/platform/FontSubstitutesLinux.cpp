#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace quillomat {

void installWindowsFontSubstitutes()
{
    // Liberation and Nimbus share the widths of the Windows core fonts; DejaVu is the last
    // resort that every Debian desktop has.
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                            QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Helvetica"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
    for (const char* family : {"MS Serif", "Times New Roman", "Times"})
        QFont::insertSubstitutions(QString::fromLatin1(family), serif);
}

} // namespace quillomat

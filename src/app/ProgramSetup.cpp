#include "app/ProgramSetup.h"

#include "platform/FontSubstitutes.h"

#include <QApplication>
#include <QFont>

namespace quillomat {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillomat"));
    for (const FontSubstitute& substitute : windowsFontSubstitutes())
        QFont::insertSubstitutions(substitute.family, substitute.substitutes);
}

} // namespace quillomat

#include "app/ProgramSetup.h"

#include "platform/FontSubstitutes.h"

#include <QApplication>

namespace quillomat {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillomat"));
    installWindowsFontSubstitutes();
}

} // namespace quillomat

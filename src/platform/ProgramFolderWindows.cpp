#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace quillomat {

QString programFilePath()
{
    return QCoreApplication::applicationFilePath();
}

void useOwnPlugins()
{
    // The Windows program has its plugins built in.
}

} // namespace quillomat

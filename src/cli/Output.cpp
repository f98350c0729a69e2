#include "cli/Output.h"

#include <cstdio>

namespace quillomat {

void writeOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeError(const QString& message)
{
    const QByteArray bytes = (message + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

} // namespace quillomat

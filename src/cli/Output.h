#pragma once

#include <QByteArray>
#include <QString>

namespace quillomat {

// The tool's output: bytes as they are to stdout, messages as UTF-8 lines to stderr.
void writeOut(const QByteArray& bytes);
void writeError(const QString& message);

} // namespace quillomat

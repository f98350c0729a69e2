#include "platform/FileReading.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace quillomat {

bool isRegularFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

std::optional<QByteArray> readRegularFile(const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!isRegularFile(path)) {
        return fail(QFileInfo::exists(path)
                        ? QCoreApplication::translate("quillomat", "Not a regular file")
                        : QCoreApplication::translate("quillomat", "No such file"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return bytes;
}

} // namespace quillomat

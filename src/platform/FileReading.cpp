#include "platform/FileReading.h"

#include "platform/RegularFile.h"

namespace quillomat {

bool isRegularFile(const QString& path)
{
    return regularFileStamp(path).has_value();
}

std::optional<QByteArray> readRegularFile(const QString& path, QString* error)
{
    std::optional<RegularFileContent> content = readWholeRegularFile(path, error);
    if (!content)
        return std::nullopt;
    return std::move(content->bytes);
}

} // namespace quillomat

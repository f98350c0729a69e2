#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quillomat {

// Decodes the bytes of an INI or plain-text file: UTF-8 with or without a byte-order mark,
// UTF-16 with a byte-order mark, otherwise Windows-1252 (the code page of old discs) whenever
// the bytes are not valid UTF-8.
QString decodeText(QByteArrayView bytes);

// Windows-1252 to Unicode. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, as Windows itself does.
QString decodeWindows1252(QByteArrayView bytes);

// Reads a whole file and decodes it with decodeText; nullopt when the file cannot be read.
std::optional<QString> readTextFile(const QString& path);

} // namespace quillomat

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace quillomat {

// Decodes the bytes of an INI or plain-text file: UTF-16 with a byte-order mark, or without one
// when every second byte of the first line or so is zero; otherwise UTF-8 (with or without a
// byte-order mark) wherever the bytes form it, and Windows-1252 (the code page of old discs)
// for each byte that does not. A file edited in both encodings thus keeps its letters, and a
// file without any multi-byte UTF-8 sequence reads wholly as Windows-1252.
QString decodeText(QByteArrayView bytes);

// Windows-1252 to Unicode. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, as Windows itself does.
QString decodeWindows1252(QByteArrayView bytes);

// Reads a whole file and decodes it with decodeText; nullopt when the file cannot be read.
std::optional<QString> readTextFile(const QString& path);

// Reads a file as readTextFile does, but hands its text to `consume` in pieces that each end
// with a line break (the last one wherever the file ends), so that a large file is never in
// memory whole. The pieces joined are readTextFile's text. false when the file cannot be read.
bool readTextFileInPieces(const QString& path, const std::function<void(QStringView)>& consume);

} // namespace quillomat

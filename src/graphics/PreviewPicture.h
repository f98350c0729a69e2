#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace quillomat {

// Pictures larger than this are refused before decoding: a preview shows a screenful, and a
// forged header must not make the decoder allocate gigabytes.
inline constexpr int kMaxPreviewSide = 16384;
// 128 MiB at 32 bits per pixel: the same bound as QImageReader's default allocation limit,
// which is process-wide and therefore left alone here.
inline constexpr qint64 kMaxPreviewPixels = 32 * 1024 * 1024;

// Loads a preview picture with the decoder its extension names: ".bmp" a BMP, ".jpg" or ".jpeg"
// a JPEG, compared without regard to case (discs with ISO 9660 names carry ".BMP" and ".JPG").
// The extension is the last path component from its last dot. Any other extension, a missing,
// unreadable, broken or oversized picture gives nullopt and, when `why` is given, a reason in
// English for the log or a debugger (the user is shown the language's own text).
std::optional<QImage> loadPreviewPicture(const QString& path, QString* why = nullptr);

// Reads a file as a BMP picture whatever its name or content says, as the skin's background is
// read; nullopt when it is missing or not a BMP that Qt can read.
std::optional<QImage> loadBmpPicture(const QString& path);

} // namespace quillomat

#pragma once

// Windows only: the conversions the Windows side of the platform layer shares.

#include <QDir>
#include <QString>

#include <string>

namespace quillomat {

// A path as the wide-character Windows API takes it: backslashes, UTF-16.
inline std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// A path for the file functions (CreateFileW, FindFirstFileW). Beyond MAX_PATH they need the
// extended-length form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which Windows takes
// as it stands: absolute, with "." and ".." already gone.
inline std::wstring fileApiPath(const QString& path)
{
    constexpr qsizetype kShortEnough = 248; // MAX_PATH less room for a file name of 8.3
    const QString written = QDir::fromNativeSeparators(path);
    if (written.size() < kShortEnough || written.startsWith(QStringLiteral("//?/")))
        return nativePath(path);
    const QString clean = QDir::cleanPath(written);
    if (clean.startsWith(QStringLiteral("//")))
        return (QStringLiteral("\\\\?\\UNC\\") + QDir::toNativeSeparators(clean.mid(2)))
            .toStdWString();
    if (clean.size() > 2 && clean[1] == u':' && clean[2] == u'/')
        return (QStringLiteral("\\\\?\\") + QDir::toNativeSeparators(clean)).toStdWString();
    return nativePath(path); // relative: as short as Windows can take it
}

// The system's own description of a Windows error code.
inline QString systemMessage(unsigned long code)
{
    return qt_error_string(int(code));
}

} // namespace quillomat

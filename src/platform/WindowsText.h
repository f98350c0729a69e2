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

// The system's own description of a Windows error code.
inline QString systemMessage(unsigned long code)
{
    return qt_error_string(int(code));
}

} // namespace quillomat

#pragma once

#include "platform/RegularFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

namespace quillomat {

// The plain text of a description file as the keyword search sees it: the text of an RTF file
// (recognised by its content) or the decoded text of any other file; nullopt when the file
// cannot be read or is not a regular file.
std::optional<QString> descriptionPlainText(const QString& path);

// Upper-cased plain texts of description files, as UTF-8 (see SearchText.h), kept between
// searches so that a repeated search reads no unchanged file again. An entry is reused only
// while the file's size, modification time, change time and identity are what they were when
// it was read; the result therefore always equals a fresh read of the file.
class DescriptionTextCache
{
public:
    // Turns the bytes of a description file into its plain text.
    using Converter = std::function<QString(QByteArrayView bytes)>;

    DescriptionTextCache();
    explicit DescriptionTextCache(Converter converter);

    // Empty for an empty path and for a file that is missing, unreadable or not a regular file
    // (a device or a pipe is never read: it might never end).
    QByteArray upperCasedText(const QString& path);

    qsizetype entryCount() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

private:
    struct Entry
    {
        FileStamp stamp;
        QByteArray upperText;
    };

    Converter m_converter;
    QHash<QString, Entry> m_entries;
};

} // namespace quillomat

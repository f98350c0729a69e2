#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quillomat {

// True when the bytes are RTF: "{\rtf" at the start, after an optional UTF-8 byte-order mark
// and white space.
bool looksLikeRtf(QByteArrayView bytes);

// The text of an RTF document: paragraphs and line breaks end in '\n', tabs and table cells
// are separated by '\t', table rows end in '\n'. Input that is not RTF is decoded as a plain
// text file (decodeText). Never fails: damaged RTF gives the text that could be read.
QString rtfToPlainText(QByteArrayView bytes);

// upperCasedUtf8(rtfToPlainText(bytes)), the text as the keyword search compares it, made
// without the detour through UTF-16 for the ASCII runs that are most of a description.
QByteArray upperCasedPlainText(QByteArrayView bytes);

// rtfToPlainText's text, with what a checker wants to know of the bytes besides.
struct PlainTextReading
{
    QString text;
    bool isRtf = false;
    bool cutShort = false; // RTF that ends inside an open group: its end is missing
};
PlainTextReading readPlainText(QByteArrayView bytes);

// The plain text of a description file, RTF recognised by its content; nullopt when the file
// cannot be read.
std::optional<QString> plainTextOfFile(const QString& path);

} // namespace quillomat

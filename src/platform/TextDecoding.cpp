#include "platform/TextDecoding.h"

#include "platform/FileReading.h"

#include <QStringDecoder>

#include <array>

namespace quillomat {
namespace {

// Unicode code points of the bytes 0x80 to 0x9F in Windows-1252; the rest is Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> prefix)
{
    if (bytes.size() < qsizetype(prefix.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char c : prefix) {
        if (static_cast<unsigned char>(bytes[i++]) != c)
            return false;
    }
    return true;
}

std::optional<QString> decodeStrictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte <= 0x9F) ? kWindows1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

QString decodeText(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return decodeStrictly(QStringConverter::Utf8, bytes.sliced(3))
            .value_or(decodeWindows1252(bytes.sliced(3)));
    if (startsWith(bytes, {0xFF, 0xFE}))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.sliced(2));
    if (startsWith(bytes, {0xFE, 0xFF}))
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.sliced(2));
    if (auto utf8 = decodeStrictly(QStringConverter::Utf8, bytes))
        return *utf8;
    return decodeWindows1252(bytes);
}

std::optional<QString> readTextFile(const QString& path)
{
    const auto bytes = readRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

} // namespace quillomat

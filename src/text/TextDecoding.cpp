#include "text/TextDecoding.h"

#include "platform/RegularFile.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace quillomat {
namespace {

// How many bytes at the start of a file tell its encoding: a few lines of an INI file.
constexpr qsizetype kEncodingProbeBytes = 128;

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
    // A byte-order mark is the caller's to remove: one met here is text like any other, so that
    // pieces of a file decode to the same text as the whole.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless |
                                         QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

char16_t windows1252Unit(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? kWindows1252High[byte - 0x80] : char16_t(byte);
}

// The length of the well-formed UTF-8 sequence that starts at `at` (Unicode's table of
// well-formed byte sequences: no overlong forms, no surrogates, nothing above U+10FFFF), or 0.
int utf8SequenceLength(const unsigned char* at, const unsigned char* end)
{
    const unsigned char lead = at[0];
    int length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        else if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        else if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (end - at < length || at[1] < secondLow || at[1] > secondHigh)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (at[i] < 0x80 || at[i] > 0xBF)
            return 0;
    }
    return length;
}

// UTF-8 where the bytes form it, Windows-1252 for each byte that does not. Bytes without any
// well-formed multi-byte sequence therefore read exactly as Windows-1252.
QString decodeMixed(QByteArrayView bytes)
{
    // Each sequence gives no more UTF-16 units than it has bytes.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const char16_t* const first = out;
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (at < end) {
        // Runs of ASCII, the bulk of any menu, eight bytes at a time.
        while (end - at >= 8) {
            std::uint64_t block;
            std::memcpy(&block, at, sizeof block);
            if (block & 0x8080808080808080u)
                break;
            for (int i = 0; i < 8; ++i)
                out[i] = at[i];
            at += 8;
            out += 8;
        }
        if (at == end)
            break;
        if (*at < 0x80) {
            *out++ = *at++;
            continue;
        }
        const int length = utf8SequenceLength(at, end);
        if (length == 0) {
            *out++ = windows1252Unit(*at++);
            continue;
        }
        const char32_t lowBits[] = {0, 0, 0x1F, 0x0F, 0x07};
        char32_t code = at[0] & lowBits[length];
        for (int i = 1; i < length; ++i)
            code = (code << 6) | (at[i] & 0x3F);
        at += length;
        if (code >= 0x10000) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = char16_t(code);
        }
    }
    text.truncate(out - first);
    return text;
}

// Whole files in UTF-8 are the common case, and the library's decoder is much faster for them.
QString decodeUtf8(QByteArrayView bytes)
{
    if (auto utf8 = decodeStrictly(QStringConverter::Utf8, bytes))
        return *utf8;
    return decodeMixed(bytes);
}

// UTF-16 without a byte-order mark, as some Windows editors save it: in the first line or so
// every second byte is zero and the others are not.
std::optional<QStringConverter::Encoding> utf16WithoutMark(QByteArrayView bytes)
{
    const qsizetype size = std::min(bytes.size(), kEncodingProbeBytes) & ~qsizetype(1);
    if (size < 4)
        return std::nullopt;
    bool lowZero = true, highZero = true; // zero at every even / odd position
    bool lowSet = true, highSet = true;   // non-zero at every even / odd position
    for (qsizetype i = 0; i < size; i += 2) {
        (bytes[i] == 0 ? lowSet : lowZero) = false;
        (bytes[i + 1] == 0 ? highSet : highZero) = false;
    }
    if (highZero && lowSet)
        return QStringConverter::Utf16LE;
    if (lowZero && highSet)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// The UTF-16 variant of text that starts with these bytes; nullopt for 8-bit text.
std::optional<QStringConverter::Encoding> utf16Encoding(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return std::nullopt;
    if (startsWith(bytes, {0xFF, 0xFE}))
        return QStringConverter::Utf16LE;
    if (startsWith(bytes, {0xFE, 0xFF}))
        return QStringConverter::Utf16BE;
    return utf16WithoutMark(bytes);
}

QByteArrayView withoutUtf8Mark(QByteArrayView bytes)
{
    return startsWith(bytes, {0xEF, 0xBB, 0xBF}) ? bytes.sliced(3) : bytes;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = windows1252Unit(byte);
    }
    return text;
}

QString decodeText(QByteArrayView bytes)
{
    if (const auto utf16 = utf16Encoding(bytes)) {
        const bool marked = startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF});
        return QStringDecoder(*utf16).decode(bytes.sliced(marked ? 2 : 0));
    }
    return decodeUtf8(withoutUtf8Mark(bytes));
}

std::optional<QString> readTextFile(const QString& path)
{
    const auto bytes = readRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

bool readTextFileInPieces(const QString& path, const std::function<void(QStringView)>& consume)
{
    constexpr qsizetype kBlockBytes = 1 << 20;
    enum class Kind
    {
        Undecided,
        EightBit,
        Utf16
    };
    Kind kind = Kind::Undecided;
    QByteArray pending; // bytes read but not yet decoded
    bool atStart = true;
    // Decodes what is pending up to its last line break (everything, at the end). A line break
    // byte is never part of a multi-byte sequence, so each piece decodes as it would in the
    // whole.
    const auto decodePending = [&](bool atEnd) {
        qsizetype end = pending.size();
        if (!atEnd) {
            const auto* first = pending.constData();
            const auto* last = first + pending.size();
            while (last != first && last[-1] != '\n' && last[-1] != '\r')
                --last;
            end = last - first;
        }
        if (end == 0)
            return;
        QByteArrayView piece(pending.constData(), end);
        if (std::exchange(atStart, false))
            piece = withoutUtf8Mark(piece);
        consume(decodeUtf8(piece));
        pending.remove(0, end);
    };
    const bool read = readRegularFileInBlocks(path, kBlockBytes, [&](QByteArrayView block) {
        pending.append(block);
        if (kind == Kind::Undecided) {
            if (pending.size() < kEncodingProbeBytes)
                return;
            kind = utf16Encoding(pending) ? Kind::Utf16 : Kind::EightBit;
        }
        if (kind == Kind::EightBit)
            decodePending(false);
    });
    if (!read)
        return false;
    if (kind == Kind::Undecided)
        kind = utf16Encoding(pending) ? Kind::Utf16 : Kind::EightBit;
    // UTF-16 takes no more room as text than as bytes: it is decoded whole.
    if (kind == Kind::Utf16)
        consume(decodeText(pending));
    else
        decodePending(true);
    return true;
}

} // namespace quillomat

#include "text/UpperCasedUtf8.h"

#include <QString>

#include <algorithm>
#include <array>
#include <utility>

namespace quillomat {
namespace {

// Most letters of U+0080 to U+00FF map to the letter 0x20 below; the sharp s grows to "SS",
// the micro sign and y with diaeresis leave Latin-1, the division sign has no case.
constexpr std::array<std::array<char, 2>, 128> makeLatin1Upper()
{
    std::array<std::array<char, 2>, 128> table{};
    for (int c = 0x80; c <= 0xFF; ++c) {
        int upper = c;
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            upper = c - 0x20;
        else if (c == 0xB5)
            upper = 0x39C;
        else if (c == 0xFF)
            upper = 0x178;
        table[c - 0x80] =
            c == 0xDF ? std::array<char, 2>{'S', 'S'}
                      : std::array<char, 2>{char(0xC0 | (upper >> 6)), char(0x80 | (upper & 0x3F))};
    }
    return table;
}

// The position of the first byte above 0x7F from k on, size when there is none.
qsizetype nextNonAscii(const unsigned char* data, qsizetype k, qsizetype size)
{
    for (; k + 8 <= size; k += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + k, 8);
        if (word & 0x8080808080808080)
            break;
    }
    while (k < size && data[k] < 0x80)
        ++k;
    return k;
}

} // namespace

const std::array<std::array<char, 2>, 128> UpperCasedUtf8Builder::kLatin1Upper = makeLatin1Upper();

QByteArray upperCasedUtf8(QStringView text)
{
    // Most texts are ASCII with a few Latin-1 letters: convert first (Qt does that with vector
    // instructions), then upper-case the bytes in place, which keeps their number.
    QByteArray bytes = text.toUtf8();
    char* data = bytes.data();
    const qsizetype size = bytes.size();
    if (!UpperCasedUtf8Builder::copyUpperCasingAscii(data, data, size))
        return bytes;
    const auto* unsignedData = reinterpret_cast<const unsigned char*>(data);
    for (qsizetype k = 0; k < size; k += 2) {
        k = nextNonAscii(unsignedData, k, size);
        if (k == size)
            break;
        const unsigned char lead = unsignedData[k];
        if (k + 1 >= size || (lead != 0xC2 && lead != 0xC3)) {
            UpperCasedUtf8Builder general;
            general.append(text);
            return general.take();
        }
        const int c = ((lead & 0x1F) << 6) | (unsignedData[k + 1] & 0x3F);
        std::memcpy(data + k, UpperCasedUtf8Builder::kLatin1Upper[c - 0x80].data(), 2);
    }
    return bytes;
}

void UpperCasedUtf8Builder::reserve(qsizetype bytes)
{
    if (bytes > m_bytes.size()) {
        m_bytes.resize(bytes);
        m_data = m_bytes.data();
    }
}

void UpperCasedUtf8Builder::grow(qsizetype bytes)
{
    reserve(std::max(m_size + bytes, m_bytes.size() * 2 + 64));
}

void UpperCasedUtf8Builder::append(QStringView text)
{
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        if (in[i] < 0x100) {
            append(in[i++]);
            continue;
        }
        // Any other run of characters through Qt's full mapping.
        qsizetype end = i + 1;
        while (end < size && in[end] >= 0x100)
            ++end;
        const QByteArray run = text.sliced(i, end - i).toString().toUpper().toUtf8();
        std::memcpy(room(run.size()), run.constData(), std::size_t(run.size()));
        m_size += run.size();
        i = end;
    }
}

QByteArray UpperCasedUtf8Builder::take()
{
    m_bytes.resize(m_size);
    m_data = nullptr;
    m_size = 0;
    return std::exchange(m_bytes, QByteArray());
}

} // namespace quillomat

#include "catalogue/SearchText.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillomat {
namespace {

// Eight bytes at a time: a 64-bit word with 1 in every byte, and with 0x80 in every byte.
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Any text: ASCII and Latin-1 by hand, every other run of characters through QString::toUpper.
QByteArray upperCasedByRuns(QStringView text)
{
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    QByteArray out(size, Qt::Uninitialized);
    char* data = out.data();
    qsizetype used = 0;
    // Room for a piece of the given length plus one byte for each unit still to come, which
    // is all the ASCII runs need.
    const auto makeRoom = [&](qsizetype pieceBytes, qsizetype unitsLeft) {
        const qsizetype needed = used + pieceBytes + unitsLeft;
        if (needed > out.size()) {
            out.resize(std::max(needed, out.size() + out.size() / 2));
            data = out.data();
        }
    };

    for (qsizetype i = 0; i < size;) {
        qsizetype end = i;
        while (end < size && in[end] < 0x80)
            ++end;
        char* ascii = data + used;
        for (qsizetype k = i; k < end; ++k) {
            const char16_t c = in[k];
            ascii[k - i] = char(char16_t(c - u'a') < 26 ? c - (u'a' - u'A') : c);
        }
        used += end - i;
        i = end;
        if (i == size)
            break;

        const char16_t c = in[i];
        if (c <= 0xFF && c != 0xDF) {
            // Latin-1 letters map to one character (only the sharp s grows), below U+0800.
            const char32_t upper = QChar::toUpper(char32_t(c));
            makeRoom(2, size - i - 1);
            data[used++] = char(0xC0 | (upper >> 6));
            data[used++] = char(0x80 | (upper & 0x3F));
            ++i;
            continue;
        }
        while (end < size && in[end] >= 0x80)
            ++end;
        const QByteArray run = text.sliced(i, end - i).toString().toUpper().toUtf8();
        makeRoom(run.size(), size - end);
        std::memcpy(data + used, run.constData(), std::size_t(run.size()));
        used += run.size();
        i = end;
    }
    out.resize(used);
    return out;
}

// Upper-cases the ASCII letters of the bytes, eight at a time; true when a byte above 0x7F was
// seen. Bytes above 0x7F stay as they are.
bool upperCaseAsciiInPlace(unsigned char* data, qsizetype size)
{
    std::uint64_t seen = 0;
    qsizetype k = 0;
    for (; k + 8 <= size; k += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + k, 8);
        seen |= word;
        const std::uint64_t low7 = word & ~kHighBits;
        const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kEveryByte;   // bit 7 set where >= 'a'
        const std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kEveryByte; // bit 7 set where > 'z'
        const std::uint64_t lower = atLeastA & ~aboveZ & ~word & kHighBits;
        word ^= lower >> 2; // 0x80 >> 2 is the 0x20 between the cases
        std::memcpy(data + k, &word, 8);
    }
    for (; k < size; ++k) {
        const unsigned char b = data[k];
        seen |= b;
        data[k] = (unsigned char)(b - 'a') < 26 ? b - ('a' - 'A') : b;
    }
    return (seen & kHighBits) != 0;
}

// The position of the first byte above 0x7F from k on, size when there is none.
qsizetype nextNonAscii(const unsigned char* data, qsizetype k, qsizetype size)
{
    for (; k + 8 <= size; k += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + k, 8);
        if (word & kHighBits)
            break;
    }
    while (k < size && data[k] < 0x80)
        ++k;
    return k;
}

} // namespace

QByteArray upperCasedUtf8(QStringView text)
{
    // Most descriptions are ASCII with a few Latin-1 letters: convert first (Qt does that with
    // vector instructions), then upper-case the bytes in place, which keeps their number.
    QByteArray bytes = text.toUtf8();
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    if (!upperCaseAsciiInPlace(data, size))
        return bytes;
    for (qsizetype k = 0; k < size; ++k) {
        k = nextNonAscii(data, k, size);
        if (k == size)
            break;
        if (k + 1 >= size || (data[k] != 0xC2 && data[k] != 0xC3))
            return upperCasedByRuns(text);
        unsigned char& second = data[++k];
        if (data[k - 1] == 0xC2) {
            if (second == 0xB5) { // micro sign -> capital mu
                data[k - 1] = 0xCE;
                second = 0x9C;
            }
        } else if (second == 0x9F) { // sharp s -> SS
            data[k - 1] = 'S';
            second = 'S';
        } else if (second == 0xBF) { // y with diaeresis -> U+0178
            data[k - 1] = 0xC5;
            second = 0xB8;
        } else if (second >= 0xA0 && second != 0xB7) { // a grave .. thorn, not the division sign
            second -= 0x20;
        }
    }
    return bytes;
}

bool containsBytes(QByteArrayView haystack, QByteArrayView needle)
{
    const char* h = haystack.data();
    const auto n = std::size_t(haystack.size());
    const char* k = needle.data();
    const auto m = std::size_t(needle.size());
    if (m == 0)
        return true;
    if (m > n)
        return false;
    if (m == 1)
        return std::memchr(h, k[0], n) != nullptr;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen positions at a time, keeping those where both the first and the last byte of
    // the needle match; only they are compared in full. Much faster than memmem on text.
    const __m128i first = _mm_set1_epi8(k[0]);
    const __m128i last = _mm_set1_epi8(k[m - 1]);
    for (; i + m - 1 + 16 <= n; i += 16) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
        auto candidates = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
        while (candidates) {
            const int offset = __builtin_ctz(candidates);
            if (std::memcmp(h + i + offset + 1, k + 1, m - 2) == 0)
                return true;
            candidates &= candidates - 1;
        }
    }
#endif
    // The rest (all of it without SSE2) in the standard way, which every system has.
    return n - i >= m &&
           std::string_view(h + i, n - i).find(std::string_view(k, m)) != std::string_view::npos;
}

} // namespace quillomat

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>
#include <cstdint>
#include <cstring>

namespace quillomat {

// Upper-cased UTF-8 is the form in which the keyword search compares texts: a substring of
// UTF-8 is exactly a substring of the characters, and the bytes take half the memory of
// UTF-16. Upper-casing maps each character on its own (Qt's full mapping, so "ß" gives "SS"),
// without regard to language or to the characters around it: a text upper-cased in pieces
// gives the same bytes as the whole.

// The same bytes as text.toUpper().toUtf8(), in one pass over a text that is mostly ASCII.
QByteArray upperCasedUtf8(QStringView text);

// Builds upper-cased UTF-8 from the short pieces a reader produces one after another, without
// a call into Qt for the ASCII runs and Latin-1 letters that most texts are made of.
class UpperCasedUtf8Builder
{
public:
    void reserve(qsizetype bytes);
    // Bytes that are all ASCII (below 0x80).
    void appendAscii(QByteArrayView ascii)
    {
        char* to = room(ascii.size());
        copyUpperCasingAscii(ascii.data(), to, ascii.size());
        m_size += ascii.size();
    }
    void append(char16_t ch)
    {
        if (ch < 0x80) {
            const char c = char(ch);
            return appendAscii(QByteArrayView(&c, 1));
        }
        if (ch <= 0xFF)
            return appendLatin1Letter(ch);
        append(QStringView(&ch, 1));
    }
    void append(QStringView text);

    // Room for the given number of bytes after the text, to be written directly; commit then
    // adds those written to the text.
    char* room(qsizetype bytes)
    {
        if (m_size + bytes > m_bytes.size())
            grow(bytes);
        return m_data + m_size;
    }
    void commit(qsizetype bytes) { m_size += bytes; }

    bool isEmpty() const { return m_size == 0; }
    QByteArrayView view() const { return QByteArrayView(m_data, m_size); }
    void clear() { m_size = 0; }
    QByteArray take();

    // Copies size bytes with their ASCII letters upper-cased, eight at a time; bytes above 0x7F
    // are copied as they are. `from` and `to` may be the same place. True when a byte above 0x7F
    // was seen.
    static bool copyUpperCasingAscii(const char* from, char* to, qsizetype size)
    {
        std::uint64_t seen = 0;
        qsizetype k = 0;
        for (; k + 8 <= size; k += 8) {
            std::uint64_t word;
            std::memcpy(&word, from + k, 8);
            seen |= word;
            word = upperCasedAsciiWord(word);
            std::memcpy(to + k, &word, 8);
        }
        for (; k < size; ++k) {
            const auto b = static_cast<unsigned char>(from[k]);
            seen |= b;
            to[k] = char(static_cast<unsigned char>(b - 'a') < 26 ? b - ('a' - 'A') : b);
        }
        return (seen & kHighBits) != 0;
    }

    // The upper-cased UTF-8 of each character from U+0080 to U+00FF: always two bytes.
    static const std::array<std::array<char, 2>, 128> kLatin1Upper;

    static constexpr std::uint64_t kEveryByte = 0x0101010101010101;
    static constexpr std::uint64_t kHighBits = 0x8080808080808080;

    // The eight bytes of word with their ASCII letters upper-cased; bytes above 0x7F stay.
    static constexpr std::uint64_t upperCasedAsciiWord(std::uint64_t word)
    {
        const std::uint64_t low7 = word & ~kHighBits;
        const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kEveryByte;   // bit 7 where >= 'a'
        const std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kEveryByte; // bit 7 where > 'z'
        return word ^ ((atLeastA & ~aboveZ & ~word & kHighBits) >> 2);     // 0x20: the case bit
    }

private:
    void grow(qsizetype bytes);
    void appendLatin1Letter(char16_t ch)
    {
        std::memcpy(room(2), kLatin1Upper[ch - 0x80].data(), 2);
        m_size += 2;
    }

    QByteArray m_bytes; // its size is the room; m_size bytes of it are used
    char* m_data = nullptr;
    qsizetype m_size = 0;
};

} // namespace quillomat

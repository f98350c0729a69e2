#include "richtext/RtfParser.h"

#include "richtext/RtfControlWords.h"

#include <QLatin1StringView>

#include <QSysInfo>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace quillomat::rtf {
namespace {

enum ByteClass : quint8
{
    Plain,
    Open,
    Close,
    Backslash,
    Tab,
    High,
    Ignored
};

constexpr std::array<quint8, 256> makeByteClasses()
{
    std::array<quint8, 256> classes{};
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x20 || byte == 0x7F)
            classes[byte] = Ignored; // line ends are not text in RTF; other controls are noise
        else if (byte >= 0x80)
            classes[byte] = High;
        else
            classes[byte] = Plain;
    }
    classes['{'] = Open;
    classes['}'] = Close;
    classes['\\'] = Backslash;
    classes['\t'] = Tab;
    return classes;
}
constexpr std::array<quint8, 256> kByteClasses = makeByteClasses();

// The end of the run of plain text bytes that starts at p. Most of a description is such runs, so
// they are scanned eight bytes at a time: a byte ends the run when it is a control character,
// 0x7F or above, or one of { } \. Each test below may also flag bytes after the first one it
// finds (a borrow or carry runs upwards), never one before it, so the lowest flag is exact.
// Flags in the eight bytes of w (read as little-endian) those that end a run of plain text.
constexpr std::uint64_t runEndFlags(std::uint64_t w)
{
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t highs = 0x8080808080808080u;
    const auto zeroBytes = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
    return ((w - ones * 0x20) & ~w & highs) // below 0x20
           | (((w + ones) | w) & highs)     // 0x7F and above
           | zeroBytes(w ^ (ones * '{')) | zeroBytes(w ^ (ones * '}')) |
           zeroBytes(w ^ (ones * '\\'));
}

const char* endOfPlainRun(const char* p, const char* end)
{
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, sizeof w);
            if (const std::uint64_t flags = runEndFlags(w))
                return p + std::countr_zero(flags) / 8;
            p += 8;
        }
    }
    while (p < end && kByteClasses[static_cast<unsigned char>(*p)] == Plain)
        ++p;
    return p;
}

// endOfPlainRun that also copies the run, upper-cased, to `to`, which has room for the run and
// eight bytes more: each word is read once for both.
const char* copyPlainRunUpperCased(const char* p, const char* end, char* to)
{
    const char* const begin = p;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, sizeof w);
            const std::uint64_t upper = UpperCasedUtf8Builder::upperCasedAsciiWord(w);
            std::memcpy(to + (p - begin), &upper, sizeof upper); // past the run: spare room
            if (const std::uint64_t flags = runEndFlags(w))
                return p + std::countr_zero(flags) / 8;
            p += 8;
        }
    }
    const char* const runEnd = endOfPlainRun(p, end);
    UpperCasedUtf8Builder::copyUpperCasingAscii(p, to + (p - begin), runEnd - p);
    return runEnd;
}

// Appends bytes that stand for themselves. Between formatting words runs are mostly a word or
// two long, where a loop of our own beats QString::append's general path; long runs go to Qt's
// vectorised one.
void appendLatin1(QString& text, const char* begin, const char* end)
{
    if (end - begin > 16)
        return void(text.append(QLatin1StringView(begin, end - begin)));
    const qsizetype size = text.size();
    text.resize(size + (end - begin));
    char16_t* dest = reinterpret_cast<char16_t*>(text.data()) + size;
    for (const char* p = begin; p < end; ++p)
        *dest++ = static_cast<unsigned char>(*p);
}

// Position of the first byte after an optional UTF-8 byte-order mark and white space.
const char* skipPreamble(const char* p, const char* end)
{
    if (end - p >= 3 && QByteArrayView(p, 3) == "\xEF\xBB\xBF")
        p += 3;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    return p;
}

} // namespace

void RtfParser::addPlainBytes(const char* begin, const char* end)
{
    if (m_upperCasedUtf8)
        m_upperText.appendAscii(QByteArrayView(begin, end - begin));
    else
        appendLatin1(m_text, begin, end);
}

// Inlined: it reads every run of text, most of them a word or two long.
Q_ALWAYS_INLINE void RtfParser::readPlainRun()
{
    const char* begin = m_p;
    if (m_upperCasedUtf8) {
        char* to = m_upperText.room(m_end - m_p + 8);
        m_p = copyPlainRunUpperCased(m_p, m_end, to);
        m_upperText.commit(m_p - begin);
    } else {
        m_p = endOfPlainRun(m_p, m_end);
        appendLatin1(m_text, begin, m_p);
    }
}

RtfParser::RtfParser(RtfSink& sink)
    : m_sink(sink), m_keepFormatting(sink.wantsFormatting() && !sink.wantsUpperCasedUtf8()),
      m_upperCasedUtf8(sink.wantsUpperCasedUtf8())
{
    m_stack.reserve(64);
}

void RtfParser::parse(QByteArrayView bytes)
{
    m_p = skipPreamble(bytes.data(), bytes.data() + bytes.size());
    m_end = bytes.data() + bytes.size();
    m_stack.assign(1, GroupState{});
    m_cutShort = false;
    if (m_upperCasedUtf8)
        m_upperText.reserve(std::min<qsizetype>(bytes.size(), 1 << 16));
    else
        m_text.reserve(std::min<qsizetype>(bytes.size(), 1 << 16));

    while (m_p < m_end) {
        switch (kByteClasses[static_cast<unsigned char>(*m_p)]) {
        case Plain:
            textRun();
            break;
        case High: {
            const char* begin = m_p;
            const char* p = m_p + 1;
            while (p < m_end && kByteClasses[static_cast<unsigned char>(*p)] == High)
                ++p;
            m_p = p;
            byteRun(begin, p);
            break;
        }
        case Open:
            ++m_p;
            openGroup();
            break;
        case Close:
            ++m_p;
            closeGroup();
            break;
        case Backslash:
            readControl();
            break;
        case Tab:
            ++m_p;
            controlSymbol('\t');
            break;
        default:
            ++m_p;
            break;
        }
    }
    decodePendingBytes();
    replaceLoneSurrogate();
    flushText();
    m_sink.finish(top().paragraph);
}

void RtfParser::openGroup()
{
    decodePendingBytes();
    m_ignorableNext = false;
    m_atGroupStart = true;
    top().pendingSkip = 0; // fallback text never crosses a group boundary
    if (m_stack.size() >= std::size_t(kMaxGroupDepth)) {
        ++m_flatDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_formatDirty = true;
}

void RtfParser::closeGroup()
{
    decodePendingBytes();
    m_ignorableNext = false;
    m_atGroupStart = false;
    if (m_flatDepth > 0) {
        --m_flatDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return; // a '}' before any '{': nothing to close
    const Destination closing = top().destination;
    const Destination parent = m_stack[m_stack.size() - 2].destination;
    if (closing == Destination::FontTable && m_stack.size() <= m_fontTableDepth + 1)
        commitFont(); // an entry that did not end in ';'
    if (closing == Destination::Picture && parent != Destination::Picture)
        finishPicture();
    m_stack.pop_back();
    m_formatDirty = true;
    // The document is its outermost group: a stray '}' ends it, and whatever follows (a second
    // document, junk a transfer appended) is not part of it.
    if (m_stack.size() == 1)
        m_p = m_end;
}

// The position after the '}' that closes the group whose content starts at p, or the end of the
// input with `depth` still above 0 when the group is not closed. Only \bin needs attention: its
// data may contain braces.
const char* RtfParser::endOfGroup(const char* p, int& depth) const
{
    depth = 1;
    while (p < m_end) {
        const char c = *p++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                break;
        } else if (c == '\\' && p < m_end) {
            if (m_end - p > 3 && p[0] == 'b' && p[1] == 'i' && p[2] == 'n' &&
                (p[3] == '-' || (p[3] >= '0' && p[3] <= '9'))) {
                p += 3;
                const bool negative = *p == '-';
                if (negative)
                    ++p;
                qint64 count = 0;
                while (p < m_end && *p >= '0' && *p <= '9') {
                    count = std::min<qint64>(count * 10 + (*p - '0'), m_end - p);
                    ++p;
                }
                if (p < m_end && *p == ' ')
                    ++p;
                if (!negative)
                    p += std::min<qint64>(count, m_end - p);
            } else {
                ++p; // an escaped character, such as \{ or \}
            }
        }
    }
    return p;
}

// Skips to the end of the current group without reading its content; used for destinations
// that are not shown.
void RtfParser::skipGroup()
{
    int depth = 0;
    m_p = endOfGroup(m_p, depth);
    m_cutShort |= depth > 0;
    closeGroup();
}

// \upr holds the same text twice: a group in the document's code page, then {\*\ud{...}} in
// Unicode. The first group is passed over when the Unicode one follows it.
void RtfParser::skipAnsiAlternative()
{
    const auto skipSpace = [this](const char* p) {
        while (p < m_end && (*p == ' ' || *p == '\r' || *p == '\n'))
            ++p;
        return p;
    };
    const char* p = skipSpace(m_p);
    if (p == m_end || *p != '{')
        return;
    int depth = 0;
    const char* after = skipSpace(endOfGroup(p + 1, depth));
    const QByteArrayView rest(after, m_end - after);
    if (depth == 0 && (rest.startsWith("{\\*\\ud") || rest.startsWith("{\\ud")))
        m_p = after;
}

void RtfParser::skipBinary(int count)
{
    m_p += std::min<qint64>(std::max(count, 0), m_end - m_p);
}

void RtfParser::readControl()
{
    const char* p = m_p + 1;
    if (p >= m_end) {
        m_p = p;
        return;
    }
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isLetter(*p)) {
        m_p = p + 1;
        controlSymbol(*p);
        return;
    }
    const char* nameBegin = p;
    while (p < m_end && isLetter(*p))
        ++p;
    const std::string_view name(nameBegin, p - nameBegin);
    // The parameter is an optional '-' and digits only; it saturates instead of overflowing.
    bool negative = false;
    if (p + 1 < m_end && *p == '-' && isDigit(p[1])) {
        negative = true;
        ++p;
    }
    bool hasParameter = false;
    qint64 value = 0;
    while (p < m_end && isDigit(*p)) {
        hasParameter = true;
        if (value <= std::numeric_limits<int>::max())
            value = value * 10 + (*p - '0');
        ++p;
    }
    if (p < m_end && *p == ' ')
        ++p; // the delimiter belongs to the control word
    m_p = p;
    value = std::clamp<qint64>(negative ? -value : value, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max());
    controlWord(name.size() <= std::size_t(kMaxControlWordLength) ? name : std::string_view(),
                hasParameter, int(value));
}

void RtfParser::textRun()
{
    m_atGroupStart = false;
    const GroupState& group = top();
    if (group.destination == Destination::Text && group.pendingSkip == 0 && m_bytes.empty() &&
        !group.chars.hidden) {
        // Most runs: text of the document, read and added in one pass.
        prepareText();
        readPlainRun();
        textAdded();
        return;
    }
    const char* begin = m_p;
    m_p = endOfPlainRun(m_p + 1, m_end);
    specialTextRun(begin, m_p);
}

// A run of text that is not simply added: in a table, skipped, hidden or continuing escaped
// bytes.
void RtfParser::specialTextRun(const char* begin, const char* end)
{
    switch (top().destination) {
    case Destination::FontTable:
        return fontTableText(begin, end);
    case Destination::ColorTable:
        return colorTableText(begin, end);
    case Destination::Picture:
        return pictureText(begin, end);
    case Destination::Text:
        break;
    }
    GroupState& group = top();
    if (group.pendingSkip > 0) {
        const qsizetype skipped = std::min<qsizetype>(group.pendingSkip, end - begin);
        group.pendingSkip -= int(skipped);
        begin += skipped;
        if (begin == end)
            return;
    }
    if (!m_bytes.empty()) {
        // In double-byte code pages the second byte of a character may be a plain letter.
        if (isDoubleByteCodePage(m_bytesCodePage)) {
            qsizetype i = 0;
            while (i < qsizetype(m_bytes.size()))
                i += isLeadByte(m_bytesCodePage, static_cast<unsigned char>(m_bytes[i])) ? 2 : 1;
            if (i > qsizetype(m_bytes.size()))
                m_bytes.push_back(*begin++);
        }
        decodePendingBytes();
        if (begin == end)
            return;
    }
    if (group.chars.hidden)
        return;
    prepareText();
    addPlainBytes(begin, end);
    textAdded();
}

void RtfParser::textAdded()
{
    m_paragraphHasContent = true;
    if (m_end - m_p >= 4 && m_p[0] == '\\' && m_p[1] == '\'')
        readEscapedLetters();
}

// Accented letters inside words are written as \'hh between plain letters. While nothing but
// such escapes and text follows, the format and code page stay as they are: the letters and the
// text after them are read here, without a round through the main loop for each.
void RtfParser::readEscapedLetters()
{
    const int codePage = currentCodePage();
    if (isDoubleByteCodePage(codePage))
        return; // a byte may be half a character: appendByte collects them
    while (m_end - m_p >= 4 && m_p[0] == '\\' && m_p[1] == '\'') {
        const int high = hexDigitValue(m_p[2]);
        const int low = hexDigitValue(m_p[3]);
        if (high < 0 || low < 0)
            return;
        addChar(m_decoder.decodeByte(codePage, static_cast<unsigned char>(high * 16 + low)));
        m_p += 4;
        readPlainRun();
    }
}

void RtfParser::byteRun(const char* begin, const char* end)
{
    m_atGroupStart = false;
    if (top().destination == Destination::Text) {
        for (const char* p = begin; p < end; ++p)
            appendByte(static_cast<unsigned char>(*p));
    } else if (top().destination == Destination::FontTable) {
        fontTableText(begin, end);
    }
}

void RtfParser::appendByte(unsigned char byte)
{
    GroupState& group = top();
    if (group.pendingSkip > 0) {
        --group.pendingSkip;
        return;
    }
    if (group.chars.hidden)
        return;
    const int codePage = currentCodePage();
    if (!m_bytes.empty() && codePage != m_bytesCodePage)
        decodePendingBytes();
    m_bytesCodePage = codePage;
    // An accented letter in a word is most often one escape between letters: it is decoded at
    // once. A run of escapes, as a whole text in another alphabet is written, is decoded
    // together when it ends.
    const bool runGoesOn = m_end - m_p >= 2 && m_p[0] == '\\' && m_p[1] == '\'';
    if (m_bytes.empty() && !runGoesOn && !isDoubleByteCodePage(codePage)) {
        prepareText();
        addChar(m_decoder.decodeByte(codePage, byte));
        m_paragraphHasContent = true;
        return;
    }
    m_bytes.push_back(char(byte));
}

void RtfParser::appendChar(char16_t ch)
{
    if (top().chars.hidden)
        return;
    prepareText();
    addChar(ch);
    m_paragraphHasContent = true;
}

void RtfParser::appendUnicode(int value)
{
    // \u takes a signed 16-bit value; writers give code units above 32767 as negatives.
    if (value < -32768 || value > 65535 || top().chars.hidden)
        return;
    const char16_t ch = char16_t(value < 0 ? value + 65536 : value);
    if (QChar::isHighSurrogate(ch)) {
        prepareText();
        m_highSurrogate = ch;
        m_paragraphHasContent = true;
        return;
    }
    if (QChar::isLowSurrogate(ch)) {
        if (!m_highSurrogate)
            return appendChar(0xFFFD);
        const char16_t pair[2] = {std::exchange(m_highSurrogate, 0), ch};
        addText(QStringView(pair, 2));
        return;
    }
    appendChar(ch);
}

void RtfParser::prepareTextSlowly()
{
    replaceLoneSurrogate();
    if (!m_formatDirty || !m_keepFormatting)
        return;
    const GroupState& group = top();
    if (group.chars != m_textChars || group.paragraph != m_textParagraph) {
        flushText();
        m_textChars = group.chars;
        m_textParagraph = group.paragraph;
    }
    m_formatDirty = false;
}

// A high surrogate that no low one followed becomes U+FFFD.
void RtfParser::replaceLoneSurrogate()
{
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        addChar(0xFFFD);
    }
}

void RtfParser::decodePendingBytes()
{
    if (m_bytes.empty())
        return;
    prepareText();
    const QByteArrayView bytes(m_bytes.data(), m_bytes.size());
    if (m_upperCasedUtf8) {
        m_decoded.resize(0);
        m_decoder.decode(m_bytesCodePage, bytes, m_decoded);
        m_upperText.append(m_decoded);
    } else {
        m_decoder.decode(m_bytesCodePage, bytes, m_text);
    }
    m_bytes.clear();
    m_paragraphHasContent = true;
}

void RtfParser::flushText()
{
    if (m_rowDefinitionChanged) {
        m_rowDefinitionChanged = false;
        m_sink.rowDefinition(m_cellEdges);
    }
    if (!m_upperText.isEmpty()) {
        m_sink.upperCasedText(m_upperText.view());
        m_upperText.clear();
    }
    if (m_text.isEmpty())
        return;
    m_sink.text(m_text, m_keepFormatting ? resolve(m_textChars) : RtfCharFormat(), m_textParagraph);
    m_text.resize(0);
}

void RtfParser::endParagraph()
{
    decodePendingBytes();
    replaceLoneSurrogate();
    flushText();
    m_sink.paragraphEnd(top().paragraph);
    m_paragraphHasContent = false;
}

int RtfParser::currentCodePage()
{
    const int font = top().chars.font >= 0 ? top().chars.font : m_defaultFont;
    if (font != m_codePageFont) {
        const auto it = m_fonts.find(font);
        m_codePage =
            it != m_fonts.end() && it->second.codePage ? it->second.codePage : m_documentCodePage;
        m_codePageFont = font;
    }
    return m_codePage;
}

RtfCharFormat RtfParser::resolve(const CharState& chars) const
{
    RtfCharFormat format;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    format.verticalPosition = chars.verticalPosition;
    format.halfPoints = chars.halfPoints;
    const int font = chars.font >= 0 ? chars.font : m_defaultFont;
    if (const auto it = m_fonts.find(font); it != m_fonts.end()) {
        const int codePage = it->second.codePage;
        if (codePage != kSymbolCodePage && codePage != kWingdingsCodePage)
            format.fontFamily = it->second.family; // symbol fonts are read as Unicode already
    }
    // Index 0 is the automatic colour whatever the table says there.
    const auto colour = [this](int index) {
        return index > 0 && std::size_t(index) < m_colours.size() ? m_colours[index]
                                                                  : std::optional<RtfColor>();
    };
    format.foreground = colour(chars.foreground);
    format.background = colour(chars.highlight ? chars.highlight : chars.background);
    return format;
}

} // namespace quillomat::rtf

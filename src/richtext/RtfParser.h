#pragma once

#include "text/UpperCasedUtf8.h"
#include "richtext/RtfCodePages.h"
#include "richtext/RtfFormat.h"
#include "richtext/RtfSink.h"

#include <QByteArrayView>

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillomat::rtf {

struct ControlWord;

// Groups nested deeper than this are read flat: their formatting is not undone at their end.
// Real documents stay below a few dozen levels; the limit bounds memory and keeps a file of a
// million '{' from costing more than its own size.
constexpr int kMaxGroupDepth = 512;
// Table sizes: indices beyond them are treated as unknown. They bound memory for files that
// declare absurd numbers of fonts or colours.
constexpr int kMaxFonts = 4096;
constexpr int kMaxColours = 4096;
constexpr int kMaxFontNameBytes = 256;
constexpr int kMaxCellsPerRow = 256;
// \ucN beyond this is ignored: writers use 0 to 2, and a huge N would swallow the document.
constexpr int kMaxUnicodeSkip = 32;
// Picture data beyond this is dropped (the picture then is not shown).
constexpr qsizetype kMaxPictureBytes = 64 * 1024 * 1024;
// Lengths in twips are clamped to 22 inches, the largest page a word processor makes.
constexpr int kMaxTwips = 31680;

namespace detail {
constexpr std::array<qint8, 256> makeHexDigits()
{
    std::array<qint8, 256> digits{};
    digits.fill(-1);
    for (int i = 0; i < 10; ++i)
        digits['0' + i] = qint8(i);
    for (int i = 0; i < 6; ++i) {
        digits['a' + i] = qint8(10 + i);
        digits['A' + i] = qint8(10 + i);
    }
    return digits;
}
inline constexpr std::array<qint8, 256> kHexDigits = makeHexDigits();
} // namespace detail

// The value of a hexadecimal digit, -1 for any other character.
inline int hexDigitValue(char c)
{
    return detail::kHexDigits[static_cast<unsigned char>(c)];
}

// Reads RTF and reports its content to a sink. Iterative: one loop over the bytes with an
// explicit stack of group states; no input can exhaust the call stack.
class RtfParser
{
public:
    explicit RtfParser(RtfSink& sink);
    void parse(QByteArrayView bytes);
    // After parse: true when the input ended inside a group it opened, as a file cut short does.
    // What could be read has still gone to the sink.
    bool endedInsideGroup() const { return m_cutShort || m_flatDepth > 0 || m_stack.size() > 1; }

private:
    enum class Destination : quint8
    {
        Text,
        FontTable,
        ColorTable,
        Picture
    };

    // Character formatting as the group holds it: indices into the font and colour tables.
    struct CharState
    {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        bool hidden = false;
        RtfVerticalPosition verticalPosition = RtfVerticalPosition::Normal;
        int font = -1; // -1: the document's default font (\deff)
        int halfPoints = 24;
        int foreground = 0; // 0: automatic
        int background = 0;
        int highlight = 0;
        bool operator==(const CharState&) const = default;
    };

    // Everything '}' restores.
    struct GroupState
    {
        CharState chars;
        RtfParagraphFormat paragraph;
        Destination destination = Destination::Text;
        int unicodeSkip = 1; // \uc: fallback characters after each \u
        int pendingSkip = 0; // fallback characters still to skip
    };

    struct Font
    {
        QString family;
        int codePage = 0; // 0: the document's code page
    };

    GroupState& top() { return m_stack.back(); }
    void openGroup();
    void closeGroup();
    void skipGroup();
    const char* endOfGroup(const char* p, int& depth) const;
    void skipAnsiAlternative();
    void readControl();
    void controlSymbol(char symbol);
    void controlWord(std::string_view name, bool hasParameter, int parameter);
    void applyWord(const ControlWord& entry, bool hasParameter, int parameter);
    void skipBinary(int count);

    // text
    // A run of plain bytes starts at m_p: reads it and leaves m_p at its end.
    void textRun();
    void specialTextRun(const char* begin, const char* end);
    void readPlainRun();
    // After text was added: reads the accented letters and text that may follow at once.
    void textAdded();
    void readEscapedLetters();
    void byteRun(const char* begin, const char* end);
    void appendByte(unsigned char byte);
    void appendChar(char16_t ch);
    void appendUnicode(int value);
    // Text not yet given to the sink grows through these three, in the form the sink wants.
    void addPlainBytes(const char* begin, const char* end);
    void addText(QStringView text)
    {
        if (m_upperCasedUtf8)
            m_upperText.append(text);
        else
            m_text.append(text);
    }
    void addChar(char16_t ch)
    {
        if (m_upperCasedUtf8)
            m_upperText.append(ch);
        else
            m_text.append(QChar(ch));
    }
    bool hasPendingText() const { return !m_text.isEmpty() || !m_upperText.isEmpty(); }
    // Called before text is added: hands over the pending text when the format has changed,
    // and replaces a high surrogate that no low one followed.
    void prepareText()
    {
        if (m_highSurrogate || (m_formatDirty && m_keepFormatting))
            prepareTextSlowly();
    }
    void prepareTextSlowly();
    void replaceLoneSurrogate();
    void decodePendingBytes();
    void flushText();
    void endParagraph();
    int currentCodePage();
    RtfCharFormat resolve(const CharState& chars) const;

    // destinations
    void fontTableText(const char* begin, const char* end);
    void commitFont();
    void colorTableText(const char* begin, const char* end);
    void commitColour();
    void pictureText(const char* begin, const char* end);
    void finishPicture();

    RtfSink& m_sink;
    const bool m_keepFormatting; // false: the sink wants the text alone
    const bool m_upperCasedUtf8; // the sink wants the text upper-cased, in UTF-8
    const char* m_p = nullptr;
    const char* m_end = nullptr;
    std::vector<GroupState> m_stack;
    int m_flatDepth = 0;
    bool m_cutShort = false; // the input ended inside a skipped group
    bool m_ignorableNext = false;
    bool m_atGroupStart = false; // nothing but '{' (and a \*) read in the current group yet

    int m_documentCodePage = kDefaultCodePage;
    int m_defaultFont = -1;
    std::unordered_map<int, Font> m_fonts;
    std::vector<std::optional<RtfColor>> m_colours;
    CodePageDecoder m_decoder;
    int m_codePageFont = -2; // cache of currentCodePage(); -2: empty
    int m_codePage = kDefaultCodePage;

    // font table entry being read
    std::size_t m_fontTableDepth = 0;
    int m_fontNumber = -1;
    int m_fontCharsetCodePage = 0;
    int m_fontExplicitCodePage = 0;
    QByteArray m_fontName;
    // colour table entry being read
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
    // picture being read
    RtfImage m_picture;
    bool m_pictureWanted = false;
    int m_pictureHighNibble = -1;

    std::vector<int> m_cellEdges;
    bool m_rowDefinitionChanged = false;

    // Text not yet given to the sink (in m_upperText when the sink wants upper-cased UTF-8),
    // and the format it was read in.
    QString m_text;
    UpperCasedUtf8Builder m_upperText;
    QString m_decoded; // bytes of a code page on their way to m_upperText
    CharState m_textChars;
    RtfParagraphFormat m_textParagraph;
    bool m_formatDirty = true;
    // \'hh and 8-bit bytes not yet decoded: a run is decoded together. A std::string, whose
    // push_back is inline: it takes every escaped byte.
    std::string m_bytes;
    int m_bytesCodePage = kDefaultCodePage;
    char16_t m_highSurrogate = 0;
    bool m_paragraphHasContent = false;
};

} // namespace quillomat::rtf

// Control words and symbols, and the destinations with their own content (font table, colour
// table, pictures).
#include "richtext/RtfControlWords.h"
#include "richtext/RtfParser.h"

#include <algorithm>
#include <array>

namespace quillomat::rtf {
namespace {

int twips(int value)
{
    return std::clamp(value, -kMaxTwips, kMaxTwips);
}

} // namespace

void RtfParser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (symbol == '\'') {
        // A byte in two hexadecimal digits.
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_p < m_end && hexDigitValue(*m_p) >= 0) {
            value = value * 16 + hexDigitValue(*m_p++);
            ++digits;
        }
        if (digits < 2)
            return; // a damaged escape: no byte rather than a wrong one
        switch (top().destination) {
        case Destination::Text:
            return appendByte(static_cast<unsigned char>(value));
        case Destination::FontTable:
            if (value == ';')
                return commitFont();
            if (m_fontName.size() < kMaxFontNameBytes)
                m_fontName.append(char(value));
            return;
        default:
            return;
        }
    }
    decodePendingBytes();
    m_ignorableNext = false;
    m_atGroupStart = false;
    GroupState& group = top();
    if (group.destination == Destination::FontTable &&
        (symbol == '{' || symbol == '}' || symbol == '\\')) {
        if (m_fontName.size() < kMaxFontNameBytes)
            m_fontName.append(symbol);
        return;
    }
    if (group.destination != Destination::Text)
        return;
    if (group.pendingSkip > 0) {
        --group.pendingSkip;
        return;
    }
    switch (symbol) {
    case '{':
    case '}':
    case '\\':
        return appendChar(char16_t(symbol));
    case '~':
        return appendChar(u'\u00A0');
    case '_':
        return appendChar(u'\u2011');
    case '\t':
        return appendChar(u'\t');
    case '\r':
    case '\n':
        return endParagraph(); // a backslash before a line end is \par
    default:
        return; // \- (optional hyphen), \: and \| show nothing
    }
}

void RtfParser::controlWord(std::string_view name, bool hasParameter, int parameter)
{
    decodePendingBytes();
    m_formatDirty = true;
    const bool ignorable = std::exchange(m_ignorableNext, false);
    const bool groupStart = std::exchange(m_atGroupStart, false);
    const ControlWord* entry = name.empty() ? nullptr : findControlWord(name);
    if (entry && entry->word == Word::SkippedDestination)
        return skipGroup();
    // \* marks the next word as one a reader may ignore. Opening a group, an unknown word names
    // a destination whose content is no text of ours; further in, as StarWriter writes \*\cs
    // before its text, only the word itself is passed over, like any word we do not know.
    if (!entry && ignorable && groupStart)
        return skipGroup();
    GroupState& group = top();
    if (group.pendingSkip > 0 && group.destination == Destination::Text) {
        // A \u word ends the fallback of the one before it, so that a surrogate pair written
        // under a \uc larger than its fallback still joins; any other control word in the
        // fallback text counts as one skipped character.
        if (entry && entry->word == Word::Unicode) {
            group.pendingSkip = 0;
        } else {
            --group.pendingSkip;
            if (entry && entry->word == Word::Binary)
                skipBinary(parameter);
            return;
        }
    }
    if (entry)
        applyWord(*entry, hasParameter, parameter);
}

void RtfParser::applyWord(const ControlWord& entry, bool hasParameter, int parameter)
{
    GroupState& group = top();
    CharState& chars = group.chars;
    RtfParagraphFormat& paragraph = group.paragraph;
    const bool inText = group.destination == Destination::Text;
    const bool on = !hasParameter || parameter != 0; // toggles: \b on, \b0 off
    const int index = hasParameter ? std::max(parameter, 0) : 0;

    switch (entry.word) {
    case Word::FontTable:
        group.destination = Destination::FontTable;
        m_fontTableDepth = m_stack.size();
        m_fontNumber = -1;
        m_fontName.clear();
        return;
    case Word::ColorTable:
        group.destination = Destination::ColorTable;
        m_red = m_green = m_blue = -1;
        return;
    case Word::Picture:
        group.destination = Destination::Picture;
        m_picture = RtfImage();
        m_pictureWanted = false;
        m_pictureHighNibble = -1;
        return;
    case Word::AnsiAlternative:
        return skipAnsiAlternative();
    case Word::SkippedDestination:
    case Word::ShownDestination:
    case Word::Ignored:
        return;

    case Word::Ansi:
        m_documentCodePage = kDefaultCodePage;
        m_codePageFont = -2;
        return;
    case Word::AnsiCodePage:
        if (hasParameter && parameter > 0 && parameter < 65536)
            m_documentCodePage = parameter;
        m_codePageFont = -2;
        return;
    case Word::Mac:
        m_documentCodePage = 10000;
        m_codePageFont = -2;
        return;
    case Word::Pc:
        m_documentCodePage = 437;
        m_codePageFont = -2;
        return;
    case Word::Pca:
        m_documentCodePage = 850;
        m_codePageFont = -2;
        return;
    case Word::DefaultFont:
        m_defaultFont = index;
        m_codePageFont = -2;
        return;
    case Word::Font:
        if (group.destination == Destination::FontTable) {
            commitFont();
            m_fontNumber = index;
            m_fontCharsetCodePage = 0;
            m_fontExplicitCodePage = 0;
        } else {
            chars.font = index;
        }
        return;
    case Word::FontCharset:
        m_fontCharsetCodePage = codePageOfCharset(index);
        return;
    case Word::FontCodePage:
        m_fontExplicitCodePage = index < 65536 ? index : 0;
        return;
    case Word::Red:
        m_red = std::clamp(index, 0, 255);
        return;
    case Word::Green:
        m_green = std::clamp(index, 0, 255);
        return;
    case Word::Blue:
        m_blue = std::clamp(index, 0, 255);
        return;

    case Word::Plain:
        chars = CharState();
        return;
    case Word::Bold:
        chars.bold = on;
        return;
    case Word::Italic:
        chars.italic = on;
        return;
    case Word::Underline:
        chars.underline = on;
        return;
    case Word::UnderlineNone:
        chars.underline = false;
        return;
    case Word::Strike:
        chars.strikeOut = on;
        return;
    case Word::Hidden:
        chars.hidden = on;
        return;
    case Word::FontSize:
        chars.halfPoints = parameter > 0 ? std::min(parameter, 3276) : 24;
        return;
    case Word::Foreground:
        chars.foreground = index;
        return;
    case Word::Background:
        chars.background = index;
        return;
    case Word::Highlight:
        chars.highlight = index;
        return;
    case Word::Superscript:
        chars.verticalPosition =
            on ? RtfVerticalPosition::Superscript : RtfVerticalPosition::Normal;
        return;
    case Word::Subscript:
        chars.verticalPosition = on ? RtfVerticalPosition::Subscript : RtfVerticalPosition::Normal;
        return;
    case Word::NoSuperSub:
        chars.verticalPosition = RtfVerticalPosition::Normal;
        return;

    case Word::ParagraphDefaults:
        paragraph = RtfParagraphFormat();
        return;
    case Word::AlignLeft:
        paragraph.alignment = RtfAlignment::Left;
        return;
    case Word::AlignCentre:
        paragraph.alignment = RtfAlignment::Centre;
        return;
    case Word::AlignRight:
        paragraph.alignment = RtfAlignment::Right;
        return;
    case Word::AlignJustify:
        paragraph.alignment = RtfAlignment::Justify;
        return;
    case Word::LeftIndent:
        paragraph.leftIndent = twips(parameter);
        return;
    case Word::RightIndent:
        paragraph.rightIndent = twips(parameter);
        return;
    case Word::FirstLineIndent:
        paragraph.firstLineIndent = twips(parameter);
        return;
    case Word::SpaceBefore:
        paragraph.spaceBefore = std::max(twips(parameter), 0);
        return;
    case Word::SpaceAfter:
        paragraph.spaceAfter = std::max(twips(parameter), 0);
        return;
    case Word::InTable:
        paragraph.inTable = true;
        return;
    case Word::RowDefaults:
        m_cellEdges.clear();
        m_rowDefinitionChanged = true;
        return;
    case Word::CellRightEdge:
        if (m_cellEdges.size() < std::size_t(kMaxCellsPerRow))
            m_cellEdges.push_back(twips(parameter));
        m_rowDefinitionChanged = true;
        return;

    case Word::UnicodeSkip:
        if (hasParameter && parameter >= 0 && parameter <= kMaxUnicodeSkip)
            group.unicodeSkip = parameter;
        return;
    case Word::Binary:
        if (group.destination == Destination::Picture && parameter > 0) {
            const qsizetype count = std::min<qsizetype>(parameter, m_end - m_p);
            if (m_picture.data.size() + count <= kMaxPictureBytes)
                m_picture.data.append(m_p, count);
        }
        return skipBinary(parameter);

    case Word::PngBlip:
        m_picture.type = RtfImageType::Png;
        m_pictureWanted = true;
        return;
    case Word::JpegBlip:
        m_picture.type = RtfImageType::Jpeg;
        m_pictureWanted = true;
        return;
    case Word::PictureGoalWidth:
        m_picture.goalWidth = std::clamp(parameter, 0, kMaxTwips);
        return;
    case Word::PictureGoalHeight:
        m_picture.goalHeight = std::clamp(parameter, 0, kMaxTwips);
        return;
    case Word::PictureScaleX:
        m_picture.scaleX = std::clamp(parameter, 1, 1000);
        return;
    case Word::PictureScaleY:
        m_picture.scaleY = std::clamp(parameter, 1, 1000);
        return;
    default:
        break;
    }

    // The rest produce text, so they count only in the document's text.
    if (!inText)
        return;
    switch (entry.word) {
    case Word::Paragraph:
        return endParagraph();
    case Word::Section:
    case Word::Page:
        // They end a paragraph too, but make no empty one after an ended paragraph.
        if (m_paragraphHasContent || hasPendingText())
            endParagraph();
        return;
    case Word::Line:
    case Word::NestedRow:
        replaceLoneSurrogate();
        flushText();
        m_sink.lineBreak(m_keepFormatting ? resolve(chars) : RtfCharFormat(), paragraph);
        m_paragraphHasContent = true;
        return;
    case Word::Tab:
    case Word::NestedCell:
        return appendChar(u'\t');
    case Word::Cell:
        replaceLoneSurrogate();
        flushText();
        m_sink.cellEnd(paragraph);
        m_paragraphHasContent = false;
        return;
    case Word::Row:
        flushText();
        m_sink.rowEnd();
        m_paragraphHasContent = false;
        return;
    case Word::Character:
        return appendChar(entry.character);
    case Word::Unicode:
        appendUnicode(parameter);
        group.pendingSkip = group.unicodeSkip;
        return;
    default:
        return;
    }
}

void RtfParser::fontTableText(const char* begin, const char* end)
{
    for (const char* p = begin; p < end; ++p) {
        if (*p == ';')
            commitFont();
        else if (m_fontName.size() < kMaxFontNameBytes)
            m_fontName.append(*p);
    }
}

void RtfParser::commitFont()
{
    if (m_fontNumber >= 0 &&
        (m_fonts.size() < std::size_t(kMaxFonts) || m_fonts.count(m_fontNumber))) {
        Font font;
        font.codePage = m_fontExplicitCodePage ? m_fontExplicitCodePage : m_fontCharsetCodePage;
        // Names are written in the font's code page, except in symbol fonts, whose names are
        // plain ASCII while their text is not.
        QString family;
        const bool symbol = font.codePage == kSymbolCodePage;
        m_decoder.decode(symbol || !font.codePage ? m_documentCodePage : font.codePage, m_fontName,
                         family);
        font.family = family.trimmed();
        if (symbol && font.family.startsWith(QLatin1StringView("Wingdings"), Qt::CaseInsensitive))
            font.codePage = kWingdingsCodePage;
        m_fonts[m_fontNumber] = std::move(font);
        m_codePageFont = -2;
    }
    m_fontNumber = -1;
    m_fontName.clear();
}

void RtfParser::colorTableText(const char* begin, const char* end)
{
    for (const char* p = begin; p < end; ++p) {
        if (*p == ';')
            commitColour();
    }
}

void RtfParser::commitColour()
{
    if (m_colours.size() < std::size_t(kMaxColours)) {
        const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
        if (automatic)
            m_colours.emplace_back();
        else
            m_colours.push_back(
                RtfColor{std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)});
    }
    m_red = m_green = m_blue = -1;
}

void RtfParser::pictureText(const char* begin, const char* end)
{
    if (!m_pictureWanted)
        return;
    QByteArray& data = m_picture.data;
    for (const char* p = begin; p < end; ++p) {
        const int digit = hexDigitValue(*p);
        if (digit < 0)
            continue;
        if (m_pictureHighNibble < 0) {
            m_pictureHighNibble = digit;
        } else {
            if (data.size() < kMaxPictureBytes)
                data.append(char(m_pictureHighNibble * 16 + digit));
            m_pictureHighNibble = -1;
        }
    }
}

void RtfParser::finishPicture()
{
    if (m_pictureWanted && !m_picture.data.isEmpty() && m_stack.size() >= 2 &&
        m_stack[m_stack.size() - 2].destination == Destination::Text) {
        replaceLoneSurrogate();
        flushText();
        m_sink.image(m_picture, top().paragraph);
        m_paragraphHasContent = true;
    }
    m_picture = RtfImage();
    m_pictureWanted = false;
}

} // namespace quillomat::rtf

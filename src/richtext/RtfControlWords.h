#pragma once

#include <QtGlobal>

#include <string_view>

namespace quillomat::rtf {

// What a control word does; one entry of the table in RtfControlWords.cpp each.
enum class Word : quint8
{
    // destinations
    FontTable,
    ColorTable,
    Picture,
    SkippedDestination,
    ShownDestination, // a destination we know and whose text is shown, even after \*
    AnsiAlternative,  // \upr: its first group repeats the Unicode group after it
    Ignored,          // a word we know and that changes nothing we show, even after \*
                      // code pages and fonts
    Ansi,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    Font,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Foreground,
    Background,
    Highlight,
    Superscript,
    Subscript,
    NoSuperSub,
    Hidden,
    // paragraphs
    ParagraphDefaults,
    Paragraph,
    Section,
    Page,
    Line,
    Tab,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    InTable,
    // tables
    RowDefaults,
    CellRightEdge,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    // Unicode and binary data
    Unicode,
    UnicodeSkip,
    Binary,
    // a character given by name (\emdash and friends)
    Character,
    // pictures
    PngBlip,
    JpegBlip,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

struct ControlWord
{
    std::string_view name;
    Word word;
    char16_t character = 0; // for Word::Character
};

// Longest control word name RTF allows; longer names are read to their end and ignored.
constexpr int kMaxControlWordLength = 32;

// The entry of a control word, or nullptr for words this reader ignores.
const ControlWord* findControlWord(std::string_view name);

} // namespace quillomat::rtf

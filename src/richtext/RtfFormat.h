#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace quillomat {

// An entry of the colour table (Qt Core has no colour type).
struct RtfColor
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RtfColor&) const = default;
};

enum class RtfVerticalPosition : quint8
{
    Normal,
    Superscript,
    Subscript
};
enum class RtfAlignment : quint8
{
    Left,
    Centre,
    Right,
    Justify
};

// Character formatting of a run of text, with the font and colour tables already resolved.
struct RtfCharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    RtfVerticalPosition verticalPosition = RtfVerticalPosition::Normal;
    int halfPoints = 24;                // RTF's default size is 12 points
    QString fontFamily;                 // empty: the reader's default font
    std::optional<RtfColor> foreground; // none: automatic, the reader's default text colour
    std::optional<RtfColor> background; // none: no background

    bool operator==(const RtfCharFormat&) const = default;
};

// Paragraph formatting; lengths are in twips (1/1440 inch).
struct RtfParagraphFormat
{
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    bool inTable = false;

    bool operator==(const RtfParagraphFormat&) const = default;
};

enum class RtfImageType : quint8
{
    Png,
    Jpeg
};

struct RtfImage
{
    RtfImageType type = RtfImageType::Png;
    QByteArray data;
    // Size the writer asked for, in twips; 0 when not given (the image's own size applies).
    int goalWidth = 0;
    int goalHeight = 0;
    // Scaling in percent applied on top of the goal size.
    int scaleX = 100;
    int scaleY = 100;
};

} // namespace quillomat

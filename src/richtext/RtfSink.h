#pragma once

#include "richtext/RtfFormat.h"

#include <QByteArrayView>
#include <QStringView>

#include <vector>

namespace quillomat {

// Receives what the parser reads, in document order. Text arrives in runs of one format.
class RtfSink
{
public:
    virtual ~RtfSink() = default;
    // False for a sink that keeps only the text: the parser then tracks no formatting, hands
    // over text only at paragraph, line and cell ends, and passes default formats.
    virtual bool wantsFormatting() const { return true; }
    // True for a sink that wants no formatting and its text as the keyword search compares it
    // (UpperCasedUtf8.h): the parser then hands text over through upperCasedText, never text.
    virtual bool wantsUpperCasedUtf8() const { return false; }
    virtual void upperCasedText(QByteArrayView utf8) { Q_UNUSED(utf8); }
    virtual void text(QStringView text, const RtfCharFormat& chars,
                      const RtfParagraphFormat& paragraph) = 0;
    // The end of a paragraph with the format it had at its end.
    virtual void paragraphEnd(const RtfParagraphFormat& paragraph) = 0;
    virtual void lineBreak(const RtfCharFormat& chars, const RtfParagraphFormat& paragraph) = 0;
    // The end of a table cell; the paragraph format is that of the cell's last paragraph.
    virtual void cellEnd(const RtfParagraphFormat& paragraph) = 0;
    virtual void rowEnd() = 0;
    // The right edges (twips from the left margin) of the cells of the rows that follow.
    virtual void rowDefinition(const std::vector<int>& cellRightEdges) { Q_UNUSED(cellRightEdges); }
    virtual void image(const RtfImage& image, const RtfParagraphFormat& paragraph)
    {
        Q_UNUSED(image);
        Q_UNUSED(paragraph);
    }
    // Called once when the input ends, with the format of the unterminated last paragraph.
    virtual void finish(const RtfParagraphFormat& paragraph) { Q_UNUSED(paragraph); }
};

} // namespace quillomat

#include "richtext/RtfDocument.h"

#include "platform/RegularFile.h"
#include "richtext/PlainText.h"
#include "richtext/RtfParser.h"
#include "text/TextDecoding.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace quillomat {
namespace {

// 1440 twips to the inch, 96 pixels to the inch.
constexpr double kTwipsPerPixel = 15.0;
// A row with more cells than this puts the rest into its last column: the table's size is
// bounded whatever the input.
constexpr int kMaxTableColumns = 64;

QColor toQColor(const RtfColor& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QTextCharFormat toCharFormat(const RtfCharFormat& chars)
{
    QTextCharFormat format;
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strikeOut);
    switch (chars.verticalPosition) {
    case RtfVerticalPosition::Superscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfVerticalPosition::Subscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case RtfVerticalPosition::Normal:
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    }
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (!chars.fontFamily.isEmpty())
        format.setFontFamilies({chars.fontFamily});
    if (chars.foreground)
        format.setForeground(toQColor(*chars.foreground));
    if (chars.background)
        format.setBackground(toQColor(*chars.background));
    return format;
}

QTextBlockFormat toBlockFormat(const RtfParagraphFormat& paragraph)
{
    QTextBlockFormat format;
    switch (paragraph.alignment) {
    case RtfAlignment::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case RtfAlignment::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case RtfAlignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case RtfAlignment::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    format.setLeftMargin(std::max(paragraph.leftIndent, 0) / kTwipsPerPixel);
    format.setRightMargin(std::max(paragraph.rightIndent, 0) / kTwipsPerPixel);
    format.setTextIndent(paragraph.firstLineIndent / kTwipsPerPixel);
    // A hanging indent sets an implicit tab stop at the left indent: list items put their bullet
    // or number, then a tab, so that the text lines up with the lines below. Qt measures tab
    // stops from where the first line starts.
    if (paragraph.firstLineIndent < 0)
        format.setTabPositions(
            {QTextOption::Tab(-paragraph.firstLineIndent / kTwipsPerPixel, QTextOption::LeftTab)});
    format.setTopMargin(paragraph.spaceBefore / kTwipsPerPixel);
    format.setBottomMargin(paragraph.spaceAfter / kTwipsPerPixel);
    return format;
}

// Builds the document through one cursor. Tables are made as their cells arrive: the first
// paragraph marked as in a table opens one, \cell moves to the next column, \row to a new row.
class DocumentSink final : public RtfSink
{
public:
    explicit DocumentSink(QTextDocument& document) : m_document(document), m_cursor(&document)
    {
        m_cursor.beginEditBlock();
    }
    ~DocumentSink() override { m_cursor.endEditBlock(); }

    void text(QStringView text, const RtfCharFormat& chars,
              const RtfParagraphFormat& paragraph) override
    {
        if (!spend(text.size()))
            return;
        enterParagraph(paragraph);
        m_cursor.insertText(text.first(m_spent).toString(), charFormat(chars));
    }

    void paragraphEnd(const RtfParagraphFormat& paragraph) override
    {
        if (!spend(1))
            return;
        enterParagraph(paragraph);
        m_cursor.setBlockFormat(toBlockFormat(paragraph));
        // In a cell the new block waits for text: the mark that ends a cell's last paragraph
        // would otherwise leave an empty line in every cell.
        if (paragraph.inTable)
            ++m_deferredBlocks;
        else
            m_cursor.insertBlock();
    }

    void lineBreak(const RtfCharFormat& chars, const RtfParagraphFormat& paragraph) override
    {
        if (!spend(1))
            return;
        enterParagraph(paragraph);
        m_cursor.insertText(QString(QChar::LineSeparator), charFormat(chars));
    }

    void cellEnd(const RtfParagraphFormat& paragraph) override
    {
        if (!spend(1))
            return;
        ensureCell();
        m_deferredBlocks = 0;
        m_cursor.setBlockFormat(toBlockFormat(paragraph));
        m_column = std::min(m_column + 1, kMaxTableColumns - 1);
    }

    void rowEnd() override
    {
        m_deferredBlocks = 0;
        if (m_table) {
            m_rowPending = true;
            m_column = 0;
        }
    }

    void rowDefinition(const std::vector<int>& cellRightEdges) override
    {
        m_cellEdges = cellRightEdges;
    }

    void image(const RtfImage& picture, const RtfParagraphFormat& paragraph) override
    {
        QImage image;
        if (!image.loadFromData(picture.data, picture.type == RtfImageType::Png ? "PNG" : "JPEG"))
            return;
        enterParagraph(paragraph);
        const QString name = QStringLiteral("rtf-image:%1").arg(++m_imageCount);
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        const double width = picture.goalWidth ? picture.goalWidth / kTwipsPerPixel : image.width();
        const double height =
            picture.goalHeight ? picture.goalHeight / kTwipsPerPixel : image.height();
        format.setWidth(width * picture.scaleX / 100.0);
        format.setHeight(height * picture.scaleY / 100.0);
        m_cursor.insertImage(format);
    }

    void finish(const RtfParagraphFormat& paragraph) override
    {
        if (!m_table && !paragraph.inTable)
            m_cursor.setBlockFormat(toBlockFormat(paragraph));
    }

private:
    QTextCharFormat charFormat(const RtfCharFormat& chars)
    {
        if (!m_lastChars || *m_lastChars != chars) {
            m_lastChars = chars;
            m_lastCharFormat = toCharFormat(chars);
        }
        return m_lastCharFormat;
    }

    void enterParagraph(const RtfParagraphFormat& paragraph)
    {
        if (paragraph.inTable)
            ensureCell();
        else if (m_table)
            closeTable();
        for (; m_deferredBlocks > 0; --m_deferredBlocks)
            m_cursor.insertBlock();
    }

    void ensureCell()
    {
        if (!m_table)
            openTable();
        if (m_rowPending) {
            m_table->appendRows(1);
            ++m_row;
            m_rowPending = false;
        }
        if (m_column >= m_table->columns())
            m_table->appendColumns(m_column + 1 - m_table->columns());
        if (m_cursorRow != m_row || m_cursorColumn != m_column) {
            m_cursor = m_table->cellAt(m_row, m_column).lastCursorPosition();
            m_cursorRow = m_row;
            m_cursorColumn = m_column;
        }
    }

    void openTable()
    {
        const int columns = std::clamp(int(m_cellEdges.size()), 1, kMaxTableColumns);
        QTextTableFormat format;
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorder(1);
        format.setBorderBrush(QColor(0x80, 0x80, 0x80));
        format.setBorderCollapse(true);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        format.setAlignment(Qt::AlignLeft);
        QList<QTextLength> widths;
        int left = 0;
        for (int i = 0; i < columns && i < int(m_cellEdges.size()); ++i) {
            const int width = m_cellEdges[i] - left;
            left = m_cellEdges[i];
            widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, width / kTwipsPerPixel)
                                    : QTextLength());
        }
        format.setColumnWidthConstraints(widths);
        m_table = m_cursor.insertTable(1, columns, format);
        m_row = 0;
        m_column = 0;
        m_rowPending = false;
        m_cursorRow = m_cursorColumn = -1;
    }

    void closeTable()
    {
        m_cursor.setPosition(m_table->lastPosition() + 1);
        m_table = nullptr;
        m_deferredBlocks = 0;
        m_column = 0;
    }

    // Characters, paragraph and cell ends still to show, kMaxDocumentCharacters at first.
    // False when the budget is spent; otherwise m_spent says how much of count fits.
    bool spend(qsizetype count)
    {
        if (m_budget <= 0)
            return false;
        m_spent = std::min(count, m_budget);
        m_budget -= m_spent;
        return true;
    }

    QTextDocument& m_document;
    QTextCursor m_cursor;
    qsizetype m_budget = kMaxDocumentCharacters;
    qsizetype m_spent = 0;
    std::optional<RtfCharFormat> m_lastChars;
    QTextCharFormat m_lastCharFormat;
    int m_deferredBlocks = 0;
    int m_imageCount = 0;

    QTextTable* m_table = nullptr;
    std::vector<int> m_cellEdges;
    int m_row = 0;
    int m_column = 0;
    bool m_rowPending = false;
    int m_cursorRow = -1;
    int m_cursorColumn = -1;
};

} // namespace

void loadDocument(QTextDocument& document, QByteArrayView bytes)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false); // an undo history of the load would only cost memory
    document.clear();
    if (looksLikeRtf(bytes)) {
        DocumentSink sink(document);
        rtf::RtfParser parser(sink);
        parser.parse(bytes);
    } else {
        QString text = decodeText(bytes);
        if (text.size() > kMaxDocumentCharacters) {
            // At the end of a line where there is one, never inside a surrogate pair.
            qsizetype cut = text.lastIndexOf(u'\n', kMaxDocumentCharacters - 1);
            if (cut <= 0) {
                cut = kMaxDocumentCharacters;
                if (text[cut - 1].isHighSurrogate())
                    --cut;
            }
            text.truncate(cut);
        }
        document.setPlainText(text);
    }
    document.setUndoRedoEnabled(undo);
}

bool loadDocumentFromFile(QTextDocument& document, const QString& path, QString* error)
{
    const auto bytes = readRegularFile(path, error);
    if (!bytes)
        return false;
    loadDocument(document, *bytes);
    return true;
}

} // namespace quillomat

#include "richtext/PlainText.h"

#include "platform/RegularFile.h"
#include "richtext/RtfParser.h"
#include "text/TextDecoding.h"

namespace quillomat {
namespace {

class PlainTextSink final : public RtfSink
{
public:
    explicit PlainTextSink(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    bool wantsFormatting() const override { return false; }

    void text(QStringView text, const RtfCharFormat&, const RtfParagraphFormat&) override
    {
        emitDeferredBreaks();
        m_text += text;
    }
    void paragraphEnd(const RtfParagraphFormat& paragraph) override
    {
        // Inside a table cell the break is held back: a cell's last paragraph mark only ends
        // the cell, which the tab already shows.
        if (paragraph.inTable) {
            ++m_deferredBreaks;
            return;
        }
        emitDeferredBreaks();
        m_text += u'\n';
    }
    void lineBreak(const RtfCharFormat&, const RtfParagraphFormat&) override
    {
        emitDeferredBreaks();
        m_text += u'\n';
    }
    void cellEnd(const RtfParagraphFormat&) override
    {
        m_deferredBreaks = 0;
        m_text += u'\t';
    }
    void rowEnd() override
    {
        m_deferredBreaks = 0;
        if (m_text.endsWith(u'\t'))
            m_text.chop(1);
        m_text += u'\n';
    }
    void finish(const RtfParagraphFormat&) override { emitDeferredBreaks(); }

    QString takeText() { return std::move(m_text); }

private:
    void emitDeferredBreaks()
    {
        for (; m_deferredBreaks > 0; --m_deferredBreaks)
            m_text += u'\n';
    }

    QString m_text;
    int m_deferredBreaks = 0;
};

} // namespace

bool looksLikeRtf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                                bytes.front() == '\r' || bytes.front() == '\n'))
        bytes = bytes.sliced(1);
    return bytes.startsWith("{\\rtf");
}

PlainTextReading readPlainText(QByteArrayView bytes)
{
    if (!looksLikeRtf(bytes))
        return {decodeText(bytes), false, false};
    // Text is seldom more than half of an RTF file; the sink grows if it is.
    PlainTextSink sink(bytes.size() / 2);
    rtf::RtfParser parser(sink);
    parser.parse(bytes);
    return {sink.takeText(), true, parser.endedInsideGroup()};
}

QString rtfToPlainText(QByteArrayView bytes)
{
    return readPlainText(bytes).text;
}

std::optional<QString> plainTextOfFile(const QString& path)
{
    const auto bytes = readRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return rtfToPlainText(*bytes);
}

} // namespace quillomat

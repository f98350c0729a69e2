#include "richtext/PlainText.h"

#include "platform/RegularFile.h"
#include "richtext/RtfParser.h"
#include "text/TextDecoding.h"
#include "text/UpperCasedUtf8.h"

#include <type_traits>

namespace quillomat {
namespace {

// The text of a document with its paragraph, line, cell and row ends, in UTF-16 (QString) or,
// for the keyword search, in upper-cased UTF-8 (QByteArray): the ends are ASCII either way.
template <typename Text> class PlainTextSink final : public RtfSink
{
public:
    static constexpr bool kUpperCasedUtf8 = std::is_same_v<Text, QByteArray>;

    explicit PlainTextSink(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    bool wantsFormatting() const override { return false; }
    bool wantsUpperCasedUtf8() const override { return kUpperCasedUtf8; }

    void text(QStringView text, const RtfCharFormat&, const RtfParagraphFormat&) override
    {
        if constexpr (!kUpperCasedUtf8) {
            emitDeferredBreaks();
            m_text += text;
        }
    }
    void upperCasedText(QByteArrayView utf8) override
    {
        if constexpr (kUpperCasedUtf8) {
            emitDeferredBreaks();
            m_text += utf8;
        }
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
        add('\n');
    }
    void lineBreak(const RtfCharFormat&, const RtfParagraphFormat&) override
    {
        emitDeferredBreaks();
        add('\n');
    }
    void cellEnd(const RtfParagraphFormat&) override
    {
        m_deferredBreaks = 0;
        add('\t');
    }
    void rowEnd() override
    {
        m_deferredBreaks = 0;
        if (m_text.endsWith(tab()))
            m_text.chop(1);
        add('\n');
    }
    void finish(const RtfParagraphFormat&) override { emitDeferredBreaks(); }

    Text takeText() { return std::move(m_text); }

private:
    // An ASCII character in the text's own form.
    static auto ascii(char c)
    {
        if constexpr (kUpperCasedUtf8)
            return c;
        else
            return QLatin1Char(c);
    }
    static auto tab() { return ascii('\t'); }
    void add(char c) { m_text += ascii(c); }
    void emitDeferredBreaks()
    {
        for (; m_deferredBreaks > 0; --m_deferredBreaks)
            add('\n');
    }

    Text m_text;
    int m_deferredBreaks = 0;
};

// The text of an RTF document through the given sink.
template <typename Text> Text parsedText(QByteArrayView bytes, bool* endedInsideGroup = nullptr)
{
    // Text is seldom more than half of an RTF file; the sink grows if it is.
    PlainTextSink<Text> sink(bytes.size() / 2);
    rtf::RtfParser parser(sink);
    parser.parse(bytes);
    if (endedInsideGroup)
        *endedInsideGroup = parser.endedInsideGroup();
    return sink.takeText();
}

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
    PlainTextReading reading;
    reading.isRtf = true;
    reading.text = parsedText<QString>(bytes, &reading.cutShort);
    return reading;
}

QString rtfToPlainText(QByteArrayView bytes)
{
    return readPlainText(bytes).text;
}

QByteArray upperCasedPlainText(QByteArrayView bytes)
{
    if (!looksLikeRtf(bytes))
        return upperCasedUtf8(decodeText(bytes));
    return parsedText<QByteArray>(bytes);
}

std::optional<QString> plainTextOfFile(const QString& path)
{
    const auto bytes = readRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return rtfToPlainText(*bytes);
}

} // namespace quillomat

#include "richtext/RtfCodePages.h"

#include "text/TextDecoding.h"

#include <array>
#include <mutex>

namespace quillomat::rtf {
namespace {

using ByteTable = std::array<char16_t, 256>;

struct CharsetCodePage
{
    int charset;
    int codePage;
};

// \fcharset values: Windows' charset constants (the LOGFONT ones) and the Mac charsets that
// RTF numbers from 77. 82 (the old Mac Johab) has no code page.
constexpr CharsetCodePage kCharsets[] = {
    {0, 1252},   {2, kSymbolCodePage}, {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008},
    {81, 10002}, {83, 10005},          {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021},
    {88, 10029}, {89, 10007},          {128, 932},  {129, 949},  {134, 936},  {136, 950},
    {161, 1253}, {162, 1254},          {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},           {238, 1250}, {254, 437},  {255, 850},
};

// The Symbol font draws Greek letters and mathematical signs where other fonts have Latin ones.
void fillSymbolTable(ByteTable& table)
{
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    static const char16_t high[] = u"€ϒ′≤⁄∞ƒ♣♦♥♠↔←↑→↓°±″≥×∝∂•÷≠≡≈…⏐⎯↵";
    for (int i = 0; i < 26; ++i) {
        table['A' + i] = upper[i];
        table['a' + i] = lower[i];
    }
    for (int i = 0; i < 32; ++i)
        table[0xA0 + i] = high[i];
}

// Wingdings holds pictures; these are the ones list bullets use.
void fillWingdingsTable(ByteTable& table)
{
    static const std::pair<unsigned char, char16_t> bullets[] = {
        {0x6C, u'●'}, {0x6E, u'■'}, {0x71, u'❑'}, {0x75, u'◆'}, {0x76, u'❖'}, {0x9F, u'•'},
        {0xA7, u'▪'}, {0xA8, u'◻'}, {0xD8, u'➢'}, {0xE8, u'➔'}, {0xFB, u'✗'}, {0xFC, u'✓'},
    };
    for (const auto& [byte, ch] : bullets)
        table[byte] = ch;
}

void buildTable(int codePage, ByteTable& table)
{
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = char16_t(byte);
    if (codePage == kSymbolCodePage)
        return fillSymbolTable(table);
    if (codePage == kWingdingsCodePage)
        return fillWingdingsTable(table);
    CodePageConverter converter(codePage);
    if (codePage == kDefaultCodePage || !converter.isValid()) {
        for (int byte = 0x80; byte < 0x100; ++byte) {
            const char c = char(byte);
            table[byte] = decodeWindows1252(QByteArrayView(&c, 1)).at(0).unicode();
        }
        return;
    }
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const char c = char(byte);
        const QString decoded = converter.decode(QByteArrayView(&c, 1));
        const bool usable = decoded.size() == 1 && decoded.at(0) != QChar(0x1A);
        table[byte] = usable ? decoded.at(0).unicode() : char16_t(0xFFFD);
    }
}

const ByteTable& tableFor(int codePage)
{
    // Tables are built on first use and never freed, so references stay valid.
    static std::mutex mutex;
    static std::map<int, ByteTable> tables;
    std::lock_guard lock(mutex);
    auto [it, inserted] = tables.try_emplace(codePage);
    if (inserted)
        buildTable(codePage, it->second);
    return it->second;
}

} // namespace

int codePageOfCharset(int charset)
{
    for (const auto& entry : kCharsets) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return 0;
}

bool isDoubleByteCodePage(int codePage)
{
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 10001:
    case 10002:
    case 10003:
    case 10008:
        return true;
    default:
        return false;
    }
}

bool isLeadByte(int codePage, unsigned char byte)
{
    if (codePage == 932 || codePage == 10001) // Shift_JIS
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    if (isDoubleByteCodePage(codePage))
        return byte >= 0x81 && byte <= 0xFE;
    return false;
}

const char16_t* CodePageDecoder::loadTable(int codePage)
{
    m_lastTable = tableFor(codePage).data();
    m_lastCodePage = codePage;
    return m_lastTable;
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out)
{
    if (isDoubleByteCodePage(codePage)) {
        auto it = m_doubleByteDecoders.find(codePage);
        if (it == m_doubleByteDecoders.end())
            it = m_doubleByteDecoders.emplace(codePage, CodePageConverter(codePage)).first;
        if (it->second.isValid()) {
            out += it->second.decode(bytes);
            return;
        }
        codePage = kDefaultCodePage;
    }
    const char16_t* table = singleByteTable(codePage);
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t* dest = reinterpret_cast<char16_t*>(out.data()) + start;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dest[i] = table[static_cast<unsigned char>(bytes[i])];
}

} // namespace quillomat::rtf

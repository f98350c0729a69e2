#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace quillomat {

// The Windows code pages that text may come in, the same on every system, with the name ICU
// knows each by (used on Linux).
struct KnownCodePage
{
    int codePage;
    const char* icuName;
};
inline constexpr KnownCodePage kKnownCodePages[] = {
    {437, "IBM437"},        {850, "IBM850"},           {852, "IBM852"},
    {860, "IBM860"},        {863, "IBM863"},           {865, "IBM865"},
    {866, "IBM866"},        {874, "windows-874"},      {932, "windows-31j"},
    {936, "GBK"},           {949, "windows-949"},      {950, "Big5"},
    {1250, "windows-1250"}, {1251, "windows-1251"},    {1252, "windows-1252"},
    {1253, "windows-1253"}, {1254, "windows-1254"},    {1255, "windows-1255"},
    {1256, "windows-1256"}, {1257, "windows-1257"},    {1258, "windows-1258"},
    {10000, "macintosh"},   {10007, "x-mac-cyrillic"},
};

// The entry of a known code page; nullptr for any other.
inline const KnownCodePage* knownCodePage(int codePage)
{
    for (const KnownCodePage& entry : kKnownCodePages) {
        if (entry.codePage == codePage)
            return &entry;
    }
    return nullptr;
}

// Decodes text in one of the known code pages with the system's own converter: ICU on Linux,
// Windows' code page tables on Windows. Made once per page and kept, because making one costs
// far more than a run.
class CodePageConverter
{
public:
    explicit CodePageConverter(int codePage);
    ~CodePageConverter();
    CodePageConverter(CodePageConverter&&) noexcept;
    CodePageConverter& operator=(CodePageConverter&&) noexcept;

    // False for a code page not known above or not installed; decode() then gives nothing.
    bool isValid() const;

    // The text of `bytes`; a byte sequence that is no text in the page gives a replacement
    // character instead, and a lead byte that ends the bytes without its trail byte nothing.
    QString decode(QByteArrayView bytes);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace quillomat

#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace quillomat {

// Where the Linux program finds a code page's table: glibc's iconv, or ICU (through Qt) for the
// pages it held before iconv was used and for Mac pages glibc lacks. None: Windows only.
enum class LinuxTable : quint8
{
    None,
    Iconv,
    Icu
};

// The Windows code pages that text may come in, the same on every system, with the name the
// Linux program knows each by. The Mac double-byte pages are read with the nearest standard
// encoding: Shift_JIS (Microsoft's form) for Japanese, CP949 for Korean, Big5 and GBK.
struct KnownCodePage
{
    int codePage;
    LinuxTable linuxTable;
    const char* linuxName;
};
inline constexpr KnownCodePage kKnownCodePages[] = {
    {437, LinuxTable::Icu, "IBM437"},
    {850, LinuxTable::Icu, "IBM850"},
    {852, LinuxTable::Icu, "IBM852"},
    {860, LinuxTable::Icu, "IBM860"},
    {863, LinuxTable::Icu, "IBM863"},
    {865, LinuxTable::Icu, "IBM865"},
    {866, LinuxTable::Icu, "IBM866"},
    {874, LinuxTable::Icu, "windows-874"},
    {932, LinuxTable::Icu, "windows-31j"},
    {936, LinuxTable::Icu, "GBK"},
    {949, LinuxTable::Icu, "windows-949"},
    {950, LinuxTable::Icu, "Big5"},
    {1250, LinuxTable::Icu, "windows-1250"},
    {1251, LinuxTable::Icu, "windows-1251"},
    {1252, LinuxTable::Icu, "windows-1252"},
    {1253, LinuxTable::Icu, "windows-1253"},
    {1254, LinuxTable::Icu, "windows-1254"},
    {1255, LinuxTable::Icu, "windows-1255"},
    {1256, LinuxTable::Icu, "windows-1256"},
    {1257, LinuxTable::Icu, "windows-1257"},
    {1258, LinuxTable::Icu, "windows-1258"},
    {10000, LinuxTable::Icu, "macintosh"},
    {10001, LinuxTable::Iconv, "WINDOWS-31J"},       // Mac Japanese
    {10002, LinuxTable::Iconv, "BIG5"},              // Mac Traditional Chinese
    {10003, LinuxTable::Iconv, "CP949"},             // Mac Korean
    {10004, LinuxTable::None, nullptr},              // Mac Arabic
    {10005, LinuxTable::None, nullptr},              // Mac Hebrew
    {10006, LinuxTable::Icu, "x-mac-greek"},         // Mac Greek
    {10007, LinuxTable::Icu, "x-mac-cyrillic"},      // Mac Cyrillic
    {10008, LinuxTable::Iconv, "GBK"},               // Mac Simplified Chinese
    {10010, LinuxTable::None, nullptr},              // Mac Romanian
    {10017, LinuxTable::Iconv, "MAC-UK"},            // Mac Ukrainian
    {10021, LinuxTable::None, nullptr},              // Mac Thai
    {10029, LinuxTable::Iconv, "MAC-CENTRALEUROPE"}, // Mac Central European
    {10079, LinuxTable::Iconv, "MAC-IS"},            // Mac Icelandic
    {10081, LinuxTable::Icu, "x-mac-turkish"},       // Mac Turkish
    {10082, LinuxTable::None, nullptr},              // Mac Croatian
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

// Decodes text in one of the known code pages with the system's own converter: iconv or ICU on
// Linux, Windows' code page tables on Windows. Made once per page and kept, because making one
// costs far more than a run.
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

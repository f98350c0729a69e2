#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace quillomat {

// Where the Linux program finds a code page's table: the C library's iconv, or a table of the
// program's own for the Mac pages glibc lacks or names differently. None: Windows only.
enum class LinuxTable : quint8
{
    None,
    Iconv,
    Own
};

// The Windows code pages that text may come in, the same on every system, with the name iconv
// knows each by. The Mac double-byte pages are read with the nearest standard encoding:
// Shift_JIS (Microsoft's form) for Japanese, CP949 for Korean, Big5 and GBK.
struct KnownCodePage
{
    int codePage;
    LinuxTable linuxTable;
    const char* linuxName;
};
inline constexpr KnownCodePage kKnownCodePages[] = {
    {437, LinuxTable::Iconv, "IBM437"},
    {850, LinuxTable::Iconv, "IBM850"},
    {852, LinuxTable::Iconv, "IBM852"},
    {860, LinuxTable::Iconv, "IBM860"},
    {863, LinuxTable::Iconv, "IBM863"},
    {865, LinuxTable::Iconv, "IBM865"},
    {866, LinuxTable::Iconv, "IBM866"},
    {874, LinuxTable::Iconv, "CP874"},
    {932, LinuxTable::Iconv, "WINDOWS-31J"},
    {936, LinuxTable::Iconv, "CP936"},
    {949, LinuxTable::Iconv, "CP949"},
    {950, LinuxTable::Iconv, "CP950"},
    {1250, LinuxTable::Iconv, "CP1250"},
    {1251, LinuxTable::Iconv, "CP1251"},
    {1252, LinuxTable::Iconv, "CP1252"},
    {1253, LinuxTable::Iconv, "CP1253"},
    {1254, LinuxTable::Iconv, "CP1254"},
    {1255, LinuxTable::Iconv, "CP1255"},
    {1256, LinuxTable::Iconv, "CP1256"},
    {1257, LinuxTable::Iconv, "CP1257"},
    {1258, LinuxTable::Iconv, "CP1258"},
    {10000, LinuxTable::Iconv, "MACINTOSH"},
    {10001, LinuxTable::Iconv, "WINDOWS-31J"},       // Mac Japanese
    {10002, LinuxTable::Iconv, "BIG5"},              // Mac Traditional Chinese
    {10003, LinuxTable::Iconv, "CP949"},             // Mac Korean
    {10004, LinuxTable::None, nullptr},              // Mac Arabic
    {10005, LinuxTable::None, nullptr},              // Mac Hebrew
    {10006, LinuxTable::Own, nullptr},               // Mac Greek
    {10007, LinuxTable::Iconv, "MAC-CYRILLIC"},      // Mac Cyrillic
    {10008, LinuxTable::Iconv, "GBK"},               // Mac Simplified Chinese
    {10010, LinuxTable::None, nullptr},              // Mac Romanian
    {10017, LinuxTable::Iconv, "MAC-UK"},            // Mac Ukrainian
    {10021, LinuxTable::None, nullptr},              // Mac Thai
    {10029, LinuxTable::Iconv, "MAC-CENTRALEUROPE"}, // Mac Central European
    {10079, LinuxTable::Own, nullptr},               // Mac Icelandic
    {10081, LinuxTable::Own, nullptr},               // Mac Turkish
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

// Decodes text in one of the known code pages with the system's own converter: iconv (or the
// program's own table) on Linux, Windows' code page tables on Windows. Made once per page and kept,
// because making one costs far more than a run.
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

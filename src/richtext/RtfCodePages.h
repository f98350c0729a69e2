#pragma once

#include "platform/CodePageConverter.h"

#include <QByteArrayView>
#include <QString>

#include <map>

namespace quillomat::rtf {

// Windows' number for the Symbol font's own encoding (CP_SYMBOL).
constexpr int kSymbolCodePage = 42;
// Not a Windows code page: our number for the Wingdings font, whose bullets lists use.
constexpr int kWingdingsCodePage = 100042;
constexpr int kDefaultCodePage = 1252;

// The code page of an RTF \fcharset value; 0 when the charset has none of its own (1, "default",
// or a value we do not know), so that the document's code page applies.
int codePageOfCharset(int charset);

bool isDoubleByteCodePage(int codePage);

// True when `byte` starts a two-byte character in `codePage`.
bool isLeadByte(int codePage, unsigned char byte);

// Decodes text bytes in Windows code pages. Single-byte pages go through a 256-entry table built
// once per process; double-byte pages through one converter per page, kept for the object's
// life, because creating a converter costs far more than decoding a run.
class CodePageDecoder
{
public:
    // Appends the decoded bytes to `out`. Unknown code pages decode as Windows-1252.
    void decode(int codePage, QByteArrayView bytes, QString& out);
    // The character of one byte in a single-byte code page.
    char16_t decodeByte(int codePage, unsigned char byte)
    {
        return singleByteTable(codePage)[byte];
    }

private:
    const char16_t* singleByteTable(int codePage)
    {
        return codePage == m_lastCodePage && m_lastTable ? m_lastTable : loadTable(codePage);
    }
    const char16_t* loadTable(int codePage);

    std::map<int, CodePageConverter> m_doubleByteDecoders;
    int m_lastCodePage = 0;
    const char16_t* m_lastTable = nullptr;
};

} // namespace quillomat::rtf

#include "platform/CodePageConverter.h"

#include <windows.h>

namespace quillomat {

struct CodePageConverter::State
{
    UINT codePage;
    bool valid;
};

CodePageConverter::CodePageConverter(int codePage)
    : m_state(std::make_unique<State>(State{
          UINT(codePage), knownCodePage(codePage) && IsValidCodePage(UINT(codePage)) != FALSE}))
{
}

CodePageConverter::~CodePageConverter() = default;
CodePageConverter::CodePageConverter(CodePageConverter&&) noexcept = default;
CodePageConverter& CodePageConverter::operator=(CodePageConverter&&) noexcept = default;

bool CodePageConverter::isValid() const
{
    return m_state->valid;
}

QString CodePageConverter::decode(QByteArrayView bytes)
{
    if (!isValid())
        return {};
    // A lead byte at the end waits for a trail byte that never comes: it gives nothing.
    qsizetype whole = 0;
    while (whole < bytes.size()) {
        const bool lead = IsDBCSLeadByteEx(m_state->codePage, BYTE(bytes[whole]));
        if (lead && whole + 1 == bytes.size())
            break;
        whole += lead ? 2 : 1;
    }
    bytes = bytes.first(whole);
    if (bytes.isEmpty())
        return {};
    const auto convert = [&](DWORD flags, QString* out) {
        const int size = MultiByteToWideChar(m_state->codePage, flags, bytes.data(),
                                             int(bytes.size()), nullptr, 0);
        if (size <= 0 || !out)
            return size;
        out->resize(size);
        return MultiByteToWideChar(m_state->codePage, flags, bytes.data(), int(bytes.size()),
                                   reinterpret_cast<wchar_t*>(out->data()), size);
    };
    QString text;
    if (convert(MB_ERR_INVALID_CHARS, &text) > 0)
        return text;
    // Not text in this page: a lone byte is replaced as a whole; in a longer run Windows puts
    // its own default character where a sequence is invalid.
    if (bytes.size() == 1)
        return QString(QChar::ReplacementCharacter);
    convert(0, &text);
    return text;
}

} // namespace quillomat

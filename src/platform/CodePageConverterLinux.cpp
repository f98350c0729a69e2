#include "platform/CodePageConverter.h"

#include <QStringDecoder>
#include <QSysInfo>

#include <cerrno>
#include <iconv.h>

namespace quillomat {
namespace {

const iconv_t kNoIconv = iconv_t(-1);

QStringDecoder icuDecoderFor(const KnownCodePage* known)
{
    return known && known->linuxTable == LinuxTable::Icu
               ? QStringDecoder(known->linuxName, QStringConverter::Flag::Stateless)
               : QStringDecoder();
}

iconv_t iconvFor(const KnownCodePage* known)
{
    if (!known || known->linuxTable != LinuxTable::Iconv)
        return kNoIconv;
    const char* utf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
    return iconv_open(utf16, known->linuxName);
}

// iconv's text of `bytes`: a byte that starts no character of the page gives U+FFFD and the
// next byte is tried; an incomplete character at the end gives nothing.
QString decodeWithIconv(iconv_t converter, QByteArrayView bytes)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr); // a fresh start for every run
    QString out;
    out.resize(bytes.size() + 16);
    qsizetype used = 0;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char* outStart = reinterpret_cast<char*>(out.data() + used);
        char* outPos = outStart;
        size_t outLeft = size_t(out.size() - used) * sizeof(char16_t);
        const size_t result = iconv(converter, &in, &inLeft, &outPos, &outLeft);
        const int error = errno;
        used += (outPos - outStart) / qsizetype(sizeof(char16_t));
        if (result != size_t(-1) || error == EINVAL)
            break;
        if (used + 2 > out.size() || error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        out[used++] = QChar::ReplacementCharacter; // EILSEQ: no character of this page
        ++in;
        --inLeft;
    }
    out.resize(used);
    return out;
}

} // namespace

struct CodePageConverter::State
{
    QStringDecoder decoder;
    iconv_t iconv = kNoIconv;

    ~State()
    {
        if (iconv != kNoIconv)
            iconv_close(iconv);
    }
};

CodePageConverter::CodePageConverter(int codePage) : m_state(std::make_unique<State>())
{
    const KnownCodePage* known = knownCodePage(codePage);
    m_state->decoder = icuDecoderFor(known);
    m_state->iconv = iconvFor(known);
}

CodePageConverter::~CodePageConverter() = default;
CodePageConverter::CodePageConverter(CodePageConverter&&) noexcept = default;
CodePageConverter& CodePageConverter::operator=(CodePageConverter&&) noexcept = default;

bool CodePageConverter::isValid() const
{
    return m_state->iconv != kNoIconv || m_state->decoder.isValid();
}

QString CodePageConverter::decode(QByteArrayView bytes)
{
    if (m_state->iconv != kNoIconv)
        return decodeWithIconv(m_state->iconv, bytes);
    if (!m_state->decoder.isValid())
        return {};
    return m_state->decoder.decode(bytes);
}

} // namespace quillomat

#include "platform/CodePageConverter.h"

#include <QStringDecoder>

namespace quillomat {
namespace {

QStringDecoder decoderFor(int codePage)
{
    const KnownCodePage* known = knownCodePage(codePage);
    return known ? QStringDecoder(known->icuName, QStringConverter::Flag::Stateless)
                 : QStringDecoder();
}

} // namespace

struct CodePageConverter::State
{
    QStringDecoder decoder;
};

CodePageConverter::CodePageConverter(int codePage)
    : m_state(std::make_unique<State>(State{decoderFor(codePage)}))
{
}

CodePageConverter::~CodePageConverter() = default;
CodePageConverter::CodePageConverter(CodePageConverter&&) noexcept = default;
CodePageConverter& CodePageConverter::operator=(CodePageConverter&&) noexcept = default;

bool CodePageConverter::isValid() const
{
    return m_state->decoder.isValid();
}

QString CodePageConverter::decode(QByteArrayView bytes)
{
    if (!isValid())
        return {};
    return m_state->decoder.decode(bytes);
}

} // namespace quillomat

#include "catalogue/PackedTexts.h"

namespace quillomat {

void PackedTexts::append(int slot, QStringView text)
{
    if (text.isEmpty())
        return;
    const auto length = quint32(text.size());
    m_packed.append(QChar(char16_t(slot)))
        .append(QChar(char16_t(length >> 16)))
        .append(QChar(char16_t(length & 0xFFFF)))
        .append(text);
}

void PackedTexts::reserve(qsizetype characters)
{
    if (characters > 0)
        m_packed.reserve(m_packed.size() + characters + 3 * kEntryHeader);
}

QStringView PackedTexts::text(int slot) const
{
    const QStringView packed = m_packed;
    qsizetype at = 0;
    while (packed.size() - at >= kEntryHeader) {
        const qsizetype length =
            qsizetype(packed[at + 1].unicode()) << 16 | qsizetype(packed[at + 2].unicode());
        const qsizetype start = at + kEntryHeader;
        if (packed.size() - start < length)
            break; // cannot happen: append writes whole entries
        if (packed[at].unicode() == slot)
            return packed.sliced(start, length);
        at = start + length;
    }
    return {};
}

} // namespace quillomat

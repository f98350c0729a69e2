#include "text/ValueParsing.h"

namespace quillomat {
namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    return value < base ? value : -1;
}

// Accumulates the digits; nullopt on an empty run, a stray character or a value beyond limit.
std::optional<std::uint64_t> parseDigits(QStringView digits, int base, std::uint64_t limit)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (QChar c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> parseInteger(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    QStringView rest = text.mid(pos);
    if (rest.startsWith(u'$') || rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        rest = rest.mid(rest.startsWith(u'$') ? 1 : 2);
        const auto value = parseDigits(rest, 16, 0xFFFFFFFFull);
        if (!value)
            return std::nullopt;
        // Hexadecimal spells the bit pattern: wrap into the signed range.
        const auto bits = static_cast<std::uint32_t>(*value);
        const auto magnitude = static_cast<std::int32_t>(bits);
        return negative ? static_cast<std::int32_t>(0u - bits) : magnitude;
    }
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    const auto value = parseDigits(rest, 10, limit);
    if (!value)
        return std::nullopt;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(*value))
                    : static_cast<std::int32_t>(*value);
}

} // namespace quillomat

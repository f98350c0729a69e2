#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace quillomat {

// Parses an integer as disc authors write them in INI files: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x". Hexadecimal covers the full
// 32 bits, so $80000010 is -2147483632 (two's complement). Anything else, an empty text, or a
// value outside 32 bits gives nullopt.
// A yes/no value is such an integer: 0 is no, any other number yes.
std::optional<std::int32_t> parseInteger(QStringView text);

} // namespace quillomat

#pragma once

#include <QString>

#include <span>

namespace quillomat {

struct BuiltinText
{
    const char16_t* key;
    const char16_t* text;
};

// The English texts of the built-in language "default", in the order they are added to it.
std::span<const BuiltinText> builtinTexts();

} // namespace quillomat

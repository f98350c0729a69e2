#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The keys of the skin file and what each acts on: data for the skin reader's one loop, and
// what the disc checker knows a skin file by. Plain data, so that tools without windows use it.
namespace quillomat::skinkeys {

// The one section the skin reader looks at.
inline constexpr std::string_view kSection = "Quillomat Skin";

enum class ValueType
{
    Integer,
    Colour,
    Boolean,
    Text,
};

// What a key acts on. The description font is a target of its own: the pane's position and
// fill belong to the pane, its font keys to the window's DescriptionFont.
enum class Target
{
    Window,
    SortBy,
    Filter,
    List,
    Description,
    DescriptionFont,
    Preview,
    Setup,
    Help,
    Minimize,
    Close,
};

enum class Property
{
    Left,
    Top,
    Width,
    Height,
    Background,
    FontName,
    FontSize,
    FontBold,
    FontColor,
    Fill,
    Border,
    Arrow,
    ArrowBackground,
    FrameColor,
    FrameVisible,
    SignColor,
};

struct SkinKey
{
    std::string_view name;
    ValueType type;
    Target target;
    Property property;
    // The design value the key's target has until a skin sets it: a number for integers,
    // colours (0x00BBGGRR, or a system colour) and booleans (0 or 1), text for text keys.
    std::int64_t defaultNumber = 0;
    std::string_view defaultText = {};
};

// The largest window side the skin reader sets: larger than the widest displays in use (7680
// pixels), so that the window's buffer stays below 256 MB. A side outside 1 to this is ignored.
inline constexpr int kMaxWindowSide = 8192;

// The system colour of a button's shadow, the design frame colour of the caption buttons.
inline constexpr std::int64_t kButtonShadow = 0x80000010;

using enum ValueType;
using enum Target;
using enum Property;

// Every key in the order it is read and applied; each is applied as soon as it is read.
inline constexpr std::array kSkinKeys = {
    SkinKey{"dialog.width", Integer, Window, Width, 592},
    SkinKey{"dialog.height", Integer, Window, Height, 373},
    SkinKey{"dialog.bitmap", Text, Window, Background, 0, ""},

    SkinKey{"sortby.position.left", Integer, SortBy, Left, 30},
    SkinKey{"sortby.position.top", Integer, SortBy, Top, 76},
    SkinKey{"sortby.position.width", Integer, SortBy, Width, 201},
    SkinKey{"sortby.font.name", Text, SortBy, FontName, 0, "MS Sans Serif"},
    SkinKey{"sortby.font.size", Integer, SortBy, FontSize, 8},
    SkinKey{"sortby.font.bold", Boolean, SortBy, FontBold, 0},
    SkinKey{"sortby.font.color", Colour, SortBy, FontColor, 0xC0C0C0},
    SkinKey{"sortby.color.fill", Colour, SortBy, Fill, 0x404040},
    SkinKey{"sortby.color.border", Colour, SortBy, Border, 0x808080},
    SkinKey{"sortby.color.arrow", Colour, SortBy, Arrow, 0x404040},
    SkinKey{"sortby.color.arrow_bkg", Colour, SortBy, ArrowBackground, 0xC0C0C0},

    SkinKey{"filter.position.left", Integer, Filter, Left, 30},
    SkinKey{"filter.position.top", Integer, Filter, Top, 109},
    SkinKey{"filter.position.width", Integer, Filter, Width, 201},
    SkinKey{"filter.font.name", Text, Filter, FontName, 0, "MS Sans Serif"},
    SkinKey{"filter.font.size", Integer, Filter, FontSize, 8},
    SkinKey{"filter.font.bold", Boolean, Filter, FontBold, 0},
    SkinKey{"filter.font.color", Colour, Filter, FontColor, 0xC0C0C0},
    SkinKey{"filter.color.fill", Colour, Filter, Fill, 0x404040},
    SkinKey{"filter.color.border", Colour, Filter, Border, 0x808080},
    SkinKey{"filter.color.arrow", Colour, Filter, Arrow, 0x404040},
    SkinKey{"filter.color.arrow_bkg", Colour, Filter, ArrowBackground, 0xC0C0C0},

    SkinKey{"quillzlist.position.left", Integer, List, Left, 30},
    SkinKey{"quillzlist.position.top", Integer, List, Top, 144},
    SkinKey{"quillzlist.position.width", Integer, List, Width, 201},
    SkinKey{"quillzlist.position.height", Integer, List, Height, 172},
    SkinKey{"quillzlist.font.name", Text, List, FontName, 0, "MS Sans Serif"},
    SkinKey{"quillzlist.font.size", Integer, List, FontSize, 8},
    SkinKey{"quillzlist.font.bold", Boolean, List, FontBold, 0},
    SkinKey{"quillzlist.font.color", Colour, List, FontColor, 0xC0C0C0},
    SkinKey{"quillzlist.color.fill", Colour, List, Fill, 0x404040},

    SkinKey{"description.position.left", Integer, Description, Left, 250},
    SkinKey{"description.position.top", Integer, Description, Top, 66},
    SkinKey{"description.position.width", Integer, Description, Width, 321},
    SkinKey{"description.position.height", Integer, Description, Height, 251},
    SkinKey{"description.color.fill", Colour, Description, Fill, 0x404040},
    SkinKey{"description.font.name", Text, DescriptionFont, FontName, 0, "Tahoma"},
    SkinKey{"description.font.size", Integer, DescriptionFont, FontSize, 10},
    SkinKey{"description.font.bold", Boolean, DescriptionFont, FontBold, 0},
    SkinKey{"description.font.color", Colour, DescriptionFont, FontColor, 0xFFFFFF},

    SkinKey{"preview.position.left", Integer, Preview, Left, 428},
    SkinKey{"preview.position.top", Integer, Preview, Top, 324},
    SkinKey{"preview.position.width", Integer, Preview, Width, 67},
    SkinKey{"preview.position.height", Integer, Preview, Height, 21},
    SkinKey{"preview.font.name", Text, Preview, FontName, 0, "MS Sans Serif"},
    SkinKey{"preview.font.size", Integer, Preview, FontSize, 8},
    SkinKey{"preview.font.bold", Boolean, Preview, FontBold, 0},
    SkinKey{"preview.font.color", Colour, Preview, FontColor, 0xFFFFFF},
    SkinKey{"preview.border.color", Colour, Preview, FrameColor, kButtonShadow},
    SkinKey{"preview.border.visible", Boolean, Preview, FrameVisible, 0},

    SkinKey{"setup.position.left", Integer, Setup, Left, 496},
    SkinKey{"setup.position.top", Integer, Setup, Top, 324},
    SkinKey{"setup.position.width", Integer, Setup, Width, 67},
    SkinKey{"setup.position.height", Integer, Setup, Height, 21},
    SkinKey{"setup.font.name", Text, Setup, FontName, 0, "MS Sans Serif"},
    SkinKey{"setup.font.size", Integer, Setup, FontSize, 8},
    SkinKey{"setup.font.bold", Boolean, Setup, FontBold, 1},
    SkinKey{"setup.font.color", Colour, Setup, FontColor, 0xFFFFFF},
    SkinKey{"setup.border.color", Colour, Setup, FrameColor, kButtonShadow},
    SkinKey{"setup.border.visible", Boolean, Setup, FrameVisible, 0},

    SkinKey{"help.position.left", Integer, Help, Left, 474},
    SkinKey{"help.position.top", Integer, Help, Top, 12},
    SkinKey{"help.position.width", Integer, Help, Width, 16},
    SkinKey{"help.position.height", Integer, Help, Height, 16},

    SkinKey{"minimize.position.left", Integer, Minimize, Left, 502},
    SkinKey{"minimize.position.top", Integer, Minimize, Top, 12},
    SkinKey{"minimize.position.width", Integer, Minimize, Width, 16},
    SkinKey{"minimize.position.height", Integer, Minimize, Height, 15},
    SkinKey{"minimize.color", Colour, Minimize, SignColor, 0x000000},

    SkinKey{"close.position.left", Integer, Close, Left, 522},
    SkinKey{"close.position.top", Integer, Close, Top, 12},
    SkinKey{"close.position.width", Integer, Close, Width, 16},
    SkinKey{"close.position.height", Integer, Close, Height, 15},
    SkinKey{"close.color", Colour, Close, SignColor, 0x000000},
};
static_assert(kSkinKeys.size() == 77);

// The value type each property takes; checked against every row above, so that a slip in the
// table's type column does not compile.
constexpr ValueType typeOf(Property property)
{
    switch (property) {
    case Left:
    case Top:
    case Width:
    case Height:
    case FontSize:
        return Integer;
    case Background:
    case FontName:
        return Text;
    case FontBold:
    case FrameVisible:
        return Boolean;
    case FontColor:
    case Fill:
    case Border:
    case Arrow:
    case ArrowBackground:
    case FrameColor:
    case SignColor:
        return Colour;
    }
    return Text;
}

// The key that sets this property of this target; null when the target has no such key (the
// combo boxes have no height key, the help button no sign colour).
constexpr const SkinKey* findSkinKey(Target target, Property property)
{
    for (const SkinKey& key : kSkinKeys)
        if (key.target == target && key.property == property)
            return &key;
    return nullptr;
}

constexpr bool typesMatch()
{
    for (const SkinKey& key : kSkinKeys)
        if (key.type != typeOf(key.property))
            return false;
    return true;
}
static_assert(typesMatch());

} // namespace quillomat::skinkeys

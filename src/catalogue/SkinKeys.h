#pragma once

#include <array>
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
};

using enum ValueType;
using enum Target;
using enum Property;

// Every key in the order it is read and applied; each is applied as soon as it is read.
inline constexpr std::array kSkinKeys = {
    SkinKey{"dialog.width", Integer, Window, Width},
    SkinKey{"dialog.height", Integer, Window, Height},
    SkinKey{"dialog.bitmap", Text, Window, Background},

    SkinKey{"sortby.position.left", Integer, SortBy, Left},
    SkinKey{"sortby.position.top", Integer, SortBy, Top},
    SkinKey{"sortby.position.width", Integer, SortBy, Width},
    SkinKey{"sortby.font.name", Text, SortBy, FontName},
    SkinKey{"sortby.font.size", Integer, SortBy, FontSize},
    SkinKey{"sortby.font.bold", Boolean, SortBy, FontBold},
    SkinKey{"sortby.font.color", Colour, SortBy, FontColor},
    SkinKey{"sortby.color.fill", Colour, SortBy, Fill},
    SkinKey{"sortby.color.border", Colour, SortBy, Border},
    SkinKey{"sortby.color.arrow", Colour, SortBy, Arrow},
    SkinKey{"sortby.color.arrow_bkg", Colour, SortBy, ArrowBackground},

    SkinKey{"filter.position.left", Integer, Filter, Left},
    SkinKey{"filter.position.top", Integer, Filter, Top},
    SkinKey{"filter.position.width", Integer, Filter, Width},
    SkinKey{"filter.font.name", Text, Filter, FontName},
    SkinKey{"filter.font.size", Integer, Filter, FontSize},
    SkinKey{"filter.font.bold", Boolean, Filter, FontBold},
    SkinKey{"filter.font.color", Colour, Filter, FontColor},
    SkinKey{"filter.color.fill", Colour, Filter, Fill},
    SkinKey{"filter.color.border", Colour, Filter, Border},
    SkinKey{"filter.color.arrow", Colour, Filter, Arrow},
    SkinKey{"filter.color.arrow_bkg", Colour, Filter, ArrowBackground},

    SkinKey{"quillzlist.position.left", Integer, List, Left},
    SkinKey{"quillzlist.position.top", Integer, List, Top},
    SkinKey{"quillzlist.position.width", Integer, List, Width},
    SkinKey{"quillzlist.position.height", Integer, List, Height},
    SkinKey{"quillzlist.font.name", Text, List, FontName},
    SkinKey{"quillzlist.font.size", Integer, List, FontSize},
    SkinKey{"quillzlist.font.bold", Boolean, List, FontBold},
    SkinKey{"quillzlist.font.color", Colour, List, FontColor},
    SkinKey{"quillzlist.color.fill", Colour, List, Fill},

    SkinKey{"description.position.left", Integer, Description, Left},
    SkinKey{"description.position.top", Integer, Description, Top},
    SkinKey{"description.position.width", Integer, Description, Width},
    SkinKey{"description.position.height", Integer, Description, Height},
    SkinKey{"description.color.fill", Colour, Description, Fill},
    SkinKey{"description.font.name", Text, DescriptionFont, FontName},
    SkinKey{"description.font.size", Integer, DescriptionFont, FontSize},
    SkinKey{"description.font.bold", Boolean, DescriptionFont, FontBold},
    SkinKey{"description.font.color", Colour, DescriptionFont, FontColor},

    SkinKey{"preview.position.left", Integer, Preview, Left},
    SkinKey{"preview.position.top", Integer, Preview, Top},
    SkinKey{"preview.position.width", Integer, Preview, Width},
    SkinKey{"preview.position.height", Integer, Preview, Height},
    SkinKey{"preview.font.name", Text, Preview, FontName},
    SkinKey{"preview.font.size", Integer, Preview, FontSize},
    SkinKey{"preview.font.bold", Boolean, Preview, FontBold},
    SkinKey{"preview.font.color", Colour, Preview, FontColor},
    SkinKey{"preview.border.color", Colour, Preview, FrameColor},
    SkinKey{"preview.border.visible", Boolean, Preview, FrameVisible},

    SkinKey{"setup.position.left", Integer, Setup, Left},
    SkinKey{"setup.position.top", Integer, Setup, Top},
    SkinKey{"setup.position.width", Integer, Setup, Width},
    SkinKey{"setup.position.height", Integer, Setup, Height},
    SkinKey{"setup.font.name", Text, Setup, FontName},
    SkinKey{"setup.font.size", Integer, Setup, FontSize},
    SkinKey{"setup.font.bold", Boolean, Setup, FontBold},
    SkinKey{"setup.font.color", Colour, Setup, FontColor},
    SkinKey{"setup.border.color", Colour, Setup, FrameColor},
    SkinKey{"setup.border.visible", Boolean, Setup, FrameVisible},

    SkinKey{"help.position.left", Integer, Help, Left},
    SkinKey{"help.position.top", Integer, Help, Top},
    SkinKey{"help.position.width", Integer, Help, Width},
    SkinKey{"help.position.height", Integer, Help, Height},

    SkinKey{"minimize.position.left", Integer, Minimize, Left},
    SkinKey{"minimize.position.top", Integer, Minimize, Top},
    SkinKey{"minimize.position.width", Integer, Minimize, Width},
    SkinKey{"minimize.position.height", Integer, Minimize, Height},
    SkinKey{"minimize.color", Colour, Minimize, SignColor},

    SkinKey{"close.position.left", Integer, Close, Left},
    SkinKey{"close.position.top", Integer, Close, Top},
    SkinKey{"close.position.width", Integer, Close, Width},
    SkinKey{"close.position.height", Integer, Close, Height},
    SkinKey{"close.color", Colour, Close, SignColor},
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

constexpr bool typesMatch()
{
    for (const SkinKey& key : kSkinKeys)
        if (key.type != typeOf(key.property))
            return false;
    return true;
}
static_assert(typesMatch());

} // namespace quillomat::skinkeys

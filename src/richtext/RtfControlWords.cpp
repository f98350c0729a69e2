#include "richtext/RtfControlWords.h"

#include <array>
#include <cstdint>

namespace quillomat::rtf {
namespace {

constexpr ControlWord kControlWords[] = {
    {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColorTable},
    {"pict", Word::Picture},
    // Destinations whose content is not document text.
    {"stylesheet", Word::SkippedDestination},
    {"info", Word::SkippedDestination},
    {"header", Word::SkippedDestination},
    {"headerl", Word::SkippedDestination},
    {"headerr", Word::SkippedDestination},
    {"headerf", Word::SkippedDestination},
    {"footer", Word::SkippedDestination},
    {"footerl", Word::SkippedDestination},
    {"footerr", Word::SkippedDestination},
    {"footerf", Word::SkippedDestination},
    {"footnote", Word::SkippedDestination},
    {"annotation", Word::SkippedDestination},
    {"listtable", Word::SkippedDestination},
    {"listoverridetable", Word::SkippedDestination},
    {"pn", Word::SkippedDestination},
    // Paragraph-numbering definitions: the numbers they describe appear in \pntext.
    {"pnseclvl", Word::SkippedDestination},
    {"pntxta", Word::SkippedDestination},
    {"pntxtb", Word::SkippedDestination},
    {"fldinst", Word::SkippedDestination},
    {"object", Word::ShownDestination},
    {"objdata", Word::SkippedDestination},
    {"objclass", Word::SkippedDestination},
    {"objname", Word::SkippedDestination},
    {"nonshppict", Word::SkippedDestination},
    {"filetbl", Word::SkippedDestination},
    {"revtbl", Word::SkippedDestination},
    {"rsidtbl", Word::SkippedDestination},
    {"generator", Word::SkippedDestination},
    {"userprops", Word::SkippedDestination},
    {"docvar", Word::SkippedDestination},
    {"template", Word::SkippedDestination},
    {"themedata", Word::SkippedDestination},
    {"colorschememapping", Word::SkippedDestination},
    {"latentstyles", Word::SkippedDestination},
    {"datastore", Word::SkippedDestination},
    {"xmlnstbl", Word::SkippedDestination},
    {"pgdsctbl", Word::SkippedDestination},
    {"xe", Word::SkippedDestination},
    {"tc", Word::SkippedDestination},
    {"ftnsep", Word::SkippedDestination},
    {"ftnsepc", Word::SkippedDestination},
    {"aftnsep", Word::SkippedDestination},
    {"aftnsepc", Word::SkippedDestination},
    // Destinations whose text is shown: field results, list labels, pictures of shapes.
    {"field", Word::ShownDestination},
    {"fldrslt", Word::ShownDestination},
    {"listtext", Word::ShownDestination},
    {"pntext", Word::ShownDestination},
    {"shppict", Word::ShownDestination},
    {"result", Word::ShownDestination},
    {"ud", Word::ShownDestination},
    {"upr", Word::AnsiAlternative},
    // Styles are not read: the formatting words written beside them apply.
    {"cs", Word::Ignored},
    {"ds", Word::Ignored},
    {"ts", Word::Ignored},

    {"ansi", Word::Ansi},
    {"ansicpg", Word::AnsiCodePage},
    {"mac", Word::Mac},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"deff", Word::DefaultFont},
    {"f", Word::Font},
    {"fcharset", Word::FontCharset},
    {"cpg", Word::FontCodePage},
    {"red", Word::Red},
    {"green", Word::Green},
    {"blue", Word::Blue},

    {"plain", Word::Plain},
    {"b", Word::Bold},
    {"i", Word::Italic},
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulth", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"strike", Word::Strike},
    {"striked", Word::Strike},
    {"fs", Word::FontSize},
    {"cf", Word::Foreground},
    {"cb", Word::Background},
    {"chcbpat", Word::Background},
    {"highlight", Word::Highlight},
    {"super", Word::Superscript},
    {"sub", Word::Subscript},
    {"nosupersub", Word::NoSuperSub},
    {"v", Word::Hidden},

    {"pard", Word::ParagraphDefaults},
    {"par", Word::Paragraph},
    {"sect", Word::Section},
    {"page", Word::Page},
    {"line", Word::Line},
    {"tab", Word::Tab},
    {"ql", Word::AlignLeft},
    {"qc", Word::AlignCentre},
    {"qr", Word::AlignRight},
    {"qj", Word::AlignJustify},
    {"qd", Word::AlignJustify},
    {"li", Word::LeftIndent},
    {"ri", Word::RightIndent},
    {"fi", Word::FirstLineIndent},
    {"sb", Word::SpaceBefore},
    {"sa", Word::SpaceAfter},
    {"intbl", Word::InTable},

    {"trowd", Word::RowDefaults},
    {"cellx", Word::CellRightEdge},
    {"cell", Word::Cell},
    {"row", Word::Row},
    {"nestcell", Word::NestedCell},
    {"nestrow", Word::NestedRow},

    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"bin", Word::Binary},

    {"emdash", Word::Character, u'\u2014'},
    {"endash", Word::Character, u'\u2013'},
    {"bullet", Word::Character, u'\u2022'},
    {"lquote", Word::Character, u'\u2018'},
    {"rquote", Word::Character, u'\u2019'},
    {"ldblquote", Word::Character, u'\u201C'},
    {"rdblquote", Word::Character, u'\u201D'},
    {"emspace", Word::Character, u'\u2003'},
    {"enspace", Word::Character, u'\u2002'},
    {"qmspace", Word::Character, u'\u2005'},
    {"zwj", Word::Character, u'\u200D'},
    {"zwnj", Word::Character, u'\u200C'},
    {"ltrmark", Word::Character, u'\u200E'},
    {"rtlmark", Word::Character, u'\u200F'},

    {"pngblip", Word::PngBlip},
    {"jpegblip", Word::JpegBlip},
    {"picwgoal", Word::PictureGoalWidth},
    {"pichgoal", Word::PictureGoalHeight},
    {"picscalex", Word::PictureScaleX},
    {"picscaley", Word::PictureScaleY},
};

// Open addressing over a power of two comfortably larger than the table keeps probes short;
// control words are looked up for every one read, so this is on the hot path.
constexpr std::size_t kSlotCount = 512;
static_assert(std::size(kControlWords) * 2 < kSlotCount);

constexpr std::uint32_t hashName(std::string_view name)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

struct Index
{
    std::array<const ControlWord*, kSlotCount> slots{};

    Index()
    {
        for (const ControlWord& entry : kControlWords) {
            std::size_t slot = hashName(entry.name) & (kSlotCount - 1);
            while (slots[slot])
                slot = (slot + 1) & (kSlotCount - 1);
            slots[slot] = &entry;
        }
    }
};

// Names are a few letters long: a loop of our own is faster than a call to memcmp.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

} // namespace

const ControlWord* findControlWord(std::string_view name)
{
    static const Index index;
    std::size_t slot = hashName(name) & (kSlotCount - 1);
    while (const ControlWord* entry = index.slots[slot]) {
        if (sameName(entry->name, name))
            return entry;
        slot = (slot + 1) & (kSlotCount - 1);
    }
    return nullptr;
}

} // namespace quillomat::rtf

#include "catalogue/BuiltinTexts.h"

#include <array>

namespace quillomat {
namespace {

// "\\n" is stored as backslash and n; the pane turns it into a line break when it shows it.
constexpr std::array<BuiltinText, 19> kBuiltinTexts{{
    {u"ButtonPreview", u"&preview"},
    {u"ButtonSetup", u"&setup"},
    {u"Name", u"name"},
    {u"MenuHelp", u"&help"},
    {u"MenuAbout", u"&about"},
    {u"Category", u"category"},
    {u"CategoryAll", u"all"},
    {u"CategoryOther", u"other"},
    {u"Company", u"company"},
    {u"Search", u"search..."},
    {u"SearchHelp",
     u"Specify the keywords and press [return].\\nThe keywords are combined using \"or\"."},
    {u"NoSearchResults", u"Cannot find find any match"},
    {u"NoDescription", u"No description given."},
    {u"CannotOpenFile", u"Cannot open file \"%s\"."},
    {u"FileNotFound", u"File \"%s\" not found."},
    {u"UnknownDocType", u"\"%s\" is not linked to any application."},
    {u"NoTarget", u"No file specified to run."},
    {u"PreviewTitle", u"Quillomat - Preview"},
    {u"CannotOpenBitmap", u"Cannot open \"%s\" or it has got an unknown extension."},
}};

} // namespace

std::span<const BuiltinText> builtinTexts()
{
    return kBuiltinTexts;
}

} // namespace quillomat

#include "app/SkinModul.h"

#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "app/SkinPalette.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "platform/FileProbe.h"
#include "platform/IniFile.h"
#include "platform/ValueParsing.h"

#include <QFile>
#include <QImageReader>
#include <QTextEdit>

#include <array>
#include <optional>
#include <string_view>

namespace quillomat {
namespace {

const QString kSection = QStringLiteral("Quillomat Skin");
const QString kBuiltInBackground = QStringLiteral(":/quillomat/background101.png");

// Font names are kept as the font system of the original platform stores them: 31 characters.
constexpr qsizetype kMaxFontNameLength = 31;

// Larger than the widest displays in use (7680 pixels); the window's buffer then stays below
// 256 MB.
constexpr int kMaxWindowSide = 8192;

// The background of the minimize and close signs; every other pixel belongs to the sign.
constexpr QRgb kSignBackground = 0xC0C0C0;

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
constexpr std::array kSkinKeys = {
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

// The value type each property takes; checked against every row below, so that a slip in the
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

QWidget* widgetOf(TMain_Form& form, Target target)
{
    switch (target) {
    case Window:
        return &form;
    case SortBy:
        return form.SortBy_ComboBox;
    case Filter:
        return form.SortFilter_ComboBox;
    case List:
        return form.Quillz_ListView;
    case Description:
        return form.Description_RichEdit;
    case DescriptionFont:
        return nullptr;
    case Preview:
        return form.Preview_ExtSpeedButton;
    case Setup:
        return form.Setup_ExtSpeedButton;
    case Help:
        return form.Help_ExtSpeedButton;
    case Minimize:
        return form.Minimize_ExtSpeedButton;
    case Close:
        return form.Close_ExtSpeedButton;
    }
    return nullptr;
}

TFlatComboBox* comboBoxOf(TMain_Form& form, Target target)
{
    return target == SortBy   ? form.SortBy_ComboBox
           : target == Filter ? form.SortFilter_ComboBox
                              : nullptr;
}

TExtSpeedButton* buttonOf(TMain_Form& form, Target target)
{
    return qobject_cast<TExtSpeedButton*>(widgetOf(form, target));
}

QFont fontOf(TMain_Form& form, Target target)
{
    if (target == DescriptionFont)
        return form.DescriptionFont.font;
    return widgetOf(form, target)->font();
}

void setFontOf(TMain_Form& form, Target target, const QFont& font)
{
    if (target == DescriptionFont)
        form.DescriptionFont.font = font;
    else
        widgetOf(form, target)->setFont(font);
}

void setFontColorOf(TMain_Form& form, Target target, ColorValue color)
{
    if (target == DescriptionFont)
        form.DescriptionFont.color = color;
    else if (target == List)
        setPanelTextColor(*form.Quillz_ListView, color);
    else if (TFlatComboBox* box = comboBoxOf(form, target))
        box->setFontColor(color);
    else if (TExtSpeedButton* button = buttonOf(form, target))
        button->setFontColor(color);
}

void setFillOf(TMain_Form& form, Target target, ColorValue color)
{
    if (TFlatComboBox* box = comboBoxOf(form, target))
        box->setColor(color);
    else if (QWidget* panel = widgetOf(form, target))
        setPanelFillColor(*panel, color);
}

// The window's width or height. A side the window cannot have is taken as a value that does
// not convert, and the window keeps that side: below one pixel a window has no area, and above
// kMaxWindowSide it could not be seen whole on any display while its buffer takes gigabytes
// (or the display server refuses it and nothing is shown at all).
void setWindowSide(TMain_Form& form, Property side, int value)
{
    if (value < 1 || value > kMaxWindowSide)
        return;
    if (side == Width)
        form.resize(value, form.height());
    else
        form.resize(form.width(), value);
}

// A control's side may be zero or negative: Qt shows such a control with no area.
void setGeometryPart(QWidget& widget, Property part, int value)
{
    switch (part) {
    case Left:
        widget.move(value, widget.y());
        break;
    case Top:
        widget.move(widget.x(), value);
        break;
    case Width:
        widget.resize(value, widget.height());
        break;
    case Height:
        widget.resize(widget.width(), value);
        break;
    default:
        break;
    }
}

// Every pixel that is not exactly silver takes the colour: the sign, whatever its colour was.
void recolourSign(TExtSpeedButton& button, ColorValue color)
{
    if (button.Glyph().isNull())
        return;
    const QRgb sign = colorFromValue(color).rgb();
    button.editGlyph([sign](QImage& glyph) {
        glyph = glyph.convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x < glyph.width(); ++x)
            for (int y = 0; y < glyph.height(); ++y)
                if ((glyph.pixel(x, y) & RGB_MASK) != kSignBackground)
                    glyph.setPixel(x, y, sign);
    });
}

// The background named relative to the program folder, read as a BMP file whatever its name
// or content says; the built-in picture when that fails.
QImage loadBackground(const QString& programFolder, const QString& value)
{
    // Skins are written on Windows, where a backslash separates folders.
    QFile file(programFolder + QString(value).replace(u'\\', u'/'));
    if (!value.isEmpty() && file.open(QIODevice::ReadOnly)) {
        QImageReader reader(&file, "bmp");
        reader.setAutoDetectImageFormat(false);
        QImage picture;
        if (reader.read(&picture))
            return picture;
    }
    return QImage(kBuiltInBackground);
}

void applyText(TMain_Form& form, const SkinKey& key, const QString& value)
{
    if (key.property == Background) {
        form.BackgroundBitmap = loadBackground(form.ProgramFolder, value);
        return;
    }
    // Font name: an empty value leaves the name.
    if (value.isEmpty())
        return;
    QFont font = fontOf(form, key.target);
    font.setFamily(value.left(kMaxFontNameLength));
    setFontOf(form, key.target, font);
}

void applyNumber(TMain_Form& form, const SkinKey& key, std::optional<qint32> read)
{
    // The signs are the exception to "missing leaves the target": without the key they are
    // black again.
    if (key.property == SignColor) {
        if (TExtSpeedButton* button = buttonOf(form, key.target))
            recolourSign(*button, read.value_or(clBlack));
        return;
    }
    if (!read)
        return;
    const qint32 value = *read;

    switch (key.property) {
    case Left:
    case Top:
    case Width:
    case Height:
        if (key.target == Window)
            setWindowSide(form, key.property, value);
        else
            setGeometryPart(*widgetOf(form, key.target), key.property, value);
        break;
    case FontSize: {
        // Qt refuses a size below one point; such a value leaves the size.
        if (value < 1)
            break;
        QFont font = fontOf(form, key.target);
        font.setPointSize(value);
        setFontOf(form, key.target, font);
        break;
    }
    case FontBold: {
        QFont font = fontOf(form, key.target);
        font.setBold(value != 0);
        setFontOf(form, key.target, font);
        break;
    }
    case FontColor:
        setFontColorOf(form, key.target, value);
        break;
    case Fill:
        setFillOf(form, key.target, value);
        break;
    case Border:
        comboBoxOf(form, key.target)->setColorBorder(value);
        break;
    case Arrow:
        comboBoxOf(form, key.target)->setColorArrow(value);
        break;
    case ArrowBackground:
        comboBoxOf(form, key.target)->setColorArrowBackground(value);
        break;
    case FrameColor:
        buttonOf(form, key.target)->setFrameColor(value);
        break;
    case FrameVisible:
        buttonOf(form, key.target)->setFrameVisible(value != 0);
        break;
    case Background:
    case FontName:
    case SignColor:
        break;
    }
}

} // namespace

void LoadSkin(TMain_Form& form, const QString& skinFile)
{
    if (!canOpenForReading(skinFile))
        return;
    const std::optional<IniFile> ini = IniFile::load(skinFile);
    if (!ini)
        return;

    for (const SkinKey& key : kSkinKeys) {
        const QString name = QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
        const QString text = ini->value(kSection, name);
        if (key.type == Text)
            applyText(form, key, text);
        else
            applyNumber(form, key, parseInteger(text));
    }
}

} // namespace quillomat

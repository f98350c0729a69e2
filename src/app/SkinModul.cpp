#include "app/SkinModul.h"

#include "app/SkinPalette.h"
#include "catalogue/SkinKeys.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "graphics/PreviewPicture.h"
#include "platform/CasePaths.h"
#include "platform/RegularFile.h"
#include "resources/BuiltinPictures.h"
#include "text/IniFile.h"
#include "text/ValueParsing.h"

#include <QTextEdit>

#include <optional>

namespace quillomat {
namespace {

// A font name keeps at most 31 characters, the longest face name of a Windows font; skins are
// written there, and a longer name in one was cut there too.
constexpr qsizetype kMaxFontNameLength = 31;

// A font whose line is taller than the largest window could not show one whole line (at 96
// dots per inch 6144 points are kMaxWindowSide pixels); far larger sizes make Qt draw nothing.
constexpr int kMaxFontPoints = skinkeys::kMaxWindowSide * 72 / 96;

// The background of the minimize and close signs; every other pixel belongs to the sign.
constexpr QRgb kSignBackground = 0xC0C0C0;

using namespace skinkeys;

QWidget* widgetOf(SkinnableWindow& form, Target target)
{
    return target == Window ? &form.skinnedWindow() : form.skinnedControl(target);
}

TFlatComboBox* comboBoxOf(SkinnableWindow& form, Target target)
{
    return target == SortBy || target == Filter
               ? qobject_cast<TFlatComboBox*>(widgetOf(form, target))
               : nullptr;
}

TExtSpeedButton* buttonOf(SkinnableWindow& form, Target target)
{
    return qobject_cast<TExtSpeedButton*>(widgetOf(form, target));
}

QFont fontOf(SkinnableWindow& form, Target target)
{
    if (target == DescriptionFont)
        return form.skinnedDescriptionFont().font;
    return widgetOf(form, target)->font();
}

void setFontOf(SkinnableWindow& form, Target target, const QFont& font)
{
    if (target == DescriptionFont) {
        ColoredFont described = form.skinnedDescriptionFont();
        described.font = font;
        form.setSkinnedDescriptionFont(described);
    } else
        widgetOf(form, target)->setFont(font);
}

void setFontColorOf(SkinnableWindow& form, Target target, ColorValue color)
{
    if (target == DescriptionFont) {
        ColoredFont described = form.skinnedDescriptionFont();
        described.color = color;
        form.setSkinnedDescriptionFont(described);
    } else if (target == List)
        setPanelTextColor(*widgetOf(form, target), color);
    else if (TFlatComboBox* box = comboBoxOf(form, target))
        box->setFontColor(color);
    else if (TExtSpeedButton* button = buttonOf(form, target))
        button->setFontColor(color);
}

void setFillOf(SkinnableWindow& form, Target target, ColorValue color)
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
void setWindowSide(QWidget& window, Property side, int value)
{
    if (value < 1 || value > kMaxWindowSide)
        return;
    if (side == Width)
        window.resize(value, window.height());
    else
        window.resize(window.width(), value);
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

// A BMP file, whatever its name or content says; a null image when it cannot be read.
// Skins are written on Windows, where letter case does not matter.
QImage readBitmapFile(const QString& path)
{
    return loadBmpPicture(resolvePathCase(path).path).value_or(QImage());
}

// The background named relative to the program folder, for a screen of the given pixel ratio
// (with its "@2x" companion where there is one, see builtin::sharpPicture); the built-in
// picture when the file cannot be read.
QImage loadBackground(const QString& programFolder, const QString& value, qreal pixelRatio)
{
    // Skins are written on Windows, where a backslash separates folders.
    const QString path = programFolder + QString(value).replace(u'\\', u'/');
    const QImage plain = value.isEmpty() ? QImage() : readBitmapFile(path);
    if (plain.isNull())
        return builtin::picture(builtin::kMainBackground, pixelRatio);
    if (pixelRatio <= 1)
        return plain;
    return builtin::sharpPicture(plain, readBitmapFile(builtin::sharpCompanionPath(path)),
                                 pixelRatio);
}

void applyText(SkinnableWindow& form, const SkinKey& key, const QString& value)
{
    if (key.property == Background) {
        form.setSkinBackground(
            loadBackground(form.skinFolder(), value, form.skinnedWindow().devicePixelRatioF()));
        return;
    }
    // Font name: an empty value leaves the name.
    if (value.isEmpty())
        return;
    QFont font = fontOf(form, key.target);
    font.setFamily(value.left(kMaxFontNameLength));
    setFontOf(form, key.target, font);
}

void applyNumber(SkinnableWindow& form, const SkinKey& key, std::optional<qint32> read)
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
            setWindowSide(form.skinnedWindow(), key.property, value);
        else
            setGeometryPart(*widgetOf(form, key.target), key.property, value);
        break;
    case FontSize: {
        // Qt refuses a size below one point; such a value leaves the size, as one beyond
        // kMaxFontPoints does.
        if (value < 1 || value > kMaxFontPoints)
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

void LoadSkin(SkinnableWindow& form, const QString& skinFile)
{
    if (!canOpenForReading(skinFile))
        return;
    const std::optional<IniFile> ini = IniFile::load(skinFile);
    if (!ini)
        return;

    const QString section = QString::fromLatin1(kSection.data(), qsizetype(kSection.size()));
    for (const SkinKey& key : kSkinKeys) {
        const QString name = QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
        const QString text = ini->value(section, name);
        if (key.type == Text)
            applyText(form, key, text);
        else
            applyNumber(form, key, parseInteger(text));
    }
}

} // namespace quillomat

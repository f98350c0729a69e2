#pragma once

#include "catalogue/SkinKeys.h"
#include "graphics/ColorValue.h"

#include <QFont>
#include <QImage>
#include <QString>

class QWidget;

namespace quillomat {

// A font with its colour, as the skin file and the description pane see a font.
struct ColoredFont
{
    QFont font;
    ColorValue color = clBlack;
};

// What a skin may set on a window, and all the skin reader sees of it: the window's size, its
// background picture, the description font, and the controls the skin keys name (their
// position, size, font and colours).
class SkinnableWindow
{
public:
    virtual QWidget& skinnedWindow() = 0;
    // The folder the skin names its pictures from, ending in '/'.
    virtual QString skinFolder() const = 0;
    // The control a key's target names; null for the description font, which is no control.
    virtual QWidget* skinnedControl(skinkeys::Target target) const = 0;
    virtual ColoredFont skinnedDescriptionFont() const = 0;
    virtual void setSkinnedDescriptionFont(const ColoredFont& font) = 0;
    virtual void setSkinBackground(const QImage& picture) = 0;

protected:
    ~SkinnableWindow() = default;
};

// Restyles the main window from a skin file ("[Quillomat Skin]" in an INI file): its size and
// background picture, and the position, size, font and colours of its controls, each key
// applied as soon as it is read. A key that is missing or does not convert leaves its target
// as it is, so a second reading starts from what the first one left; the background picture
// and the minimize and close signs are the exception and return to the built-in picture and to
// black. A file that cannot be opened changes nothing and reports nothing.
void LoadSkin(SkinnableWindow& form, const QString& skinFile);

} // namespace quillomat

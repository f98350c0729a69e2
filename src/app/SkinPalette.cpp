#include "app/SkinPalette.h"

#include <QPalette>
#include <QWidget>

#include <initializer_list>

namespace quillomat {
namespace {

constexpr std::initializer_list<QPalette::ColorGroup> kGroups = {
    QPalette::Active, QPalette::Inactive, QPalette::Disabled};

void setRoles(QWidget& panel, std::initializer_list<QPalette::ColorRole> roles, ColorValue value)
{
    const QColor color = colorFromValue(value);
    QPalette palette = panel.palette();
    for (QPalette::ColorGroup group : kGroups)
        for (QPalette::ColorRole role : roles)
            palette.setColor(group, role, color);
    panel.setPalette(palette);
}

} // namespace

void setPanelFillColor(QWidget& panel, ColorValue fill)
{
    setRoles(panel, {QPalette::Base, QPalette::Window}, fill);
    // A selection without the focus: halfway between the focused one's colour and the fill, so
    // that it stays visible while the focused one stands out.
    QPalette palette = panel.palette();
    const QColor active = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor base = colorFromValue(fill);
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     QColor((active.red() + base.red()) / 2, (active.green() + base.green()) / 2,
                            (active.blue() + base.blue()) / 2));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    panel.setPalette(palette);
}

void setPanelTextColor(QWidget& panel, ColorValue text)
{
    setRoles(panel, {QPalette::Text}, text);
}

void setPanelColors(QWidget& panel, ColorValue fill, ColorValue text)
{
    setPanelFillColor(panel, fill);
    setPanelTextColor(panel, text);
}

} // namespace quillomat

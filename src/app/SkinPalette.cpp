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
}

void setPanelTextColor(QWidget& panel, ColorValue text)
{
    setRoles(panel, {QPalette::Text}, text);
}

void setPanelColors(QWidget& panel, ColorValue fill, ColorValue text)
{
    setPanelFillColor(panel, fill);
    setPanelTextColor(panel, text);
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    panel.setPalette(palette);
}

} // namespace quillomat

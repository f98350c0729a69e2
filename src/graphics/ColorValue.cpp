#include "graphics/ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace quillomat {

namespace {

struct SystemColorRow
{
    std::optional<QPalette::ColorRole> role; // palette role that plays this part on our desktop
    QPalette::ColorGroup group;
    QRgb fallback; // classic desktop value, used without a role or without an application
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;

// Indexed by the system colour's number.
const std::array<SystemColorRow, 31> kSystemColors = {{
    {QPalette::Button, kActive, qRgb(0xC0, 0xC0, 0xC0)},          // 0 scroll bar
    {std::nullopt, kActive, qRgb(0x00, 0x80, 0x80)},              // 1 desktop
    {std::nullopt, kActive, qRgb(0x00, 0x00, 0x80)},              // 2 active caption
    {std::nullopt, kActive, qRgb(0x80, 0x80, 0x80)},              // 3 inactive caption
    {QPalette::Window, kActive, qRgb(0xC0, 0xC0, 0xC0)},          // 4 menu
    {QPalette::Base, kActive, qRgb(0xFF, 0xFF, 0xFF)},            // 5 window
    {std::nullopt, kActive, qRgb(0x00, 0x00, 0x00)},              // 6 window frame
    {QPalette::WindowText, kActive, qRgb(0x00, 0x00, 0x00)},      // 7 menu text
    {QPalette::WindowText, kActive, qRgb(0x00, 0x00, 0x00)},      // 8 window text
    {std::nullopt, kActive, qRgb(0xFF, 0xFF, 0xFF)},              // 9 caption text
    {std::nullopt, kActive, qRgb(0xC0, 0xC0, 0xC0)},              // 10 active border
    {std::nullopt, kActive, qRgb(0xC0, 0xC0, 0xC0)},              // 11 inactive border
    {std::nullopt, kActive, qRgb(0x80, 0x80, 0x80)},              // 12 application workspace
    {QPalette::Highlight, kActive, qRgb(0x00, 0x00, 0x80)},       // 13 highlight
    {QPalette::HighlightedText, kActive, qRgb(0xFF, 0xFF, 0xFF)}, // 14 highlight text
    {QPalette::Button, kActive, qRgb(0xC0, 0xC0, 0xC0)},          // 15 button face
    {QPalette::Dark, kActive, qRgb(0x80, 0x80, 0x80)},            // 16 button shadow
    {QPalette::Text, QPalette::Disabled, qRgb(0x80, 0x80, 0x80)}, // 17 gray text
    {QPalette::ButtonText, kActive, qRgb(0x00, 0x00, 0x00)},      // 18 button text
    {std::nullopt, kActive, qRgb(0xC0, 0xC0, 0xC0)},              // 19 inactive caption text
    {QPalette::Light, kActive, qRgb(0xFF, 0xFF, 0xFF)},           // 20 button highlight
    {QPalette::Shadow, kActive, qRgb(0x00, 0x00, 0x00)},          // 21 3D dark shadow
    {QPalette::Midlight, kActive, qRgb(0xDF, 0xDF, 0xDF)},        // 22 3D light
    {QPalette::ToolTipText, kActive, qRgb(0x00, 0x00, 0x00)},     // 23 info text
    {QPalette::ToolTipBase, kActive, qRgb(0xFF, 0xFF, 0xE1)},     // 24 info background
    {std::nullopt, kActive, qRgb(0x00, 0x00, 0x00)},              // 25 (unused)
    {QPalette::Link, kActive, qRgb(0x00, 0x00, 0xFF)},            // 26 hot light
    {std::nullopt, kActive, qRgb(0xA6, 0xCA, 0xF0)},              // 27 gradient active caption
    {std::nullopt, kActive, qRgb(0xC0, 0xC0, 0xC0)},              // 28 gradient inactive caption
    {QPalette::Highlight, kActive, qRgb(0x00, 0x00, 0x80)},       // 29 menu highlight
    {QPalette::Window, kActive, qRgb(0xC0, 0xC0, 0xC0)},          // 30 menu bar
}};

QColor systemColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColors.size()))
        return QColor(Qt::black);
    const SystemColorRow& row = kSystemColors[static_cast<std::size_t>(index)];
    if (row.role && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QColor color = QGuiApplication::palette().color(row.group, *row.role);
        color.setAlpha(255);
        return color;
    }
    return QColor(row.fallback);
}

} // namespace

QColor colorFromValue(ColorValue value)
{
    if (isSystemColor(value))
        return systemColor(value & 0xFF);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ColorValue valueFromColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return static_cast<ColorValue>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

ColorValue resolveColorValue(ColorValue value)
{
    return valueFromColor(colorFromValue(value));
}

} // namespace quillomat

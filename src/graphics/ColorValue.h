#pragma once

#include <QColor>
#include <QtGlobal>

namespace quillomat {

// A colour as the skin file and the window layouts write it: 0x00BBGGRR with red in the low
// byte, or a system colour written as 0x80000000 plus the system colour's index. System colours
// are resolved only when a colour is drawn, so they follow the desktop's palette.
using ColorValue = qint32;

constexpr ColorValue systemColorValue(int index)
{
    return static_cast<ColorValue>(0x80000000u | static_cast<quint32>(index));
}

// The named colours the layouts use.
inline constexpr ColorValue clBlack = 0x000000;
inline constexpr ColorValue clWhite = 0xFFFFFF;
inline constexpr ColorValue clSilver = 0xC0C0C0;
inline constexpr ColorValue clGray = 0x808080;
inline constexpr ColorValue clRed = 0x0000FF;
inline constexpr ColorValue clBlue = 0xFF0000;
inline constexpr ColorValue clWindow = systemColorValue(5);
inline constexpr ColorValue clWindowText = systemColorValue(8);
inline constexpr ColorValue clHighlight = systemColorValue(13);
inline constexpr ColorValue clHighlightText = systemColorValue(14);
inline constexpr ColorValue clBtnFace = systemColorValue(15);
inline constexpr ColorValue clBtnShadow = systemColorValue(16);
inline constexpr ColorValue clGrayText = systemColorValue(17);
inline constexpr ColorValue clBtnText = systemColorValue(18);
inline constexpr ColorValue clBtnHighlight = systemColorValue(20);
inline constexpr ColorValue cl3DDkShadow = systemColorValue(21);
inline constexpr ColorValue cl3DLight = systemColorValue(22);

// True for a system-colour constant (any value with the top bit set).
constexpr bool isSystemColor(ColorValue value)
{
    return value < 0;
}

// Resolves a colour value to an opaque QColor. Plain values use their three low bytes (the top
// byte is ignored); a system colour takes its index from the low byte and maps it onto the
// application palette, or onto the classic desktop default where no palette role fits. An
// unknown index gives black.
QColor colorFromValue(ColorValue value);

// The plain 0x00BBGGRR value of a QColor (alpha is dropped).
ColorValue valueFromColor(const QColor& color);

// A system colour replaced by its present RGB value; a plain value with its top byte cleared.
ColorValue resolveColorValue(ColorValue value);

} // namespace quillomat

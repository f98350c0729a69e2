#pragma once

#include "graphics/ColorValue.h"

class QWidget;

namespace quillomat {

// Colours of the window's panels (the package list and the description pane), shared by the
// design layout and the skin reader. Each role is set in every colour group, so a panel looks
// the same with and without the focus, except for the selection.

// Background of the panel: its base (the item area) and its window colour (around it); a
// selection without the focus takes a colour between the highlight and this fill.
void setPanelFillColor(QWidget& panel, ColorValue fill);

// Colour of the panel's text.
void setPanelTextColor(QWidget& panel, ColorValue text);

// Both colours.
void setPanelColors(QWidget& panel, ColorValue fill, ColorValue text);

} // namespace quillomat

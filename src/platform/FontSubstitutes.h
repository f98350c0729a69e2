#pragma once

namespace quillomat {

// Layouts, skins and RTF texts name the fonts of Windows desktops ("MS Sans Serif", "Tahoma",
// "Arial", ...). Where such a font is not installed, these tell Qt which installed families
// come closest in width, so that captions sized for the original still fit.
void installWindowsFontSubstitutes();

} // namespace quillomat

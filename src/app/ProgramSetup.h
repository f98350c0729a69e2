#pragma once

namespace quillomat {

// Names the program for the window system and installs the font substitutes; called once,
// right after the QApplication is made. No display name is set: Qt's X11 backend appends one to
// every window title that does not end in it ("Error — Quillomat"), and each of the program's
// windows carries its own caption.
void setUpApplication();

} // namespace quillomat

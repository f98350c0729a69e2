#pragma once

class QWidget;

namespace quillomat {

// Moves a top-level window so that its outer frame is centred on the primary screen's
// available area (the desktop without panels).
void centreOnPrimaryScreen(QWidget* window);

} // namespace quillomat

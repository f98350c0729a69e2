#pragma once

#include <QImage>

namespace quillomat::artwork {

// Background of the main window, 592 x 373: marbled frame, title, dark panels behind the
// controls of the default layout, a light box behind the three small buttons, box labels.
// Scale 2 draws the same picture at twice the resolution, for screens of twice the density.
QImage mainBackground(int scale = 1);

// Background of the language dialog, 342 x 173: the same frame and title, the question for the
// language, and dark panels behind the language box and the two buttons. Scale as above.
QImage languageBackground(int scale = 1);

} // namespace quillomat::artwork

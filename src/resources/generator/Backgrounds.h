#pragma once

#include <QImage>

namespace quillomat::artwork {

// Background of the main window, 592 x 373: marbled frame, title, dark panels behind the
// controls of the default layout, a light box behind the three small buttons, box labels.
QImage mainBackground();

// Background of the language dialog, 342 x 173: the same frame and title, the question for the
// language, and dark panels behind the language box and the two buttons.
QImage languageBackground();

} // namespace quillomat::artwork

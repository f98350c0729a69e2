#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

namespace quillomat {

// Shows a picture in a modal tool window owned by `owner`: the caption, the picture at its own
// size from the top-left corner (never stretched), the window's outer size (frame and title bar
// included) equal to the picture's size, so the frame covers the picture's right and bottom
// edge, centred on the primary screen. A picture larger than the screen's available area
// scrolls in a window of at most that area. Returns when the user has closed it, with 2 (cancel) as
// every modal window closed by the window system does.
int showPreviewWindow(QWidget* owner, const QString& caption, const QImage& picture);

// Replaces what showPreviewWindow does, so that tests can record what would be shown instead of
// blocking in a modal loop. An empty function restores the real window. Returns the hook it
// replaces.
using PreviewWindowHook =
    std::function<int(QWidget* owner, const QString& caption, const QImage& picture)>;
PreviewWindowHook setPreviewWindowHook(PreviewWindowHook hook);

} // namespace quillomat

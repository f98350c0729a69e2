#pragma once

#include <QRegion>
#include <QSize>

namespace quillomat {

// The outline of the borderless windows: a rounded rectangle from (1, 1) to the window's size,
// exclusive, with corner ellipses of 100 x 100 pixels. The top row and the left column of the
// window are cut off as well.
QRegion roundedWindowRegion(QSize windowSize);

} // namespace quillomat

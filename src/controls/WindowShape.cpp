#include "controls/WindowShape.h"

#include <QBitmap>
#include <QPainter>

namespace quillomat {
namespace {

constexpr int kCornerDiameter = 100;

} // namespace

QRegion roundedWindowRegion(QSize windowSize)
{
    if (windowSize.width() < 2 || windowSize.height() < 2)
        return QRegion();
    QBitmap shape(windowSize);
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    const qreal radius = kCornerDiameter / 2.0;
    painter.drawRoundedRect(QRect(1, 1, windowSize.width() - 1, windowSize.height() - 1), radius,
                            radius);
    painter.end();
    return QRegion(shape);
}

} // namespace quillomat

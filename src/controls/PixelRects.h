#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

// Pixel-exact rectangles as the controls' layouts give them.
namespace quillomat {

// A rectangle given by its left, top, right and bottom edges, right and bottom exclusive.
inline QRect ltrb(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The one-pixel outline on the outermost columns and rows of r.
inline void frameRect(QPainter& painter, const QRect& r, const QColor& color)
{
    if (r.isEmpty())
        return;
    painter.fillRect(r.left(), r.top(), r.width(), 1, color);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, color);
    painter.fillRect(r.left(), r.top(), 1, r.height(), color);
    painter.fillRect(r.right(), r.top(), 1, r.height(), color);
}

} // namespace quillomat

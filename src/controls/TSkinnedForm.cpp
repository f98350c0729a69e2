#include "controls/TSkinnedForm.h"

#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "controls/WindowShape.h"

#include <QPainter>

namespace quillomat {
namespace {

// Draws the part of the picture that covers `area` from its top-left corner, never stretched:
// at the picture's own pixel ratio, smoothed only where the screen's ratio is not a whole
// multiple of it (a 150 % screen showing a 2x picture).
void drawPicture(QPainter& painter, const QImage& picture, const QSize& area)
{
    const qreal ratio = picture.devicePixelRatio();
    const QSizeF shown = picture.deviceIndependentSize().boundedTo(QSizeF(area));
    const qreal scale = painter.device()->devicePixelRatio() / ratio;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale != qRound(scale));
    painter.drawImage(QRectF(QPointF(0, 0), shown), picture, QRectF(QPointF(0, 0), shown * ratio));
    painter.restore();
}

} // namespace

QFont layoutFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setBold(bold);
    return font;
}

void setUpPanelComboBox(TFlatComboBox& box)
{
    box.setColor(kPanelColor);
    box.setColorArrow(kPanelColor);
    box.setColorArrowBackground(clSilver);
    box.setColorBorder(clGray);
    box.setFontColor(clSilver);
}

void setUpFlatButton(TExtSpeedButton& button)
{
    button.setFlat(true);
    button.setFrameVisible(false);
    button.setActionAreaVisble(false);
    button.setActionAreaColor(clBlack);
}

void TSkinnedForm::setWindowRegion()
{
    WindowRegion = roundedWindowRegion(size());
    hasWindowRegion = true;
    setMask(WindowRegion);
}

void TSkinnedForm::removeWindowRegion()
{
    if (!hasWindowRegion)
        return;
    clearMask();
    WindowRegion = QRegion();
    hasWindowRegion = false;
}

void TSkinnedForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorFromValue(clBtnFace));
    drawPicture(painter, BackgroundBitmap, size());
}

} // namespace quillomat

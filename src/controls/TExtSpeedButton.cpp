#include "controls/TExtSpeedButton.h"

#include "controls/PixelRects.h"
#include "controls/TMovingForm.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

#include <atomic>

namespace quillomat {

namespace {

std::atomic<quint64> nextCreationSerial{0};

// A one-pixel bevel around r: topLeft colour on the top row and left column, bottomRight on
// the bottom row and right column.
void bevel(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

// The glyph with its bottom-left colour made transparent; with solid set, every other pixel
// takes that one colour (the engraved look of a disabled button).
QImage preparedGlyph(const QImage& glyph, const QColor* solid)
{
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1) & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == transparent)
                line[x] = 0;
            else if (solid)
                line[x] = solid->rgb();
        }
    }
    return image;
}

} // namespace

TExtSpeedButton::TExtSpeedButton(QWidget* parent)
    : QAbstractButton(parent), m_creationSerial(nextCreationSerial++)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(23, 21);
    // The first receiver of every click, so the window knows the result before the handler.
    connect(this, &QAbstractButton::clicked, this, &TExtSpeedButton::handModalResultToWindow);
}

TExtSpeedButton::~TExtSpeedButton() = default;

QSize TExtSpeedButton::sizeHint() const
{
    return QSize(23, 21);
}

void TExtSpeedButton::Click()
{
    emit clicked(isChecked());
}

void TExtSpeedButton::handModalResultToWindow()
{
    if (auto* form = qobject_cast<TMovingForm*>(window()))
        form->setModalResult(m_modalResult);
}

void TExtSpeedButton::setFontColor(ColorValue color)
{
    applyFontColor(color, !m_mouseInside && !m_hotActive);
}

void TExtSpeedButton::applyFontColor(ColorValue color, bool recordAsNormal)
{
    m_fontColor = color;
    if (recordAsNormal)
        m_normalFontColor = color;
    update();
}

void TExtSpeedButton::setFrameVisible(bool value)
{
    if (value == m_frameVisible)
        return;
    m_frameVisible = value;
    update();
}

void TExtSpeedButton::setFrameColor(ColorValue color)
{
    if (color == m_frameColor)
        return;
    m_frameColor = color;
    update();
}

void TExtSpeedButton::setActionAreaVisble(bool value)
{
    if (value == m_actionAreaVisible)
        return;
    m_actionAreaVisible = value;
    update();
}

void TExtSpeedButton::setActionAreaColor(ColorValue color)
{
    if (color == m_actionAreaColor)
        return;
    m_actionAreaColor = color;
    update();
}

void TExtSpeedButton::setFlat(bool value)
{
    m_flat = value;
    if (!m_flat)
        m_mouseInside = false;
    update();
}

void TExtSpeedButton::setDownState(bool value)
{
    m_downState = value;
    update();
}

void TExtSpeedButton::setTransparent(bool value)
{
    m_transparent = value;
    update();
}

void TExtSpeedButton::setColor(ColorValue color)
{
    m_color = color;
    update();
}

void TExtSpeedButton::setGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    update();
}

void TExtSpeedButton::editGlyph(const std::function<void(QImage&)>& edit)
{
    edit(m_glyph);
    update();
}

void TExtSpeedButton::setSpacing(int value)
{
    m_spacing = value;
    update();
}

bool TExtSpeedButton::event(QEvent* event)
{
    // The access key clicks at once, through the same path as every other click.
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous()) {
            if (isEnabled() && isVisible())
                Click();
            return true;
        }
    }
    return QAbstractButton::event(event);
}

void TExtSpeedButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    if (m_flat && !m_mouseInside && isEnabled()) {
        m_mouseInside = true;
        update();
    }
    if (isEnabled() && m_hotTrack) {
        m_hotActive = true;
        applyFontColor(m_hotColor, false);
    }
}

void TExtSpeedButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    if (m_flat && m_mouseInside && isEnabled()) {
        m_mouseInside = false;
        update();
    }
    const bool wasHot = m_hotActive;
    m_hotActive = false;
    if (isEnabled() && m_hotTrack && wasHot)
        applyFontColor(m_normalFontColor, true);
    m_inActionArea = false;
}

void TExtSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && hitButton(event->position().toPoint()))
        m_leftHeld = true;
    QAbstractButton::mousePressEvent(event);
}

void TExtSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    event->accept();
    // Positions left of or above the button (seen while the mouse is held) wrap to large
    // values and so never count as inside.
    const QPoint pos = event->position().toPoint();
    const int x = static_cast<quint16>(pos.x());
    const int y = static_cast<quint16>(pos.y());
    const int w = width();
    const int h = height();
    m_inActionArea = x >= w - 10 && x <= w - 2 && y >= h - 10 && y <= h - 2;
    if (m_actionAreaVisible && m_inActionArea != m_lastInActionArea)
        repaint();
    m_lastInActionArea = m_inActionArea;
}

void TExtSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (left)
        m_leftHeld = false;
    QPointer<TExtSpeedButton> self(this);
    QAbstractButton::mouseReleaseEvent(event); // clicks first
    if (!self)
        return;
    if (left && m_actionAreaVisible && m_onActionAreaClick && m_inActionArea) {
        const QPoint pos = event->position().toPoint();
        m_onActionAreaClick(this, static_cast<quint16>(pos.x()), static_cast<quint16>(pos.y()));
        if (!self)
            return;
    }
    update();
}

void TExtSpeedButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_mouseInside = isEnabled() && m_flat && underMouse();
        update();
        break;
    case QEvent::FontChange:
        if (!m_mouseInside && !m_hotActive)
            m_normalFontColor = m_fontColor;
        update();
        break;
    default:
        break;
    }
}

void TExtSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_flat || !m_transparent)
        painter.fillRect(rect(), colorFromValue(m_color));
    const bool sunken = isSunken();
    paintEdge(painter, sunken);
    paintContent(painter, sunken ? QPoint(1, 1) : QPoint(0, 0));
    if (m_frameVisible && !m_mouseInside && !m_downState)
        frameRect(painter, ltrb(1, 1, width() - 2, height() - 2), colorFromValue(m_frameColor));
    if (m_actionAreaVisible)
        paintActionArea(painter, m_leftHeld || m_downState);
}

void TExtSpeedButton::paintEdge(QPainter& painter, bool sunken) const
{
    const QColor light = colorFromValue(clBtnHighlight);
    const QColor shadow = colorFromValue(clBtnShadow);
    if (m_flat) {
        if (sunken)
            bevel(painter, rect(), shadow, light);
        else if (m_mouseInside && isEnabled())
            bevel(painter, rect(), light, shadow);
        return;
    }
    const QColor dark = colorFromValue(cl3DDkShadow);
    const QColor midlight = colorFromValue(cl3DLight);
    if (sunken) {
        bevel(painter, rect(), dark, light);
        bevel(painter, rect().adjusted(1, 1, -1, -1), shadow, midlight);
    } else {
        bevel(painter, rect(), light, dark);
        bevel(painter, rect().adjusted(1, 1, -1, -1), midlight, shadow);
    }
}

void TExtSpeedButton::paintContent(QPainter& painter, QPoint offset) const
{
    const QString caption = text();
    const QFontMetrics metrics(font());
    const QSize textSize =
        caption.isEmpty() ? QSize() : metrics.size(Qt::TextShowMnemonic, caption);
    // A glyph drawn for a denser screen covers the area of the plain one.
    const QSize glyphSize = m_glyph.isNull() ? QSize() : m_glyph.deviceIndependentSize().toSize();
    // Glyph left of the caption, the pair centred, each centred vertically.
    const int spacing = (textSize.isEmpty() || glyphSize.isEmpty()) ? 0 : m_spacing;
    const int margin = (width() - (glyphSize.width() + spacing + textSize.width())) / 2;
    const QPoint glyphPos(margin, (height() - glyphSize.height() + 1) / 2);
    const QPoint textPos(margin + glyphSize.width() + spacing,
                         (height() - textSize.height() + 1) / 2);

    if (!m_glyph.isNull()) {
        if (isEnabled()) {
            painter.drawImage(glyphPos + offset, preparedGlyph(m_glyph, nullptr));
        } else {
            const QColor light = colorFromValue(clBtnHighlight);
            const QColor shadow = colorFromValue(clBtnShadow);
            painter.drawImage(glyphPos + offset + QPoint(1, 1), preparedGlyph(m_glyph, &light));
            painter.drawImage(glyphPos + offset, preparedGlyph(m_glyph, &shadow));
        }
    }
    if (caption.isEmpty())
        return;
    painter.setFont(font());
    const int flags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;
    const QRect textRect(textPos + offset, textSize);
    if (isEnabled()) {
        painter.setPen(colorFromValue(m_fontColor));
        painter.drawText(textRect, flags, caption);
    } else {
        painter.setPen(colorFromValue(clBtnHighlight));
        painter.drawText(textRect.translated(1, 1), flags, caption);
        painter.setPen(colorFromValue(clBtnShadow));
        painter.drawText(textRect, flags, caption);
    }
}

void TExtSpeedButton::paintActionArea(QPainter& painter, bool shifted) const
{
    const QColor color = colorFromValue(m_inActionArea ? clHighlight : m_actionAreaColor);
    const int d = shifted ? 1 : 0;
    const int x = width() - 8 + d;
    const int y = height() - 8 + d;
    // The triangle (x, y), (x, y + 4), (x + 3, y + 2), outline and fill, column by column.
    painter.fillRect(x, y, 1, 5, color);
    painter.fillRect(x + 1, y + 1, 2, 3, color);
    painter.fillRect(x + 3, y + 2, 1, 1, color);
}

} // namespace quillomat

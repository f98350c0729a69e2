#include "app/FocusMark.h"

#include "controls/TFlatComboBox.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace quillomat {
namespace {

// The colour a control is filled with: a box's own fill colour, a panel's base colour.
QColor fillOf(const QWidget& control)
{
    if (const auto* box = qobject_cast<const TFlatComboBox*>(&control))
        return colorFromValue(box->Color());
    return control.palette().color(QPalette::Base);
}

} // namespace

FocusMark::FocusMark(QWidget* window, const QList<QWidget*>& controls) : QWidget(window)
{
    setObjectName(QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    for (QWidget* control : controls) {
        m_controls.append(control);
        control->installEventFilter(this);
    }
    connect(qApp, &QApplication::focusChanged, this, [this] { follow(); });
}

QColor FocusMark::colourOn(const QColor& fill)
{
    const int lightness = fill.lightness() < 128 ? 230 : 40;
    return QColor::fromHsl(fill.hslHue(), fill.hslSaturation(), lightness);
}

void FocusMark::follow()
{
    QWidget* focus = QApplication::focusWidget();
    m_marked = nullptr;
    for (const QPointer<QWidget>& control : std::as_const(m_controls)) {
        if (focus && control && control->isVisible() &&
            (control == focus || control->isAncestorOf(focus)))
            m_marked = control;
    }
    if (!m_marked) {
        hide();
        return;
    }
    setGeometry(m_marked->geometry());
    raise();
    show();
    update();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    // The marked control moves, changes its size or colours, or is hidden (F9, the skin).
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::PaletteChange:
        if (watched == m_marked || event->type() == QEvent::Show)
            follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent*)
{
    if (!m_marked)
        return;
    QPainter painter(this);
    const QColor colour = colourOn(fillOf(*m_marked));
    const QRect area = rect();
    painter.fillRect(area.left(), area.top(), area.width(), kWidth, colour);
    painter.fillRect(area.left(), area.bottom() - kWidth + 1, area.width(), kWidth, colour);
    painter.fillRect(area.left(), area.top(), kWidth, area.height(), colour);
    painter.fillRect(area.right() - kWidth + 1, area.top(), kWidth, area.height(), colour);
}

} // namespace quillomat

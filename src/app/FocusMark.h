#pragma once

#include <QPointer>
#include <QWidget>

namespace quillomat {

// A frame over the edge of whichever of the given controls has the keyboard focus (or holds
// the focused widget, as a box holds its edit field), so that keyboard users can see where
// they are in every skin. The frame takes a colour far from the control's own fill in
// lightness, in the fill's hue: light on a dark panel, dark on a light one.
class FocusMark : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 2;

    FocusMark(QWidget* window, const QList<QWidget*>& controls);

    // The control the frame marks now; null while none of them has the focus.
    QWidget* markedControl() const { return m_marked; }

    // The frame's colour on a control of the given fill.
    static QColor colourOn(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QList<QPointer<QWidget>> m_controls; // the window deletes them, perhaps before the mark
    QPointer<QWidget> m_marked;
};

} // namespace quillomat

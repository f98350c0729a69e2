#pragma once

#include <QPoint>
#include <QWidget>

class QEventLoop;

namespace quillomat {

class TExtSpeedButton;

// Base of the borderless top-level windows. A left press on the window's own surface (not on
// a child) drags the window: through the window system's interactive move where it offers one,
// otherwise the window follows the mouse until the release. Enter and Escape that the focused
// widget leaves alone are offered to the window's TExtSpeedButtons in creation order (the
// dialog-key offer). The window also carries the modal result its buttons hand to it.
class TMovingForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMovingForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TMovingForm() override;

    int ModalResult() const { return m_modalResult; }
    // A non-zero value ends a running showModal() with that value.
    void setModalResult(int value);

    // Shows the window application-modal and returns once a non-zero modal result is set
    // (2 when the window is closed by other means); the window is hidden again.
    int showModal();
    bool isShownModal() const { return m_modalLoop != nullptr; }

    // Clicks the first Default button (Enter) or Cancel button (Escape) of this window,
    // enabled or not, unless Shift, Ctrl or Alt is held. Returns whether a button took it.
    bool offerDialogKey(int key, Qt::KeyboardModifiers modifiers);

    // This window's buttons (not those of windows it owns), in creation order.
    QList<TExtSpeedButton*> speedButtons() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int m_modalResult = 0;
    QEventLoop* m_modalLoop = nullptr;
    bool m_following = false; // moving by hand because the system move was refused
    QPoint m_pressGlobal;
    QPoint m_startPos;
};

} // namespace quillomat

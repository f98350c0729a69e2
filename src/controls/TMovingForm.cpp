#include "controls/TMovingForm.h"

#include "controls/TExtSpeedButton.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include <algorithm>

namespace quillomat {

TMovingForm::TMovingForm(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::Window | Qt::FramelessWindowHint)
{
}

TMovingForm::~TMovingForm()
{
    if (m_modalLoop)
        m_modalLoop->exit(2);
}

void TMovingForm::setModalResult(int value)
{
    m_modalResult = value;
    if (m_modalLoop && value != 0)
        m_modalLoop->exit(value);
}

int TMovingForm::showModal()
{
    if (m_modalLoop)
        return 0; // already shown modally; the running call reports the result
    m_modalResult = 0;
    const Qt::WindowModality previousModality = windowModality();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();

    QPointer<TMovingForm> self(this);
    QEventLoop loop;
    m_modalLoop = &loop;
    if (m_modalResult == 0)
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return 2;
    m_modalLoop = nullptr;
    hide();
    setWindowModality(previousModality);
    return m_modalResult;
}

QList<TExtSpeedButton*> TMovingForm::speedButtons() const
{
    QList<TExtSpeedButton*> buttons;
    for (TExtSpeedButton* button : findChildren<TExtSpeedButton*>()) {
        if (button->window() == this)
            buttons.append(button);
    }
    std::sort(buttons.begin(), buttons.end(), [](TExtSpeedButton* a, TExtSpeedButton* b) {
        return a->m_creationSerial < b->m_creationSerial;
    });
    return buttons;
}

bool TMovingForm::offerDialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool escape = key == Qt::Key_Escape;
    if (!enter && !escape)
        return false;
    for (TExtSpeedButton* button : speedButtons()) {
        if ((enter && button->Default()) || (escape && button->Cancel())) {
            button->Click();
            return true;
        }
    }
    return false;
}

void TMovingForm::keyPressEvent(QKeyEvent* event)
{
    if (offerDialogKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMovingForm::mousePressEvent(QMouseEvent* event)
{
    // Presses that a child let through are not presses on the window's surface.
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || childAt(pos) != nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_following = true;
    m_pressGlobal = event->globalPosition().toPoint();
    m_startPos = frameGeometry().topLeft();
}

void TMovingForm::mouseMoveEvent(QMouseEvent* event)
{
    if (m_following && (event->buttons() & Qt::LeftButton)) {
        move(m_startPos + event->globalPosition().toPoint() - m_pressGlobal);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TMovingForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_following && event->button() == Qt::LeftButton) {
        m_following = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TMovingForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click never starts a move (QWidget's default would treat
    // it as a press).
    event->ignore();
}

void TMovingForm::closeEvent(QCloseEvent* event)
{
    if (m_modalLoop) {
        if (m_modalResult == 0)
            m_modalResult = 2;
        m_modalLoop->exit(m_modalResult);
    }
    QWidget::closeEvent(event);
}

} // namespace quillomat

#include "dialogs/PreviewWindow.h"

#include "dialogs/WindowPlacement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace quillomat {

namespace {

constexpr int kClosedResult = 2;

PreviewWindowHook& currentHook()
{
    static PreviewWindowHook hook;
    return hook;
}

// The area a window may take on the primary screen (the desktop without panels); empty when
// there is no screen.
QSize availableScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

// The outer size is a property of the frame, which the window manager adds only after the
// window is mapped; so the client size is fitted again whenever the frame turns out different.
class PreviewDialog : public QDialog
{
public:
    PreviewDialog(QWidget* owner, const QString& caption, const QImage& picture)
        : QDialog(owner, Qt::Tool), m_outerSize(picture.size())
    {
        setWindowTitle(caption);
        auto* image = new QLabel;
        image->setPixmap(QPixmap::fromImage(picture));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        const QSize screen = availableScreenSize();
        if (screen.isEmpty() ||
            (picture.width() <= screen.width() && picture.height() <= screen.height())) {
            // Ignored: the label must not ask for the whole picture, the frame is allowed to
            // cover part of it.
            image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
            layout->addWidget(image);
        } else {
            // Larger than the screen: the window takes the screen and the picture scrolls in
            // it, still at its own scale, so that the title bar and every pixel stay reachable.
            m_outerSize = picture.size().boundedTo(screen);
            auto* scroller = new QScrollArea;
            scroller->setFrameShape(QFrame::NoFrame);
            scroller->setWidget(image);
            layout->addWidget(scroller);
        }
        fitOuterSize();
    }

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QDialog::event(event);
        switch (event->type()) {
        case QEvent::Show:
            fitOuterSize();
            QTimer::singleShot(0, this, [this] { fitOuterSize(); });
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            fitOuterSize();
            break;
        default:
            break;
        }
        return handled;
    }

private:
    void fitOuterSize()
    {
        const QRect outer = frameGeometry();
        const QRect inner = geometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        if (m_fitted && frame == m_frame)
            return;
        m_fitted = true;
        m_frame = frame;
        setFixedSize(std::max(1, m_outerSize.width() - frame.left() - frame.right()),
                     std::max(1, m_outerSize.height() - frame.top() - frame.bottom()));
        centreOnPrimaryScreen(this);
    }

    QSize m_outerSize;
    QMargins m_frame;
    bool m_fitted = false;
};

} // namespace

int showPreviewWindow(QWidget* owner, const QString& caption, const QImage& picture)
{
    if (const PreviewWindowHook& hook = currentHook())
        return hook(owner, caption, picture);
    PreviewDialog window(owner, caption, picture);
    window.exec();
    return kClosedResult;
}

PreviewWindowHook setPreviewWindowHook(PreviewWindowHook hook)
{
    return std::exchange(currentHook(), std::move(hook));
}

} // namespace quillomat

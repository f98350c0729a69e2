#include "platform/PreviewWindow.h"

#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
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

// The outer size is a property of the frame, which the window manager adds only after the
// window is mapped; so the client size is fitted again whenever the frame turns out different.
class PreviewDialog : public QDialog
{
public:
    PreviewDialog(QWidget* owner, const QString& caption, const QImage& picture)
        : QDialog(owner, Qt::Tool), m_outerSize(picture.size())
    {
        setWindowTitle(caption);
        auto* image = new QLabel(this);
        image->setPixmap(QPixmap::fromImage(picture));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Ignored: the label must not ask for the whole picture, the frame is allowed to cover
        // part of it.
        image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(image);
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

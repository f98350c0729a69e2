#include "app/Haupt.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// With QUILLOMAT_QUIT_AFTER_FIRST_PAINT set, the program ends right after the main window has
// painted itself once: the start-up benchmark measures process start to first paint this way.
class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillomat"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillomat"));

    quillomat::TMain_Form window;
    if (!window.FormCreate(QApplication::arguments().mid(1), quillomat::programFolder()))
        return 0; // the language chooser was cancelled
    if (qEnvironmentVariableIsSet("QUILLOMAT_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new QuitAfterFirstPaint(&window));
    quillomat::centreOnPrimaryScreen(&window);
    window.show();
    return app.exec();
}

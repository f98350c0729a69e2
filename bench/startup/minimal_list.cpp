// The reference for the start-up benchmark: the least a Qt Widgets program does to show a
// window with a list of N rows, ending right after its first paint.
//   quillomat-bench-minimal-list ROWS
#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QTimer>

namespace {

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
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    QWidget window;
    window.resize(592, 373);
    auto* list = new QListWidget(&window);
    list->setGeometry(30, 144, 201, 172);
    QStringList captions;
    captions.reserve(rows);
    for (int i = 0; i < rows; ++i)
        captions.append(QStringLiteral("Package %1").arg(i));
    list->addItems(captions);
    list->sortItems();
    window.installEventFilter(new QuitAfterFirstPaint(&window));
    window.show();
    return app.exec();
}

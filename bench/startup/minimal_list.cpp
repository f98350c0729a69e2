// The reference for the start-up benchmark: the least a Qt Widgets program does to show a
// window with a list of N rows, ending right after its first paint.
//   quillomat-bench-minimal-list ROWS
#include "app/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QListWidget>

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
    window.installEventFilter(new quillomat::QuitAfterFirstPaint(&window));
    window.show();
    return app.exec();
}

#include "dialogs/ErrorBox.h"
#include "dialogs/PreviewWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

using namespace quillomat;

namespace {

// Runs `inspect` on the modal window once the code under test has opened it; the inspection
// must close the window, or the test ends in its modal loop until the time-out closes it.
void whenModalWindowShows(std::function<void(QWidget*)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget* window = QApplication::activeModalWidget();
        QVERIFY(window);
        inspect(window);
    });
    QTimer::singleShot(5000, [] {
        if (QWidget* window = QApplication::activeModalWidget())
            window->close();
    });
}

QPoint centreOfPrimaryScreen()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxIsModalCriticalWithOneButton();
    void errorBoxHookReplacesTheBox();
    void previewWindowShowsPictureAtItsSize_data();
    void previewWindowShowsPictureAtItsSize();
    void previewLargerThanTheScreenScrolls();

private:
    QWidget m_owner;
};

void TestDialogs::errorBoxIsModalCriticalWithOneButton()
{
    m_owner.show();
    bool inspected = false;
    whenModalWindowShows([&](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        QVERIFY(box);
        inspected = true;
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->text(), QStringLiteral("Cannot open file /disc/setup.exe"));
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        QVERIFY(box->isModal());
        QVERIFY((box->frameGeometry().center() - centreOfPrimaryScreen()).manhattanLength() <= 2);
        QTest::keyClick(box, Qt::Key_Return);
    });
    showErrorBox(&m_owner, QStringLiteral("Cannot open file /disc/setup.exe"));
    QVERIFY(inspected);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDialogs::errorBoxHookReplacesTheBox()
{
    QStringList messages;
    QWidget* parent = nullptr;
    const ErrorBoxHook previous = setErrorBoxHook([&](QWidget* p, const QString& message) {
        parent = p;
        messages << message;
    });
    QVERIFY(!previous);
    showErrorBox(&m_owner, QStringLiteral("first"));
    showErrorBox(nullptr, QStringLiteral("second"));
    QCOMPARE(messages, QStringList({"first", "second"}));
    QCOMPARE(parent, nullptr);
    QVERIFY(setErrorBoxHook({}));

    // Restored: the real box again.
    bool shown = false;
    whenModalWindowShows([&](QWidget* window) {
        shown = qobject_cast<QMessageBox*>(window);
        window->close();
    });
    showErrorBox(&m_owner, QStringLiteral("third"));
    QVERIFY(shown);
    QCOMPARE(messages.size(), 2);
}

void TestDialogs::previewWindowShowsPictureAtItsSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("400 x 300") << QSize(400, 300);
    QTest::newRow("small") << QSize(24, 16);
    QTest::newRow("tall") << QSize(120, 700);
}

void TestDialogs::previewWindowShowsPictureAtItsSize()
{
    QFETCH(QSize, size);
    // Green with a red top-left pixel and a blue bottom-right one: the picture is shown from
    // its top-left corner at its own scale.
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));

    m_owner.show();
    bool inspected = false;
    whenModalWindowShows([&](QWidget* window) {
        inspected = true;
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillomat - Preview - Office Suite"));
        QCOMPARE(window->windowType(), Qt::Tool);
        QCOMPARE(window->parentWidget(), &m_owner);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        // The outer size: with a window frame the client area is smaller than the picture.
        QCOMPARE(window->frameGeometry().size(), size);
        QVERIFY((window->frameGeometry().center() - centreOfPrimaryScreen()).manhattanLength() <=
                2);
        const QImage shown = window->grab().toImage();
        QCOMPARE(shown.pixel(0, 0), qRgb(255, 0, 0));
        const QRect client = window->rect();
        if (client.size() == size)
            QCOMPARE(shown.pixel(size.width() - 1, size.height() - 1), qRgb(0, 0, 255));
        if (size.width() > 2)
            QCOMPARE(shown.pixel(1, 0), qRgb(0, 255, 0));
        window->close();
    });
    QCOMPARE(
        showPreviewWindow(&m_owner, QStringLiteral("Quillomat - Preview - Office Suite"), picture),
        2);
    QVERIFY(inspected);
    QVERIFY(!QApplication::activeModalWidget());
    // The window lives only while it is shown.
    QCOMPARE(m_owner.findChildren<QLabel*>().size(), 0);
}

// The frame, title bar included, lies inside the screen's available area, and the picture's
// far corner can be scrolled to, still at the picture's own scale.
void TestDialogs::previewLargerThanTheScreenScrolls()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size = area.size() + QSize(400, 300);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));

    m_owner.show();
    bool inspected = false;
    whenModalWindowShows([&](QWidget* window) {
        inspected = true;
        QVERIFY2(area.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(window->frameGeometry().x())
                                .arg(window->frameGeometry().y())
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())));
        auto* scroller = window->findChild<QScrollArea*>();
        QVERIFY(scroller);
        scroller->horizontalScrollBar()->setValue(scroller->horizontalScrollBar()->maximum());
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
        const QImage shown = scroller->viewport()->grab().toImage();
        QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1), qRgb(0, 0, 255));
        window->close();
    });
    showPreviewWindow(&m_owner, QStringLiteral("Preview"), picture);
    QVERIFY(inspected);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"

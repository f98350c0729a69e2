#include "app/Haupt.h"
#include "app/ProgramSetup.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/LangDlg.h"
#include "dialogs/PreviewWindow.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace quillomat;

// The titles the window system receives (_NET_WM_NAME), read back with xprop. Only the X11
// platform shows them, so the test runs there when a display can be reached and skips
// otherwise (scripts/check-window-titles.sh gives it one).
namespace {

bool displayReachable()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xprop").isEmpty())
        return false;
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("-len"), QStringLiteral("1")});
    return xprop.waitForFinished(10000) && xprop.exitStatus() == QProcess::NormalExit &&
           xprop.exitCode() == 0;
}

QString netWmName(const QWidget* window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("-notype"),
                 QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("<xprop hangs>");
    // _NET_WM_NAME = "Error"
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype first = line.indexOf(u'"');
    const qsizetype last = line.lastIndexOf(u'"');
    return first >= 0 && last > first ? line.mid(first + 1, last - first - 1) : line;
}

// Reads the title of the modal window that `open` shows, then closes that window.
QString titleOfModal(const std::function<void()>& open)
{
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            title = QStringLiteral("<no modal window>");
            return;
        }
        title = netWmName(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else if (auto* form = qobject_cast<TMovingForm*>(modal))
            form->setModalResult(2);
        else
            modal->close();
    });
    open();
    return title;
}

} // namespace

class WindowTitlesTest : public QObject
{
    Q_OBJECT

public:
    explicit WindowTitlesTest(bool onX11) : m_onX11(onX11) {}

private slots:
    void titlesAsDesigned();

private:
    bool m_onX11;
};

void WindowTitlesTest::titlesAsDesigned()
{
    if (!m_onX11)
        QSKIP("no X11 display with xprop: the window system's titles cannot be read");
    TMain_Form main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(netWmName(&main), QStringLiteral("Quillomat"));

    QCOMPARE(titleOfModal([&] { showErrorBox(&main, QStringLiteral("Something failed.")); }),
             QStringLiteral("Error"));
    QCOMPARE(titleOfModal([&] {
                 TChoseLang_Form dialog(&main);
                 dialog.SetLanguageList({QStringLiteral("English"), QStringLiteral("Deutsch")});
                 dialog.showModal();
             }),
             QStringLiteral("Quillodex"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QCOMPARE(titleOfModal([&] {
                 showPreviewWindow(&main, QStringLiteral("Quillomat - Preview - Paint"), picture);
             }),
             QStringLiteral("Quillomat - Preview - Paint"));
}

int main(int argc, char* argv[])
{
    const bool onX11 = displayReachable();
    if (onX11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    setUpApplication();
    WindowTitlesTest test(onX11);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowtitles.moc"

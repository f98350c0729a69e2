#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "controls/TMovingForm.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace quillomat;

namespace {

// The language dialog's buttons: ok (Default, result 1) before cancel (Cancel and Default,
// result 2), and a list-style box that leaves Enter and Escape to the window.
struct Dialog
{
    TMovingForm form;
    TExtSpeedButton* ok;
    TExtSpeedButton* cancel;
    TFlatComboBox* box;
    QStringList clicks;

    Dialog()
    {
        form.resize(342, 173);
        ok = new TExtSpeedButton(&form);
        ok->setObjectName(QStringLiteral("ok"));
        ok->setGeometry(247, 124, 67, 21);
        ok->setDefault(true);
        ok->setModalResult(1);
        cancel = new TExtSpeedButton(&form);
        cancel->setObjectName(QStringLiteral("cancel"));
        cancel->setGeometry(179, 124, 67, 21);
        cancel->setCancel(true);
        cancel->setDefault(true);
        cancel->setModalResult(2);
        box = new TFlatComboBox(&form);
        box->setComboStyle(TComboBoxStyle::csDropDownList);
        box->setGeometry(30, 91, 283, 21);
        box->addItems({QStringLiteral("English"), QStringLiteral("Deutsch")});
        for (TExtSpeedButton* button : {ok, cancel})
            QObject::connect(button, &QAbstractButton::clicked, &form,
                             [this, button] { clicks << button->objectName(); });
    }
};

} // namespace

class TestMovingForm : public QObject
{
    Q_OBJECT

private slots:
    void isBorderless();
    void dialogKeys_data();
    void dialogKeys();
    void enterReachesDisabledFirstDefault();
    void editFieldKeepsEnter();
    void ownedWindowsButtonsAreNotOffered();
    void showModal_data();
    void showModal();
    void zeroResultKeepsModalLoopRunning();
    void pressOnSurfaceFollowsMouse();
    void pressesThatNeverMove_data();
    void pressesThatNeverMove();
};

void TestMovingForm::isBorderless()
{
    TMovingForm form;
    QVERIFY(form.isWindow());
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
}

void TestMovingForm::dialogKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("modalResult");
    const Qt::KeyboardModifiers none;
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << QStringList{"ok"} << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << QStringList{"ok"} << 1;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << QStringList{"cancel"} << 2;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                 << QStringList{} << 0;
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << QStringList{} << 0;
    QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::AltModifier)
                               << QStringList{} << 0;
    QTest::newRow("Shift+Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << QStringList{} << 0;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << QStringList{} << 0;
}

void TestMovingForm::dialogKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Dialog d;
    d.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.form));
    d.box->setFocus();
    QTRY_VERIFY(d.box->hasFocus());
    // Sent to the focused box, which leaves these keys to its window.
    QTest::keyClick(d.box, Qt::Key(key), modifiers);
    QTEST(d.clicks, "clicks");
    QTEST(d.form.ModalResult(), "modalResult");
}

void TestMovingForm::enterReachesDisabledFirstDefault()
{
    // The main window: setup before preview, both Default; setup disabled.
    TMovingForm form;
    auto* setup = new TExtSpeedButton(&form);
    setup->setDefault(true);
    setup->setEnabled(false);
    auto* preview = new TExtSpeedButton(&form);
    preview->setDefault(true);
    int setupClicks = 0;
    int previewClicks = 0;
    connect(setup, &QAbstractButton::clicked, this, [&] { ++setupClicks; });
    connect(preview, &QAbstractButton::clicked, this, [&] { ++previewClicks; });
    QVERIFY(form.offerDialogKey(Qt::Key_Return, {}));
    QCOMPARE(setupClicks, 1);
    QCOMPARE(previewClicks, 0);
    // Escape finds no Cancel button and stays unhandled.
    QVERIFY(!form.offerDialogKey(Qt::Key_Escape, {}));

    // Creation order counts, not the order of the children list.
    setup->setParent(nullptr);
    setup->setParent(&form);
    QVERIFY(form.offerDialogKey(Qt::Key_Return, {}));
    QCOMPARE(setupClicks, 2);
    delete setup;
}

void TestMovingForm::editFieldKeepsEnter()
{
    Dialog d;
    d.box->setComboStyle(TComboBoxStyle::csSimple);
    d.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.form));
    d.box->setFocus();
    QTRY_VERIFY(d.box->lineEdit()->hasFocus());
    QTest::keyClick(d.box->lineEdit(), Qt::Key_Return);
    QCOMPARE(d.clicks, QStringList{});
    QTest::keyClick(d.box->lineEdit(), Qt::Key_Escape);
    QCOMPARE(d.clicks, QStringList{"cancel"});
}

void TestMovingForm::ownedWindowsButtonsAreNotOffered()
{
    TMovingForm main;
    Dialog* d = new Dialog;
    d->form.setParent(&main, d->form.windowFlags());
    QVERIFY(!main.offerDialogKey(Qt::Key_Return, {}));
    QCOMPARE(d->clicks, QStringList{});
    QCOMPARE(d->form.speedButtons(), (QList<TExtSpeedButton*>{d->ok, d->cancel}));
    delete d;
}

void TestMovingForm::showModal_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("ok button") << "ok" << 1;
    QTest::newRow("cancel button") << "cancel" << 2;
    QTest::newRow("Enter") << "enter" << 1;
    QTest::newRow("Escape") << "escape" << 2;
    QTest::newRow("closed by the window system") << "close" << 2;
}

void TestMovingForm::showModal()
{
    QFETCH(QString, action);
    Dialog d;
    d.form.setModalResult(9); // a stale result from before is cleared when shown
    QTimer::singleShot(0, &d.form, [&] {
        if (action == "ok")
            QTest::mouseClick(d.ok, Qt::LeftButton, {}, QPoint(5, 5));
        else if (action == "cancel")
            QTest::mouseClick(d.cancel, Qt::LeftButton, {}, QPoint(5, 5));
        else if (action == "enter")
            QTest::keyClick(&d.form, Qt::Key_Return);
        else if (action == "escape")
            QTest::keyClick(&d.form, Qt::Key_Escape);
        else
            d.form.close();
    });
    QTEST(d.form.showModal(), "result");
    QVERIFY(!d.form.isVisible());
    QVERIFY(!d.form.isShownModal());
}

void TestMovingForm::zeroResultKeepsModalLoopRunning()
{
    Dialog d;
    d.ok->setModalResult(0);
    QTimer::singleShot(0, &d.form, [&] {
        d.ok->click();
        QVERIFY(d.form.isShownModal());
        d.cancel->click();
    });
    QCOMPARE(d.form.showModal(), 2);
    QCOMPARE(d.clicks, (QStringList{"ok", "cancel"}));
}

void TestMovingForm::pressOnSurfaceFollowsMouse()
{
    Dialog d;
    d.form.move(100, 100);
    d.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form));
    const QPoint start = d.form.pos();
    // The offscreen platform refuses the system move, so the window follows by hand.
    QTest::mousePress(&d.form, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&d.form, QPoint(25, 15));
    QTRY_COMPARE(d.form.pos(), start + QPoint(20, 10));
    QTest::mouseRelease(&d.form, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint after = d.form.pos();
    QTest::mouseMove(&d.form, QPoint(60, 60));
    QCOMPARE(d.form.pos(), after);
}

void TestMovingForm::pressesThatNeverMove_data()
{
    QTest::addColumn<QString>("press");
    QTest::newRow("on a child box") << "child";
    QTest::newRow("on a button") << "button";
    QTest::newRow("right button") << "right";
    QTest::newRow("double click") << "double";
}

void TestMovingForm::pressesThatNeverMove()
{
    QFETCH(QString, press);
    Dialog d;
    d.form.move(100, 100);
    d.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form));
    const QPoint start = d.form.pos();
    QPoint at(5, 5);
    Qt::MouseButton button = Qt::LeftButton;
    if (press == "child")
        at = d.box->geometry().center();
    else if (press == "button")
        at = d.ok->geometry().center();
    else if (press == "right")
        button = Qt::RightButton;
    if (press == "double") {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), d.form.mapToGlobal(QPointF(at)),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&d.form, &dbl);
        QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, 30)),
                         d.form.mapToGlobal(QPointF(at + QPoint(30, 30))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&d.form, &move);
    } else {
        QTest::mousePress(&d.form, button, {}, at);
        QTest::mouseMove(&d.form, at + QPoint(30, 30));
        QTest::mouseRelease(&d.form, button, {}, at + QPoint(30, 30));
    }
    QCoreApplication::processEvents();
    QCOMPARE(d.form.pos(), start);
}

QTEST_MAIN(TestMovingForm)
#include "tst_movingform.moc"

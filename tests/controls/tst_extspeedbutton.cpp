#include "graphics/ColorValue.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TMovingForm.h"

#include <QEnterEvent>
#include <QScopeGuard>
#include <QTest>

using namespace quillomat;

namespace {

constexpr ColorValue kHostBackground = 0x203040;
constexpr ColorValue kFrame = 0x0000FF;
constexpr ColorValue kArea = 0x00FF00;

// A 67 x 21 flat button as the windows lay it out, on a window with a plain background.
struct Fixture
{
    TMovingForm form;
    TExtSpeedButton* button;

    Fixture()
    {
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, colorFromValue(kHostBackground));
        form.setPalette(palette);
        form.setAutoFillBackground(true);
        form.resize(120, 60);
        button = new TExtSpeedButton(&form);
        button->setGeometry(20, 20, 67, 21);
        button->setFlat(true);
        button->setFrameColor(kFrame);
        button->setActionAreaColor(kArea);
        form.show();
    }

    QImage image() { return form.grab(button->geometry()).toImage(); }

    void enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
        QCoreApplication::sendEvent(button, &event);
    }

    void leave()
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(button, &event);
    }
};

ColorValue at(const QImage& image, QPoint p)
{
    return valueFromColor(image.pixelColor(p));
}

bool framePainted(const QImage& image)
{
    for (int y = 1; y <= 18; ++y)
        if (at(image, {1, y}) != kFrame || at(image, {64, y}) != kFrame)
            return false;
    for (int x = 1; x <= 64; ++x)
        if (at(image, {x, 1}) != kFrame || at(image, {x, 18}) != kFrame)
            return false;
    return true;
}

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestExtSpeedButton : public QObject
{
    Q_OBJECT

private slots:
    void newButtonDefaults();
    void restingFrame_data();
    void restingFrame();
    void equalFrameColorDoesNotRepaint();
    void actionAreaTriangle_data();
    void actionAreaTriangle();
    void actionAreaClickOrder_data();
    void actionAreaClickOrder();
    void hotTrackingRestoresColour();
    void clickHandsModalResultFirst();
    void clickWorksWhileDisabled();
    void accessKeyClicks();
    void flatEdges();
};

void TestExtSpeedButton::newButtonDefaults()
{
    TExtSpeedButton button;
    QCOMPARE(button.size(), QSize(23, 21));
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
    QVERIFY(!button.Default());
    QVERIFY(!button.Cancel());
    QVERIFY(!button.HotTrack());
    QCOMPARE(button.HotColor(), ColorValue(16711680));
    QCOMPARE(button.ModalResult(), 0);
    QVERIFY(button.FrameVisible());
    QCOMPARE(button.FrameColor(), clBtnShadow);
    QVERIFY(!button.ActionAreaVisble());
    QCOMPARE(button.ActionAreaColor(), clBlack);
    QCOMPARE(button.NormalFontColor(), ColorValue(0));
}

void TestExtSpeedButton::restingFrame_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("pointerInside");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("painted");
    QTest::newRow("at rest") << true << false << false << true;
    QTest::newRow("hidden") << false << false << false << false;
    QTest::newRow("pointer over it") << true << true << false << false;
    QTest::newRow("down") << true << false << true << false;
}

void TestExtSpeedButton::restingFrame()
{
    QFETCH(bool, visible);
    QFETCH(bool, pointerInside);
    QFETCH(bool, down);
    Fixture f;
    f.button->setFrameVisible(visible);
    f.button->setDownState(down);
    if (pointerInside)
        f.enter();
    const QImage image = f.image();
    QTEST(framePainted(image), "painted");
    // Never on the outer edge nor inside the frame.
    QVERIFY(at(image, {0, 10}) != kFrame);
    QVERIFY(at(image, {65, 10}) != kFrame);
    QVERIFY(at(image, {2, 2}) != kFrame);
    QVERIFY(at(image, {63, 17}) != kFrame);
}

void TestExtSpeedButton::equalFrameColorDoesNotRepaint()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    PaintCounter counter;
    f.button->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;
    f.button->setFrameColor(kFrame);
    f.button->setFrameVisible(true);
    f.button->setActionAreaVisble(false);
    f.button->setActionAreaColor(kArea);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    f.button->setFrameColor(0x111111);
    QTRY_VERIFY(counter.paints > 0);
}

void TestExtSpeedButton::actionAreaTriangle_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QList<QPoint>>("inside");
    QTest::addColumn<QList<QPoint>>("outside");
    const QList<QPoint> resting{{59, 13}, {59, 17}, {62, 15}, {60, 15}, {61, 14}, {61, 16}};
    const QList<QPoint> restingOutside{{58, 15}, {63, 15}, {59, 12}, {59, 18}, {62, 14}, {62, 16}};
    const QList<QPoint> shifted{{60, 14}, {60, 18}, {63, 16}, {61, 16}};
    const QList<QPoint> shiftedOutside{{59, 13}, {59, 15}, {64, 16}, {60, 19}};
    QTest::newRow("resting") << 0 << resting << restingOutside;
    QTest::newRow("left button held") << 1 << shifted << shiftedOutside;
    QTest::newRow("down") << 2 << shifted << shiftedOutside;
}

void TestExtSpeedButton::actionAreaTriangle()
{
    QFETCH(int, state);
    QFETCH(QList<QPoint>, inside);
    QFETCH(QList<QPoint>, outside);
    Fixture f;
    f.button->setFrameVisible(false);
    f.button->setActionAreaVisble(true);
    // Released even when a check fails, so that later tests start with no button held.
    const auto release = qScopeGuard([&f, state] {
        if (state == 1)
            QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(10, 10));
    });
    if (state == 1)
        QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10));
    if (state == 2)
        f.button->setDownState(true);
    const QImage image = f.image();
    for (const QPoint& p : inside)
        QVERIFY2(at(image, p) == kArea, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint& p : outside)
        QVERIFY2(at(image, p) != kArea, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestExtSpeedButton::actionAreaClickOrder_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("in the area") << true << QPoint(60, 15) << QStringList{"click", "area 60 15"}
                                 << true;
    QTest::newRow("area corner") << true << QPoint(57, 11) << QStringList{"click", "area 57 11"}
                                 << true;
    QTest::newRow("area far corner")
        << true << QPoint(65, 19) << QStringList{"click", "area 65 19"} << true;
    QTest::newRow("right of the area") << true << QPoint(66, 15) << QStringList{"click"} << false;
    QTest::newRow("above the area") << true << QPoint(60, 10) << QStringList{"click"} << false;
    QTest::newRow("area hidden") << false << QPoint(60, 15) << QStringList{"click"} << false;
}

void TestExtSpeedButton::actionAreaClickOrder()
{
    QFETCH(bool, visible);
    QFETCH(QPoint, point);
    QFETCH(bool, highlighted);
    Fixture f;
    f.button->setFrameVisible(false);
    f.button->setActionAreaVisble(visible);
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    QStringList calls;
    connect(f.button, &QAbstractButton::clicked, this, [&calls] { calls << "click"; });
    f.button->setOnActionAreaClick([&calls, &f](TExtSpeedButton* sender, int x, int y) {
        QCOMPARE(sender, f.button);
        calls << QStringLiteral("area %1 %2").arg(x).arg(y);
    });
    QTest::mouseMove(f.button, point);
    QTRY_COMPARE(f.button->InActionArea(), highlighted || (!visible && point == QPoint(60, 15)));
    if (visible) {
        const QColor expected = colorFromValue(highlighted ? clHighlight : kArea);
        QCOMPARE(f.image().pixelColor(59, 15), expected);
    }
    QTest::mouseClick(f.button, Qt::LeftButton, {}, point);
    QTEST(calls, "calls");
}

void TestExtSpeedButton::hotTrackingRestoresColour()
{
    Fixture f;
    f.button->setHotTrack(true);
    f.button->setHotColor(0xF0F0F0);
    f.button->setFontColor(clWhite);
    QCOMPARE(f.button->NormalFontColor(), clWhite);

    f.enter();
    QVERIFY(f.button->isMouseInside());
    QCOMPARE(f.button->FontColor(), ColorValue(0xF0F0F0));
    // A change while the pointer is over the button is not a new colour to return to.
    f.button->setFontColor(0x00FFFF);
    f.leave();
    QCOMPARE(f.button->FontColor(), clWhite);

    // A change while the pointer is outside is.
    f.button->setFontColor(clSilver);
    f.enter();
    QCOMPARE(f.button->FontColor(), ColorValue(0xF0F0F0));
    f.leave();
    QCOMPARE(f.button->FontColor(), clSilver);

    // Without HotTrack nothing changes the caption.
    f.button->setHotTrack(false);
    f.enter();
    QCOMPARE(f.button->FontColor(), clSilver);
    f.leave();

    // Disabled buttons do not track.
    f.button->setHotTrack(true);
    f.button->setEnabled(false);
    f.enter();
    QCOMPARE(f.button->FontColor(), clSilver);
    QVERIFY(!f.button->isMouseInside());
}

void TestExtSpeedButton::clickHandsModalResultFirst()
{
    Fixture f;
    f.form.setModalResult(7);
    f.button->setModalResult(0);
    int seen = -1;
    connect(f.button, &QAbstractButton::clicked, this, [&] { seen = f.form.ModalResult(); });
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(seen, 0); // 0 is handed on too
    f.button->setModalResult(1);
    f.button->click();
    QCOMPARE(seen, 1);

    // A button whose window is no moving form hands its result to nobody.
    QWidget plain;
    TExtSpeedButton* orphan = new TExtSpeedButton(&plain);
    orphan->setModalResult(3);
    orphan->click();
    QCOMPARE(f.form.ModalResult(), 1);
}

void TestExtSpeedButton::clickWorksWhileDisabled()
{
    Fixture f;
    f.button->setEnabled(false);
    f.button->setModalResult(2);
    int clicks = 0;
    connect(f.button, &QAbstractButton::clicked, this, [&] { ++clicks; });
    f.button->Click();
    QCOMPARE(clicks, 1);
    QCOMPARE(f.form.ModalResult(), 2);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks, 1); // the mouse does not click a disabled button
}

void TestExtSpeedButton::accessKeyClicks()
{
    Fixture f;
    f.button->setText(QStringLiteral("&setup"));
    f.button->setModalResult(4);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    int clicks = 0;
    connect(f.button, &QAbstractButton::clicked, this, [&] { ++clicks; });
    QTest::keyClick(&f.form, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicks, 1);
    QCOMPARE(f.form.ModalResult(), 4);
    f.button->setEnabled(false);
    QTest::keyClick(&f.form, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicks, 1);
}

void TestExtSpeedButton::flatEdges()
{
    Fixture f;
    f.button->setFrameVisible(false);
    const ColorValue light = resolveColorValue(clBtnHighlight);
    const ColorValue shadow = resolveColorValue(clBtnShadow);
    QCOMPARE(at(f.image(), {0, 0}), kHostBackground);
    QCOMPARE(at(f.image(), {66, 20}), kHostBackground);
    f.enter();
    QCOMPARE(at(f.image(), {0, 10}), light);
    QCOMPARE(at(f.image(), {30, 0}), light);
    QCOMPARE(at(f.image(), {66, 10}), shadow);
    QCOMPARE(at(f.image(), {30, 20}), shadow);
    f.leave();
    f.button->setDownState(true);
    QCOMPARE(at(f.image(), {0, 10}), shadow);
    QCOMPARE(at(f.image(), {66, 10}), light);
}

QTEST_MAIN(TestExtSpeedButton)
#include "tst_extspeedbutton.moc"

#include "graphics/ColorValue.h"
#include "controls/TFlatComboBox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace quillomat;

namespace {

constexpr ColorValue kFill = 0x404040;
constexpr ColorValue kBorder = 0x808080;
constexpr ColorValue kArrowBackground = 0xC0C0C0;
constexpr ColorValue kArrow = 0x0000FF;
constexpr ColorValue kHostBackground = 0x00FF00;

using Pixels = QList<QPoint>;

// A 201 x 21 box as the windows lay it out, on a host whose green background shows wherever
// the box leaves its area unpainted.
struct Fixture
{
    QWidget host;
    TFlatComboBox* box;

    explicit Fixture(TComboBoxStyle style = TComboBoxStyle::csDropDownList)
    {
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, colorFromValue(kHostBackground));
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        host.resize(240, 60);
        box = new TFlatComboBox(&host, style);
        box->setGeometry(10, 10, 201, 21);
        box->setColor(kFill);
        box->setColorBorder(kBorder);
        box->setColorArrowBackground(kArrowBackground);
        box->setColorArrow(kArrow);
        box->setFontColor(clSilver);
        box->addItems({QStringLiteral("alpha"), QStringLiteral("beta")});
        box->setCurrentIndex(0);
        host.show();
    }

    QImage image() { return host.grab(box->geometry()).toImage(); }
};

ColorValue at(const QImage& image, int x, int y)
{
    return valueFromColor(image.pixelColor(x, y));
}

// Reports the first pixel of the list that does not have the colour.
void expectColor(const QImage& image, const Pixels& pixels, ColorValue color, const char* what)
{
    for (const QPoint& p : pixels) {
        if (at(image, p.x(), p.y()) != color) {
            QFAIL(qPrintable(QStringLiteral("%1: pixel (%2, %3) is %4, expected %5")
                                 .arg(QLatin1String(what))
                                 .arg(p.x())
                                 .arg(p.y())
                                 .arg(at(image, p.x(), p.y()), 6, 16, QLatin1Char('0'))
                                 .arg(color, 6, 16, QLatin1Char('0'))));
        }
    }
}

Pixels column(int x, int top, int bottom)
{
    Pixels pixels;
    for (int y = top; y <= bottom; ++y)
        pixels.append(QPoint(x, y));
    return pixels;
}

Pixels row(int y, int left, int right)
{
    Pixels pixels;
    for (int x = left; x <= right; ++x)
        pixels.append(QPoint(x, y));
    return pixels;
}

Pixels rect(int left, int top, int right, int bottom)
{
    Pixels pixels;
    for (int y = top; y <= bottom; ++y)
        pixels += row(y, left, right);
    return pixels;
}

Pixels closedTriangle()
{
    return row(9, 192, 196) + row(10, 193, 195) + Pixels{QPoint(194, 11)};
}

} // namespace

class TestFlatComboBox : public QObject
{
    Q_OBJECT

private slots:
    void newBoxDefaults();
    void bordersAndButton();
    void triangleClosedAndOpen();
    void disabledTriangleIsEngraved();
    void stripAndFocusFrame();
    void simpleStyleHasNoButtonAndNoList();
    void styleSwitchKeepsItems();
    void indexedColors_data();
    void indexedColors();
    void advancedColors();
    void advancedColorsWithoutParent();
    void fontChangeResetsItemHeight();
    void listUsesFillAndFontColor();
    void keyDownReportsKeysOnce();
    void enterInEditStylesStaysInTheBox();
};

void TestFlatComboBox::newBoxDefaults()
{
    TFlatComboBox box;
    QCOMPARE(box.size(), QSize(145, 25));
    QCOMPARE(box.Color(), clWindow);
    QCOMPARE(box.ColorArrow(), clBlack);
    QCOMPARE(box.ColorArrowBackground(), ColorValue(12965593));
    QCOMPARE(box.ColorBorder(), ColorValue(8623776));
    QCOMPARE(box.AdvColorBorder(), 50);
    QCOMPARE(box.AdvColorArrowBackground(), 10);
    QVERIFY(!box.UseAdvColors());
    QCOMPARE(box.ItemHeight(), 13);
    QCOMPARE(box.maxVisibleItems(), 8);
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.ComboStyle(), TComboBoxStyle::csDropDown);
    QVERIFY(box.lineEdit());
    const TFlatComboBox listBox(nullptr, TComboBoxStyle::csDropDownList);
    QCOMPARE(listBox.ComboStyle(), TComboBoxStyle::csDropDownList);
    QVERIFY(!listBox.lineEdit());
}

void TestFlatComboBox::bordersAndButton()
{
    Fixture f;
    const QImage image = f.image();
    QCOMPARE(image.size(), QSize(201, 21));
    expectColor(image, column(0, 0, 20) + column(188, 0, 20) + column(200, 0, 20), kBorder,
                "border columns");
    expectColor(image, row(0, 0, 200) + row(20, 0, 200), kBorder, "border rows");
    // Two rings of fill inside the border, also beside the button.
    expectColor(image,
                column(1, 1, 19) + column(2, 2, 18) + column(187, 1, 19) + column(186, 2, 18),
                kFill, "rings");
    expectColor(image, row(1, 1, 187) + row(19, 1, 187) + row(2, 2, 186) + row(18, 2, 186), kFill,
                "ring rows");
    Pixels buttonFace = rect(189, 1, 199, 19);
    for (const QPoint& p : closedTriangle())
        buttonFace.removeAll(p);
    expectColor(image, buttonFace, kArrowBackground, "arrow button face");
    expectColor(image, rect(180, 3, 185, 17), kFill, "unfocused strip");
}

void TestFlatComboBox::triangleClosedAndOpen()
{
    Fixture f;
    expectColor(f.image(), closedTriangle(), kArrow, "closed triangle");
    expectColor(f.image(),
                {QPoint(191, 9), QPoint(197, 9), QPoint(192, 10), QPoint(196, 10), QPoint(193, 11),
                 QPoint(195, 11), QPoint(194, 8), QPoint(194, 12)},
                kArrowBackground, "around the closed triangle");

    f.box->showPopup();
    QTRY_VERIFY(f.box->isListOpen());
    const Pixels open = row(11, 192, 196) + row(10, 193, 195) + Pixels{QPoint(194, 9)};
    expectColor(f.image(), open, kArrow, "open triangle");
    expectColor(f.image(), {QPoint(192, 9), QPoint(196, 9)}, kArrowBackground, "above open");

    f.box->hidePopup();
    QTRY_VERIFY(!f.box->isListOpen());
    expectColor(f.image(), closedTriangle(), kArrow, "closed again");
}

void TestFlatComboBox::disabledTriangleIsEngraved()
{
    Fixture f;
    f.box->setEnabled(false);
    const QImage image = f.image();
    expectColor(image, closedTriangle(), 0x808080, "gray triangle");
    expectColor(
        image,
        {QPoint(197, 10), QPoint(196, 10), QPoint(196, 11), QPoint(195, 11), QPoint(195, 12)},
        clWhite, "white copy one down and right");
    expectColor(image, {QPoint(198, 10), QPoint(194, 12)}, kArrowBackground, "outside both");
}

void TestFlatComboBox::stripAndFocusFrame()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.host));
    f.box->setFocus();
    QTRY_VERIFY(f.box->hasFocus());
    const ColorValue highlight = resolveColorValue(clHighlight);
    const QImage image = f.image();
    expectColor(image, rect(180, 3, 184, 17), highlight, "strip");
    expectColor(image, row(3, 3, 184) + row(17, 3, 184) + column(3, 3, 17) + column(184, 3, 17),
                highlight, "focus frame");
    expectColor(image, column(185, 3, 17) + column(2, 2, 18), kFill, "fill beside the bar");

    f.box->clearFocus();
    QTRY_VERIFY(!f.box->hasFocus());
    expectColor(f.image(), rect(180, 3, 185, 17) + row(3, 3, 184), kFill, "unfocused");
}

void TestFlatComboBox::simpleStyleHasNoButtonAndNoList()
{
    Fixture f(TComboBoxStyle::csSimple);
    QVERIFY(f.box->lineEdit());
    QCOMPARE(f.box->lineEdit()->geometry(), QRect(3, 3, 201 - 11 - 8, 21 - 6));
    const QImage image = f.image();
    expectColor(image, column(0, 0, 20) + column(188, 0, 20) + row(0, 0, 188) + row(20, 0, 188),
                kBorder, "border");
    expectColor(image, rect(189, 0, 200, 20), kHostBackground, "no arrow button");
    f.box->showPopup();
    QVERIFY(!f.box->isListOpen());
    QTest::keyClick(f.box->lineEdit(), Qt::Key_F4);
    QVERIFY(!f.box->isListOpen());
}

void TestFlatComboBox::styleSwitchKeepsItems()
{
    Fixture f;
    f.box->setCurrentIndex(1);
    f.box->setComboStyle(TComboBoxStyle::csSimple);
    f.box->setEditText(QStringLiteral("enter keywords"));
    QCOMPARE(f.box->currentText(), QStringLiteral("enter keywords"));
    QTest::keyClick(f.box->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.box->count(), 2); // Enter never adds the typed text as an entry

    f.box->setComboStyle(TComboBoxStyle::csDropDownList);
    QVERIFY(!f.box->lineEdit());
    QCOMPARE(f.box->count(), 2);
    expectColor(f.image(), closedTriangle(), kArrow, "button back");

    f.box->setComboStyle(TComboBoxStyle::csDropDown);
    QVERIFY(f.box->lineEdit());
    QCOMPARE(f.box->lineEdit()->geometry(), QRect(3, 3, 182, 15));
    expectColor(f.image(), closedTriangle(), kArrow, "drop-down keeps the button");
}

void TestFlatComboBox::indexedColors_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<ColorValue>("arrow");
    QTest::addColumn<ColorValue>("arrowBackground");
    QTest::addColumn<ColorValue>("border");
    QTest::newRow("0 arrow") << 0 << ColorValue(0x123456) << kArrowBackground << kBorder;
    QTest::newRow("1 arrow background") << 1 << kArrow << ColorValue(0x123456) << kBorder;
    QTest::newRow("2 border") << 2 << kArrow << kArrowBackground << ColorValue(0x123456);
    QTest::newRow("3 nothing") << 3 << kArrow << kArrowBackground << kBorder;
    QTest::newRow("-1 nothing") << -1 << kArrow << kArrowBackground << kBorder;
}

void TestFlatComboBox::indexedColors()
{
    QFETCH(int, index);
    Fixture f;
    f.box->SetIndexedColor(index, 0x123456);
    QTEST(f.box->ColorArrow(), "arrow");
    QTEST(f.box->ColorArrowBackground(), "arrowBackground");
    QTEST(f.box->ColorBorder(), "border");
    QFETCH(ColorValue, border);
    QCOMPARE(at(f.image(), 0, 10), border);
}

void TestFlatComboBox::advancedColors()
{
    Fixture f;
    QPalette palette = f.host.palette();
    palette.setColor(QPalette::Window, colorFromValue(0x404040));
    f.host.setPalette(palette);
    f.box->setUseAdvColors(true);
    QCOMPARE(f.box->ColorBorder(), ColorValue(0x151515));
    QCOMPARE(f.box->ColorArrowBackground(), ColorValue(0x404040));
    QCOMPARE(at(f.image(), 0, 10), ColorValue(0x151515));

    // Off keeps the derived colours; on again with the same setting changes nothing.
    f.box->setUseAdvColors(false);
    QCOMPARE(f.box->ColorBorder(), ColorValue(0x151515));
    f.box->setColorBorder(0x222222);
    f.box->setUseAdvColors(false);
    QCOMPARE(f.box->ColorBorder(), ColorValue(0x222222));

    // The parent's colour changing derives again; a percentage of 0 keeps the current colour.
    f.box->setUseAdvColors(true);
    f.box->SetIndexedAdvColor(0, 0);
    palette.setColor(QPalette::Window, colorFromValue(clSilver));
    f.host.setPalette(palette);
    QCOMPARE(f.box->ColorBorder(), ColorValue(0x151515));
    QCOMPARE(f.box->ColorArrowBackground(), ColorValue(0xC0C0C0));
    f.box->SetIndexedAdvColor(0, 50);
    QCOMPARE(f.box->ColorBorder(), ColorValue(0x969696));
    QCOMPARE(f.box->Color(), kFill); // the fill never follows the parent
}

void TestFlatComboBox::advancedColorsWithoutParent()
{
    TFlatComboBox box;
    box.setUseAdvColors(true);
    QCOMPARE(box.ColorBorder(), ColorValue(8623776));
    QCOMPARE(box.ColorArrowBackground(), ColorValue(12965593));
}

void TestFlatComboBox::fontChangeResetsItemHeight()
{
    Fixture f;
    f.box->setItemHeight(20);
    QCOMPARE(f.box->ItemHeight(), 20);
    QFont font = f.box->font();
    font.setPointSize(font.pointSize() + 3);
    f.box->setFont(font);
    QCOMPARE(f.box->ItemHeight(), 13);
    QCOMPARE(f.box->view()->sizeHintForRow(0), 13);
}

void TestFlatComboBox::listUsesFillAndFontColor()
{
    Fixture f;
    f.box->setColor(0x102030);
    f.box->setFontColor(0x405060);
    QCOMPARE(valueFromColor(f.box->view()->palette().color(QPalette::Base)), ColorValue(0x102030));
    QCOMPARE(valueFromColor(f.box->view()->palette().color(QPalette::Text)), ColorValue(0x405060));
    f.box->setComboStyle(TComboBoxStyle::csSimple);
    QCOMPARE(valueFromColor(f.box->lineEdit()->palette().color(QPalette::Base)),
             ColorValue(0x102030));
    QCOMPARE(valueFromColor(f.box->lineEdit()->palette().color(QPalette::Text)),
             ColorValue(0x405060));
}

void TestFlatComboBox::keyDownReportsKeysOnce()
{
    Fixture f;
    QSignalSpy spy(f.box, &TFlatComboBox::keyDown);
    QTest::keyClick(f.box, Qt::Key_Down);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(f.box->currentIndex(), 1);

    f.box->setComboStyle(TComboBoxStyle::csSimple);
    QVERIFY(QTest::qWaitForWindowActive(&f.host));
    f.box->setFocus();
    QTRY_VERIFY(f.box->lineEdit()->hasFocus());
    spy.clear();
    QTest::keyClick(f.box->lineEdit(), Qt::Key_A);
    QTest::keyClick(f.box->lineEdit(), Qt::Key_Up); // passed on from the edit to the box
    QTest::keyClick(f.box->lineEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QList<int> keys;
    for (const QList<QVariant>& call : spy)
        keys.append(call.at(0).toInt());
    QCOMPARE(keys, (QList<int>{Qt::Key_A, Qt::Key_Up, Qt::Key_Shift, Qt::Key_Return}));
    QCOMPARE(spy.last().at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
}

void TestFlatComboBox::enterInEditStylesStaysInTheBox()
{
    Fixture f(TComboBoxStyle::csSimple);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.box->lineEdit(), &enter);
    QVERIFY(enter.isAccepted());

    f.box->setComboStyle(TComboBoxStyle::csDropDownList);
    QKeyEvent listEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.box, &listEnter);
    QVERIFY(!listEnter.isAccepted()); // goes on to the window's default button
}

QTEST_MAIN(TestFlatComboBox)
#include "tst_flatcombobox.moc"

#include "graphics/ColorValue.h"
#include "controls/FlatUtilitys.h"
#include "controls/HSLUtils.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

using namespace quillomat;

class TestColorArithmetic : public QObject
{
    Q_OBJECT

private slots:
    void scaledHsl_data();
    void scaledHsl();
    void deriveAdvColor_data();
    void deriveAdvColor();
    void roundTrip_data();
    void roundTrip();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void rectsOverlap_data();
    void rectsOverlap();
    void colorFromValue_data();
    void colorFromValue();
    void systemColorsFollowPalette();
};

void TestColorArithmetic::scaledHsl_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("l");
    QTest::newRow("dark grey") << ColorValue(0x404040) << 0 << 0 << 60;
    QTest::newRow("pure red") << ColorValue(0x0000FF) << 0 << 240 << 120;
    QTest::newRow("pure green") << ColorValue(0x00FF00) << 80 << 240 << 120;
    QTest::newRow("pure blue") << ColorValue(0xFF0000) << 159 << 240 << 120;
    QTest::newRow("white") << clWhite << 0 << 0 << 240;
    QTest::newRow("black") << clBlack << 0 << 0 << 0;
    // Red and blue both at the maximum: red is tested first, so the hue wraps below zero.
    QTest::newRow("magenta") << ColorValue(0xFF00FF) << 199 << 240 << 120;
    QTest::newRow("light, saturation over 0.5 branch") << ColorValue(0xC0FFFF) << 40 << 240 << 210;
}

void TestColorArithmetic::scaledHsl()
{
    QFETCH(ColorValue, color);
    QFETCH(int, h);
    QFETCH(int, s);
    QFETCH(int, l);
    const ScaledHsl hsl = ColorToScaledHsl(color);
    QCOMPARE(hsl.h, h);
    QCOMPARE(hsl.s, s);
    QCOMPARE(hsl.l, l);
}

void TestColorArithmetic::deriveAdvColor_data()
{
    QTest::addColumn<ColorValue>("parent");
    QTest::addColumn<ColorValue>("current");
    QTest::addColumn<int>("percentage");
    QTest::addColumn<ColorValue>("expected");
    QTest::newRow("0 keeps current")
        << ColorValue(0x404040) << ColorValue(0x123456) << 0 << ColorValue(0x123456);
    QTest::newRow("0 keeps a system colour")
        << ColorValue(0x404040) << clHighlight << 0 << clHighlight;
    QTest::newRow("grey by 50") << ColorValue(0x404040) << clBlack << 50 << ColorValue(0x151515);
    QTest::newRow("grey by 10 is itself")
        << ColorValue(0x404040) << clBlack << 10 << ColorValue(0x404040);
    QTest::newRow("silver by 50") << clSilver << clBlack << 50 << ColorValue(0x969696);
    QTest::newRow("red by 50") << clRed << clBlack << 50 << ColorValue(0x0000AA);
    QTest::newRow("below 0 gives black") << ColorValue(0x202020) << clWhite << 100 << clBlack;
    // The lightening case would overflow the channels (white by 5 wrapped to near black).
    QTest::newRow("above white stays white") << clWhite << clBlack << 5 << clWhite;
    QTest::newRow("light red stays in range")
        << ColorValue(0xF0F0FF) << clBlack << 1 << ColorValue(0xFFFFFF);
}

void TestColorArithmetic::deriveAdvColor()
{
    QFETCH(ColorValue, parent);
    QFETCH(ColorValue, current);
    QFETCH(int, percentage);
    QFETCH(ColorValue, expected);
    QCOMPARE(DeriveAdvColor(parent, current, percentage), expected);
}

void TestColorArithmetic::roundTrip_data()
{
    QTest::addColumn<ColorValue>("color");
    for (const ColorValue color : {0x000000, 0xFFFFFF, 0x404040, 0x0000FF, 0x8396A0, 0xC5D6D9,
                                   0x123456, 0xFEDCBA, 0x00FF80, 0x7F007F})
        QTest::addRow("%06x", color) << color;
}

void TestColorArithmetic::roundTrip()
{
    QFETCH(ColorValue, color);
    const Hsl hsl = ColorToHsl(color);
    QCOMPARE(HslToColor(hsl.h, hsl.s, hsl.l), color);
}

void TestColorArithmetic::roundsHalfToEven_data()
{
    QTest::addColumn<double>("channel");
    QTest::addColumn<int>("expected");
    QTest::newRow("126.5 down") << 126.5 << 126;
    QTest::newRow("127.5 up") << 127.5 << 128;
    QTest::newRow("0.5 down") << 0.5 << 0;
    QTest::newRow("254.5 down") << 254.5 << 254;
}

void TestColorArithmetic::roundsHalfToEven()
{
    QFETCH(double, channel);
    QFETCH(int, expected);
    const ColorValue grey = HslToColor(0, 0, channel / 255);
    QCOMPARE(grey, expected * 0x010101);
    QCOMPARE(HueToChannel(0.9, channel / 255, 0), expected); // v = m1 in the last sextant
}

void TestColorArithmetic::rectsOverlap_data()
{
    QTest::addColumn<QRect>("a");
    QTest::addColumn<QRect>("b");
    QTest::addColumn<bool>("overlap");
    QTest::newRow("shared pixel") << QRect(0, 0, 10, 10) << QRect(9, 9, 5, 5) << true;
    QTest::newRow("touching edges") << QRect(0, 0, 10, 10) << QRect(10, 0, 5, 5) << false;
    QTest::newRow("inside") << QRect(0, 0, 10, 10) << QRect(2, 2, 2, 2) << true;
    QTest::newRow("empty") << QRect(0, 0, 10, 10) << QRect(5, 5, 0, 0) << false;
}

void TestColorArithmetic::rectsOverlap()
{
    QFETCH(QRect, a);
    QFETCH(QRect, b);
    QFETCH(bool, overlap);
    QCOMPARE(RectsOverlap(a, b), overlap);
}

void TestColorArithmetic::colorFromValue_data()
{
    QTest::addColumn<ColorValue>("value");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red in the low byte") << ColorValue(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in the third byte") << ColorValue(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("mixed") << ColorValue(0x8396A0) << QColor(0xA0, 0x96, 0x83);
    QTest::newRow("top byte ignored") << ColorValue(0x02404040) << QColor(0x40, 0x40, 0x40);
    QTest::newRow("unknown system index") << systemColorValue(99) << QColor(0, 0, 0);
    QTest::newRow("desktop (fixed)") << systemColorValue(1) << QColor(0, 0x80, 0x80);
}

void TestColorArithmetic::colorFromValue()
{
    QFETCH(ColorValue, value);
    QFETCH(QColor, expected);
    QCOMPARE(quillomat::colorFromValue(value), expected);
}

void TestColorArithmetic::systemColorsFollowPalette()
{
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(10, 11, 12));
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(13, 14, 15));
    const QPalette saved = QGuiApplication::palette();
    QGuiApplication::setPalette(palette);
    QCOMPARE(quillomat::colorFromValue(clHighlight), QColor(1, 2, 3));
    QCOMPARE(quillomat::colorFromValue(clWindow), QColor(4, 5, 6));
    QCOMPARE(quillomat::colorFromValue(clBtnFace), QColor(7, 8, 9));
    QCOMPARE(quillomat::colorFromValue(clBtnShadow), QColor(10, 11, 12));
    QCOMPARE(quillomat::colorFromValue(clWindowText), QColor(13, 14, 15));
    QCOMPARE(resolveColorValue(clHighlight), ColorValue(0x030201));
    // A system colour as the parent of a derived shade is resolved first.
    QCOMPARE(DeriveAdvColor(clBtnShadow, clBlack, 10), resolveColorValue(clBtnShadow));
    QGuiApplication::setPalette(saved);
}

QTEST_MAIN(TestColorArithmetic)
#include "tst_colorarithmetic.moc"

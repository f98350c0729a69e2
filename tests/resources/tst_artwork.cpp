// The built-in pictures as the windows use them: sizes, dark panels under the controls of the
// default layouts, light ground under the black glyphs, and glyph colours the skin can recolour.

#include "resources/BuiltinPictures.h"

#include <QBuffer>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

constexpr QRgb panel = 0xff404040;
constexpr QRgb silver = 0xffc0c0c0;

QImage load(const QString& name)
{
    return quillomat::builtin::picture(QStringLiteral(":/quillomat/") + name);
}

// The picture drawn at twice the resolution, as a screen of that density gets it.
QImage loadSharp(const QString& name)
{
    return quillomat::builtin::picture(QStringLiteral(":/quillomat/") + name, 2);
}

bool samePixels(const QImage& a, const QImage& b)
{
    return a.size() == b.size()
        && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// The first pixel inside the rectangle that is not the panel colour, as text for the failure
// message; empty when every pixel is.
QString firstOffPanelPixel(const QImage& image, const QRect& rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel != panel)
                return QStringLiteral("(%1, %2) is #%3").arg(x).arg(y).arg(pixel & 0xffffff, 6, 16);
        }
    }
    return {};
}

QSet<QRgb> coloursOf(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

} // namespace

class tst_Artwork : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void panelsBehindControls_data();
    void panelsBehindControls();
    void smallButtonsOnLightGround_data();
    void smallButtonsOnLightGround();
    void windowSignsAreBlackOnSilver_data();
    void windowSignsAreBlackOnSilver();
    void helpGlyph();
    void menuImagesHaveTransparentCorners_data();
    void menuImagesHaveTransparentCorners();
    void ownReaderAgreesWithQt_data();
    void ownReaderAgreesWithQt();
    void plainBitmapsAsQtReadsThem_data();
    void plainBitmapsAsQtReadsThem();
    void sharpCompanion_data();
    void sharpCompanion();
};

void tst_Artwork::sizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("main background") << "background101.bmp" << QSize(592, 373);
    QTest::newRow("language background") << "background102.bmp" << QSize(342, 173);
    QTest::newRow("close") << "glyph_close.bmp" << QSize(12, 10);
    QTest::newRow("minimize") << "glyph_minimize.bmp" << QSize(12, 10);
    QTest::newRow("help") << "glyph_help.bmp" << QSize(10, 14);
    QTest::newRow("menu help") << "menu_help.png" << QSize(16, 16);
    QTest::newRow("menu about") << "menu_about.png" << QSize(16, 16);
}

void tst_Artwork::sizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image = load(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), size);
    // Each has a companion drawn at twice the resolution, chosen above a pixel ratio of 1.
    for (qreal ratio : {1.5, 2.0, 3.0}) {
        const QImage sharp =
            quillomat::builtin::picture(QStringLiteral(":/quillomat/") + name, ratio);
        QCOMPARE(sharp.size(), size * 2);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(size));
    }
    QCOMPARE(quillomat::builtin::picture(QStringLiteral(":/quillomat/") + name, 1), image);
}

void tst_Artwork::panelsBehindControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("control");
    // Two pixels around each control as well, so that a control a pixel off still sits on the
    // panel.
    QTest::newRow("sort-by box") << "background101.bmp" << QRect(30, 76, 201, 21);
    QTest::newRow("filter box") << "background101.bmp" << QRect(30, 109, 201, 21);
    QTest::newRow("package list") << "background101.bmp" << QRect(30, 144, 201, 172);
    QTest::newRow("description") << "background101.bmp" << QRect(250, 66, 321, 251);
    // The buttons are transparent and have white captions.
    QTest::newRow("preview button") << "background101.bmp" << QRect(428, 324, 67, 21);
    QTest::newRow("setup button") << "background101.bmp" << QRect(496, 324, 67, 21);
    QTest::newRow("language box") << "background102.bmp" << QRect(30, 91, 283, 21);
    QTest::newRow("cancel button") << "background102.bmp" << QRect(179, 124, 67, 21);
    QTest::newRow("ok button") << "background102.bmp" << QRect(247, 124, 67, 21);
}

void tst_Artwork::panelsBehindControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, control);
    const QImage image = load(name);
    const QRect area = control.adjusted(-2, -2, 2, 2);
    QVERIFY(image.rect().contains(area));
    const QString offPanel = firstOffPanelPixel(image, area);
    QVERIFY2(offPanel.isEmpty(), qPrintable(offPanel));
    const QRect sharpArea(area.topLeft() * 2, area.size() * 2);
    const QString offSharpPanel = firstOffPanelPixel(loadSharp(name), sharpArea);
    QVERIFY2(offSharpPanel.isEmpty(), qPrintable(offSharpPanel));
}

void tst_Artwork::smallButtonsOnLightGround_data()
{
    QTest::addColumn<QRect>("button");
    QTest::newRow("help") << QRect(474, 12, 16, 16);
    QTest::newRow("minimize") << QRect(502, 12, 16, 15);
    QTest::newRow("close") << QRect(522, 12, 16, 15);
}

void tst_Artwork::smallButtonsOnLightGround()
{
    QFETCH(QRect, button);
    for (const QImage& image : {load(QStringLiteral("background101.bmp")),
                                loadSharp(QStringLiteral("background101.bmp"))}) {
        const int scale = image.width() / 592;
        for (int y = button.top() * scale; y < (button.bottom() + 1) * scale; ++y)
            for (int x = button.left() * scale; x < (button.right() + 1) * scale; ++x)
                QVERIFY2(qGray(image.pixel(x, y)) >= 180,
                         qPrintable(QStringLiteral("dark ground at (%1, %2)").arg(x).arg(y)));
    }
}

void tst_Artwork::windowSignsAreBlackOnSilver_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("close") << "glyph_close.bmp";
    QTest::newRow("minimize") << "glyph_minimize.bmp";
    QTest::newRow("close, twice the resolution") << "glyph_close@2x.bmp";
    QTest::newRow("minimize, twice the resolution") << "glyph_minimize@2x.bmp";
}

void tst_Artwork::windowSignsAreBlackOnSilver()
{
    // The skin gives every pixel that is not exactly silver the sign colour, so any third
    // colour (an anti-aliased edge) would grow the sign.
    QFETCH(QString, name);
    const QImage image = load(name).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(coloursOf(image), (QSet<QRgb>{silver, 0xff000000}));
    // The lower left pixel is the glyph's transparent colour.
    QCOMPARE(image.pixel(0, image.height() - 1), silver);
}

void tst_Artwork::helpGlyph()
{
    for (const QImage& image :
         {load(QStringLiteral("glyph_help.bmp")), loadSharp(QStringLiteral("glyph_help.bmp"))}) {
        QVERIFY(image.colorCount() > 0 && image.colorCount() <= 16);
        const QSet<QRgb> colours = coloursOf(image.convertToFormat(QImage::Format_RGB32));
        QVERIFY(colours.size() <= 16);
        QVERIFY(colours.contains(0xffffff00));
        QCOMPARE(image.pixel(0, image.height() - 1), silver);
    }
}

void tst_Artwork::menuImagesHaveTransparentCorners_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("help") << "menu_help.png";
    QTest::newRow("about") << "menu_about.png";
}

void tst_Artwork::menuImagesHaveTransparentCorners()
{
    QFETCH(QString, name);
    const QImage image = load(name);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(15, 15)), 0);
    QCOMPARE(qAlpha(image.pixel(8, 8)), 255);
}

void tst_Artwork::ownReaderAgreesWithQt_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"background101.bmp", "background102.bmp", "glyph_close.bmp",
                             "glyph_minimize.bmp", "glyph_help.bmp", "menu_help.png"})
        QTest::newRow(name) << name;
}

void tst_Artwork::ownReaderAgreesWithQt()
{
    QFETCH(QString, name);
    const QString path = QStringLiteral(":/quillomat/") + name;
    const QImage own = quillomat::builtin::picture(path);
    const QImage qt(path);
    QVERIFY(!qt.isNull());
    QVERIFY(samePixels(own, qt));
    // The help glyph keeps its colour table: the skin recolours by it.
    QCOMPARE(own.colorCount(), qt.colorCount());
}

void tst_Artwork::plainBitmapsAsQtReadsThem_data()
{
    // Bitmaps in the shapes the reader takes and in shapes it must leave to Qt: each comes out
    // as Qt reads it, or as nothing, never as garbage from a misread header.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("plain");
    const QImage source = load(QStringLiteral("glyph_help.bmp"));
    const auto bitmapOf = [](const QImage& image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return bytes;
    };
    const QByteArray mono = bitmapOf(source.convertToFormat(QImage::Format_Mono));
    QTest::newRow("one bit") << mono << true;
    QTest::newRow("eight bits")
        << bitmapOf(source.convertToFormat(QImage::Format_Indexed8)) << true;
    QTest::newRow("24 bits, odd width")
        << bitmapOf(source.convertToFormat(QImage::Format_RGB32).copy(0, 0, 7, 5)) << true;
    QByteArray topDown = mono;
    const qint32 negativeHeight = -14;
    memcpy(topDown.data() + 22, &negativeHeight, 4);
    QTest::newRow("top-down rows") << topDown << true;
    QTest::newRow("truncated") << mono.left(mono.size() - 10) << false;
    QTest::newRow("header only") << mono.left(54) << false;
    QByteArray rle = mono;
    rle[30] = 2; // RLE4 compression: not a plain bitmap
    QTest::newRow("compressed") << rle << false;
    QByteArray huge = mono;
    const qint32 side = 1 << 30;
    memcpy(huge.data() + 18, &side, 4);
    QTest::newRow("absurd width") << huge << false;
    QTest::newRow("not a bitmap") << QByteArray("GIF89a") << false;
}

void tst_Artwork::plainBitmapsAsQtReadsThem()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, plain);
    const QImage own = quillomat::builtin::plainBitmap(bytes);
    QCOMPARE(own.isNull(), !plain);
    if (plain)
        QVERIFY(samePixels(own, QImage::fromData(bytes, "BMP")));
}

void tst_Artwork::sharpCompanion_data()
{
    QTest::addColumn<QSize>("companionSize");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("sharp");
    QTest::newRow("twice the size, 200 %") << QSize(80, 60) << 2.0 << true;
    QTest::newRow("twice the size, 150 %") << QSize(80, 60) << 1.5 << true;
    QTest::newRow("twice the size, 100 %") << QSize(80, 60) << 1.0 << false;
    QTest::newRow("one pixel short") << QSize(80, 59) << 2.0 << false;
    QTest::newRow("same size") << QSize(40, 30) << 2.0 << false;
    QTest::newRow("missing") << QSize() << 2.0 << false;
}

void tst_Artwork::sharpCompanion()
{
    QFETCH(QSize, companionSize);
    QFETCH(qreal, ratio);
    QFETCH(bool, sharp);
    QImage plain(40, 30, QImage::Format_RGB32);
    plain.fill(Qt::red);
    QImage companion =
        companionSize.isValid() ? QImage(companionSize, QImage::Format_RGB32) : QImage();
    companion.fill(Qt::blue);
    const QImage chosen = quillomat::builtin::sharpPicture(plain, companion, ratio);
    QCOMPARE(chosen.pixel(0, 0), sharp ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
    QCOMPARE(chosen.deviceIndependentSize(), QSizeF(40, 30));
    QCOMPARE(quillomat::builtin::sharpCompanionPath(QStringLiteral("art.d/back.bmp")),
             QStringLiteral("art.d/back@2x.bmp"));
    QCOMPARE(quillomat::builtin::sharpCompanionPath(QStringLiteral("art.d/back")),
             QStringLiteral("art.d/back@2x"));
}

QTEST_GUILESS_MAIN(tst_Artwork)
#include "tst_artwork.moc"

#include "graphics/PreviewPicture.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace quillomat;

namespace {

// A 40 x 30 picture: red on the left half, blue on the right, so that a decoded picture can be
// told from a blank or stretched one.
QImage testPicture()
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() / 2; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    return picture;
}

QByteArray encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// A real JPEG whose frame header claims another size; the scan data stays that of 8 x 8 pixels.
QByteArray jpegClaiming(int width, int height)
{
    QImage small(8, 8, QImage::Format_Grayscale8);
    small.fill(128);
    QByteArray bytes = encoded(small, "JPEG");
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    if (frame < 0)
        return {};
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xff);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xff);
    return bytes;
}

bool closeTo(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 &&
           qAbs(qBlue(a) - qBlue(b)) < 24;
}

} // namespace

class TestPreviewPicture : public QObject
{
    Q_OBJECT

private slots:
    void loadsByExtension_data();
    void loadsByExtension();
    void refusesBadPictures_data();
    void refusesBadPictures();
    void refusesDevicesAndPipes();

private:
    QTemporaryDir m_folder;
};

void TestPreviewPicture::loadsByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("bmp") << "picture.bmp" << QByteArray("BMP");
    QTest::newRow("BMP from an ISO 9660 disc") << "PICTURE.BMP" << QByteArray("BMP");
    QTest::newRow("jpg") << "picture.jpg" << QByteArray("JPEG");
    QTest::newRow("JPG from an ISO 9660 disc") << "PICTURE.JPG" << QByteArray("JPEG");
    QTest::newRow("jpeg") << "picture.jpeg" << QByteArray("JPEG");
    QTest::newRow("dots in folder and name") << "shots.v2/screen.1.jpg" << QByteArray("JPEG");
}

void TestPreviewPicture::loadsByExtension()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    const QString path = m_folder.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(testPicture().save(path, format.constData()));

    QString why;
    const std::optional<QImage> picture = loadPreviewPicture(path, &why);
    QVERIFY2(picture, qPrintable(why));
    QCOMPARE(picture->size(), QSize(40, 30));
    QVERIFY(closeTo(picture->pixel(5, 15), qRgb(255, 0, 0)));
    QVERIFY(closeTo(picture->pixel(34, 15), qRgb(0, 0, 255)));
}

void TestPreviewPicture::refusesBadPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::addColumn<QString>("reason");     // part of the reason given, or empty

    const QByteArray jpeg = encoded(testPicture(), "JPEG");
    const QByteArray bmp = encoded(testPicture(), "BMP");
    const QByteArray png = encoded(testPicture(), "PNG");

    QTest::newRow("missing file") << "missing.jpg" << QByteArray() << "";
    QTest::newRow("png") << "picture.png" << png << "not a .bmp";
    QTest::newRow("no extension") << "picture" << bmp << "not a .bmp";
    QTest::newRow("dot only in folder") << "pictures.bmp/picture" << bmp << "not a .bmp";
    QTest::newRow("extension with more after it") << "picture.bmp.bak" << bmp << "not a .bmp";
    // The extension decides the decoder, whatever the content.
    QTest::newRow("png named bmp") << "picture.bmp" << png << "not a BMP";
    QTest::newRow("bmp named jpg") << "picture.jpg" << bmp << "";
    QTest::newRow("garbage jpg") << "broken.jpg" << QByteArray(500, 'x') << "not a JPEG";
    QTest::newRow("jpeg cut in its header") << "cut.jpg" << jpeg.left(30) << "";
    QTest::newRow("bmp cut in its header") << "cut.bmp" << bmp.left(20) << "";
    QTest::newRow("empty jpg") << "empty.jpg" << QByteArray("") << "";
    // Forged headers: refused before the decoder allocates anything.
    QTest::newRow("60000 x 60000") << "huge.jpg" << jpegClaiming(60000, 60000) << "preview limit";
    QTest::newRow("16000 x 16000") << "huge.jpg" << jpegClaiming(16000, 16000) << "preview limit";
    QTest::newRow("20000 wide") << "wide.jpg" << jpegClaiming(20000, 8) << "preview limit";
}

void TestPreviewPicture::refusesBadPictures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = m_folder.filePath(name);
    QFile::remove(path);
    if (!content.isNull()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString why;
    QVERIFY(!loadPreviewPicture(path, &why));
    QVERIFY(!why.isEmpty());
    if (!reason.isEmpty())
        QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(!loadPreviewPicture(path)); // no reason asked for
}

void TestPreviewPicture::refusesDevicesAndPipes()
{
#ifdef Q_OS_UNIX
    // Without the check, opening the pipe would wait for a writer for ever.
    const QString pipe = m_folder.filePath(QStringLiteral("pipe.jpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString device = m_folder.filePath(QStringLiteral("zero.bmp"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {pipe, device}) {
        QString why;
        QVERIFY(!loadPreviewPicture(path, &why));
        QCOMPARE(why, QStringLiteral("not a regular file"));
        QVERIFY(!loadBmpPicture(path));
    }
#else
    QSKIP("named pipes and /dev/zero are Unix things");
#endif
}

QTEST_GUILESS_MAIN(TestPreviewPicture)
#include "tst_previewpicture.moc"

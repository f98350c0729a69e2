#include "TestFiles.h"
#include "app/Haupt.h"
#include "app/MediumReader.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"
#include "graphics/PreviewPicture.h"
#include "richtext/PlainText.h"
#include "richtext/RtfDocument.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <sys/resource.h>

using namespace quillomat;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The most memory the whole test process may have used at its peak: each input below is a few
// times its size in memory at most, never a multiple that grows with nesting or dimensions.
// The sanitizer build keeps freed memory in quarantine and shadows all of it, so it is not
// measured there.
constexpr long kPeakMegabytes = 2048;

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void checkPeakMemory()
{
    if (kSanitized)
        return;
    const long peak = peakMegabytes();
    QVERIFY2(peak < kPeakMegabytes, qPrintable(QStringLiteral("peak RSS %1 MB").arg(peak)));
}

// Roughly 50 MB of packages in 300 categories and 1,000 companies, as a generator might write
// for a whole software archive.
constexpr int kBigMenuPackages = 280'000;

QByteArray bigMenu()
{
    QByteArray menu = "[!Quillomat menu file generator]\r\nCDFolder=E:\\\r\n";
    menu.reserve(52 * 1024 * 1024);
    for (int i = 0; i < kBigMenuPackages; ++i) {
        const QByteArray n = QByteArray::number(i);
        menu += "\r\n[Package " + n + " deluxe edition]\r\nCompany=Company " +
                QByteArray::number(i % 1000) + "\r\nCategory=Category " +
                QByteArray::number(i % 300) + "\r\nRunFile=packages\\p" + n +
                "\\setup.exe\r\nTextFile=packages\\p" + n +
                "\\description.rtf\r\nBitmap=packages\\p" + n + "\\preview.jpg\r\n";
    }
    return menu;
}

// A small JPEG whose frame header then claims 60,000 x 60,000 pixels.
QByteArray hugeJpegHeader()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    if (!writer.write(image))
        return {};
    // Start-of-frame: FF C0, length (2), precision (1), height (2), width (2).
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    if (frame < 0)
        return {};
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(0xEA); // 60000 = 0xEA60
        bytes[at + 1] = char(0x60);
    }
    return bytes;
}

} // namespace

// Inputs far beyond anything a disc holds: each gives its message or what could be read, in
// bounded memory, and the program stays usable.
class TestLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuFileOf50MB();
    void binaryFilesAsMenuAndLanguage_data();
    void binaryFilesAsMenuAndLanguage();
    void descriptionOf100MB();
    void rtfBeyondTheDocumentLimit_data();
    void rtfBeyondTheDocumentLimit();
    void millionNestedRtfGroups();
    void jpegHeaderOf60000Squared();

private:
    QTemporaryDir m_dir;
};

void TestLimits::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestLimits::menuFileOf50MB()
{
    const QString path = m_dir.filePath(QStringLiteral("big.qmf"));
    QVERIFY(writeTestFile(path, bigMenu()));
    QVERIFY(QFileInfo(path).size() > 50'000'000);

    TProject project;
    QCOMPARE(project.LoadMenuFile(path, QString()), false);
    // Nothing is truncated: every package is there.
    QCOMPARE(project.applications().size(), std::size_t(kBigMenuPackages));
    QCOMPARE(project.categories().size(), std::size_t(300));
    QCOMPARE(project.companies().size(), std::size_t(1000));

    RecordingRowList rows;
    project.FillApplicationList(rows, SortMode::SortByName, QString());
    QCOMPARE(rows.rowCount(), kBigMenuPackages);
    RecordingChoiceBox filter;
    project.FillFilterList(filter, SortMode::SortByCategory);
    QCOMPARE(filter.entryCount(), 300);
    project.FillApplicationList(rows, SortMode::SortByCategory, QStringLiteral("Category 7"));
    QCOMPARE(rows.rowCount(), kBigMenuPackages / 300 + 1);
    checkPeakMemory();
}

void TestLimits::binaryFilesAsMenuAndLanguage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QRandomGenerator random(8);
    QByteArray noise(1024 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QTest::newRow("random bytes") << noise;
    // Brackets and equals signs among the noise make sections and keys of binary garbage.
    QByteArray framed = noise;
    for (qsizetype i = 0; i + 40 < framed.size(); i += 997) {
        framed[i] = '\n';
        framed[i + 1] = '[';
        framed[i + 20] = ']';
        framed[i + 21] = '\n';
        framed[i + 30] = '=';
    }
    QTest::newRow("noise in sections") << framed;
    QTest::newRow("zeros") << QByteArray(4 * 1024 * 1024, '\0');
}

void TestLimits::binaryFilesAsMenuAndLanguage()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("binary.bin"));
    QVERIFY(writeTestFile(path, bytes));

    TProject project;
    // The file opens, so it is no error: what reads as sections becomes languages and packages.
    QCOMPARE(project.LoadLanguageFile(path), false);
    const QStringList languages = project.GetLanguageNames();
    if (!languages.isEmpty())
        project.setLanguage(std::int32_t(languages.size()));
    QCOMPARE(project.LoadMenuFile(path, m_dir.path() + u'/'), false);

    RecordingChoiceBox sortBy;
    project.FillSortByList(sortBy);
    QVERIFY(sortBy.entryCount() >= 2);
    RecordingRowList rows;
    project.FillApplicationList(rows, SortMode::SortByName, QString());
    QCOMPARE(rows.rowCount(), int(project.applications().size()));
    project.Search(rows, QStringLiteral("setup tools"));
    QVERIFY(rows.rowCount() >= 1);
}

void TestLimits::descriptionOf100MB()
{
    // Plain text with a word at its very end, so that nothing may be cut off.
    QByteArray text;
    const QByteArray line = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do.\n";
    text.reserve(100 * 1024 * 1024 + 64);
    while (text.size() < 100 * 1024 * 1024)
        text += line;
    text += "zanzibar\n";
    const QString path = m_dir.filePath(QStringLiteral("huge.txt"));
    QVERIFY(writeTestFile(path, text));
    text = QByteArray();

    const QString menuPath = m_dir.filePath(QStringLiteral("huge.qmf"));
    QVERIFY(writeTestFile(menuPath, "[Huge]\nTextFile=huge.txt\n[Small]\nCategory=Tools\n"));
    TProject project;
    QCOMPARE(project.LoadMenuFile(menuPath, m_dir.path() + u'/'), false);
    RecordingRowList rows;
    project.Search(rows, QStringLiteral("Zanzibar"));
    QCOMPARE(rows.rowCount(), 1);
    QCOMPARE(rows.rows.front().caption, QStringLiteral("Huge"));
    checkPeakMemory();

    // The pane shows the first lines up to its limit, laid out and painted as the user sees
    // them, also scrolled to the end.
    TMain_Form form;
    form.ShowDescriptionFile(path);
    QTRY_VERIFY_WITH_TIMEOUT(!form.paneReader()->isBusy(), 20000);
    const QTextDocument* shown = form.descriptionRichEdit()->document();
    QVERIFY(shown->characterCount() > kMaxDocumentCharacters - line.size());
    QVERIFY(shown->characterCount() <= kMaxDocumentCharacters + 1);
    QVERIFY(shown->toPlainText().endsWith(QString::fromLatin1(line.chopped(1))));
    form.show();
    QVERIFY(!form.grab().isNull());
    form.descriptionRichEdit()->moveCursor(QTextCursor::End);
    QVERIFY(!form.grab().isNull());
    checkPeakMemory();
}

void TestLimits::rtfBeyondTheDocumentLimit_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("repeats");
    QTest::newRow("long text") << QByteArray("All work and no play. ") << 400'000;
    QTest::newRow("empty paragraphs") << QByteArray("\\par ") << 6'000'000;
    QTest::newRow("table cells") << QByteArray("\\intbl x\\cell ") << 3'000'000;
}

void TestLimits::rtfBeyondTheDocumentLimit()
{
    QFETCH(QByteArray, body);
    QFETCH(int, repeats);
    const QByteArray rtf = "{\\rtf1\\ansi start " + body.repeated(repeats) + "}";
    QTextDocument document;
    loadDocument(document, rtf);
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("start")));
    QVERIFY(document.characterCount() <= kMaxDocumentCharacters + 64);
    // The plain text the search reads is not cut.
    QVERIFY(rtfToPlainText(rtf).size() > kMaxDocumentCharacters);
    checkPeakMemory();
}

void TestLimits::millionNestedRtfGroups()
{
    constexpr int kDepth = 1'000'000;
    QByteArray rtf = "{\\rtf1\\ansi ";
    rtf += QByteArray(kDepth, '{') + "\\b deep" + QByteArray(kDepth, '}') + " end}";

    const QString plain = rtfToPlainText(rtf);
    QVERIFY2(plain.contains(QStringLiteral("deep end")), qPrintable(plain.left(80)));

    QTextDocument document;
    loadDocument(document, rtf);
    QVERIFY(document.toPlainText().contains(QStringLiteral("deep end")));

    // Unclosed: the groups are still open at the end of the file.
    rtf.chop(kDepth + 5);
    QVERIFY(rtfToPlainText(rtf).contains(QStringLiteral("deep")));
    checkPeakMemory();
}

void TestLimits::jpegHeaderOf60000Squared()
{
    const QByteArray jpeg = hugeJpegHeader();
    QVERIFY(!jpeg.isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("huge.jpg"));
    QVERIFY(writeTestFile(path, jpeg));
    QCOMPARE(QImageReader(path).size(), QSize(60000, 60000));

    QString why;
    QVERIFY(!loadPreviewPicture(path, &why));
    QVERIFY2(why.contains(QStringLiteral("preview limit")), qPrintable(why));
    checkPeakMemory();
}

QTEST_MAIN(TestLimits)
#include "tst_limits.moc"

#include "SystemPaths.h"
#include "TestFiles.h"
#include "platform/RegularFile.h"
#include "text/TextDecoding.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

class TextDecodingTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesEachEncoding_data();
    void decodesEachEncoding();
    void mapsEveryWindows1252Byte();
    void readsAndProbesRealFiles();
    void readsInPiecesAsWhole_data();
    void readsInPiecesAsWhole();
};

void TextDecodingTest::decodesEachEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString text = QStringLiteral("Grüße €");
    QTest::newRow("utf8 without bom") << text.toUtf8() << text;
    QTest::newRow("utf8 with bom") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << text;
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("utf16 le with bom") << le << text;
    QTest::newRow("utf16 be with bom") << be << text;
    QTest::newRow("windows-1252 when not utf8") << QByteArray("Gr\xFC\xDF"
                                                              "e \x80")
                                                << text;
    QTest::newRow("1252 quotes and dashes") << QByteArray("\x93q\x94 \x96 \x97 \x85")
                                            << QStringLiteral("\u201Cq\u201D \u2013 \u2014 \u2026");
    QTest::newRow("utf8 with a stray 1252 byte keeps both") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                                          "e Caf\xE9")
                                                            << QStringLiteral("Grüße Café");
    QTest::newRow("the same after a bom")
        << QByteArray("\xEF\xBB\xBF\xE9t\xC3\xA9") << QStringLiteral("été");
    QTest::newRow("four-byte sequence beside a stray byte")
        << QByteArray("\xF0\x9F\x8E\xB5\x80") << QStringLiteral("\U0001F3B5€");
    QTest::newRow("ill-formed sequences read byte by byte")
        << QByteArray("\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xC3\xA4 \xC3")
        << QStringLiteral("À¯ í\u00A0€ ô\u0090€€ ä Ã");
    QByteArray leBare, beBare;
    for (QChar c : QStringLiteral("[Menü]\r\nA=1\r\n")) {
        leBare.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        beBare.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("utf16 le without bom") << leBare << QStringLiteral("[Menü]\r\nA=1\r\n");
    QTest::newRow("utf16 be without bom") << beBare << QStringLiteral("[Menü]\r\nA=1\r\n");
    QTest::newRow("zero bytes alone are not utf16") << QByteArray(8, '\0') << QString(8, QChar(0));
    QTest::newRow("plain ascii") << QByteArray("abc=1") << QStringLiteral("abc=1");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QString();
}

void TextDecodingTest::decodesEachEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(decodeText(bytes), expected);
}

void TextDecodingTest::mapsEveryWindows1252Byte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x81), QChar(0x0081)); // undefined in the code page: passed through
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(text.at(0xA0), QChar(0x00A0));
    QCOMPARE(text.at(0xFF), QChar(0x00FF));
}

void TextDecodingTest::readsAndProbesRealFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("old.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Caf\xE9");
    file.close();

    QCOMPARE(readTextFile(path).value_or(QString()), QStringLiteral("Café"));
    QVERIFY(canOpenForReading(path));
    QVERIFY(!readTextFile(dir.filePath("missing.txt")).has_value());
    QVERIFY(!canOpenForReading(dir.filePath("missing.txt")));
    QVERIFY(!canOpenForReading(dir.path())); // a folder is not a file that can be opened
    QVERIFY(!canOpenForReading(QString()));
    // Neither a device nor a named pipe is a file to read: one never ends, the other waits.
    QVERIFY(!canOpenForReading(kDevicePath));
    QVERIFY(!readTextFile(kDevicePath).has_value());
    if (kNamedPipesInFileSystem) {
        const QString pipe = dir.filePath("pipe");
        QVERIFY(makeNamedPipe(pipe));
        QVERIFY(!canOpenForReading(pipe));
        QVERIFY(!readTextFile(pipe).has_value());
    }

    // From memory only, as a search reads where it need not wait its turn: a file just written
    // is there (on Linux), with the same bytes; a device or a pipe never is.
    const std::optional<RegularFileContent> fromMemory = readWholeRegularFileFromMemory(path);
#ifdef Q_OS_LINUX
    QVERIFY(fromMemory.has_value());
#endif
    if (fromMemory)
        QCOMPARE(fromMemory->bytes, readWholeRegularFile(path)->bytes);
    QVERIFY(!readWholeRegularFileFromMemory(kDevicePath));

    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    if (!QFile(path).open(QIODevice::ReadOnly)) // root reads anything; only check where it bites
        QVERIFY(!canOpenForReading(path));
}

void TextDecodingTest::readsInPiecesAsWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    constexpr int kBlock = 1 << 20; // the size the reader reads at a time

    // Lines of UTF-8 and of stray Windows-1252 bytes; a CRLF and a multi-byte sequence sit on
    // the first block boundary, and a line break ends the second block exactly.
    QByteArray mixed("\xEF\xBB\xBF[Men\xC3\xBC]\r\n");
    while (mixed.size() < kBlock - 3)
        mixed += "k=Caf\xE9 \xC3\xA9t\xC3\xA9\r\n";
    mixed.truncate(kBlock - 3);
    mixed += "\xC3\xA4\r\n\xEF\xBB\xBFx=1\n";
    while (mixed.size() < 2 * kBlock - 1)
        mixed += 'y';
    mixed += "\rlast \x80";
    QTest::newRow("utf-8 and windows-1252 across blocks") << mixed;

    QByteArray utf16("\xFF\xFE");
    for (int i = 0; utf16.size() < kBlock + 100; ++i) {
        for (QChar c : QStringLiteral("[Я%1]\r\nk=ж\r\n").arg(i))
            utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    }
    QTest::newRow("utf-16 larger than a block") << utf16;
    QTest::newRow("one line longer than two blocks") << QByteArray(2 * kBlock + 5, 'z');
    QTest::newRow("shorter than the encoding probe") << QByteArray("a=\xE9\n");
    QTest::newRow("empty") << QByteArray();
}

void TextDecodingTest::readsInPiecesAsWhole()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("menu.ini");
    QVERIFY(writeTestFile(path, bytes));

    QStringList pieces;
    QVERIFY(
        readTextFileInPieces(path, [&](QStringView piece) { pieces.append(piece.toString()); }));
    QCOMPARE(pieces.join(QString()), readTextFile(path).value());
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        QVERIFY(pieces[i].endsWith(u'\n') || pieces[i].endsWith(u'\r'));
    QVERIFY(!readTextFileInPieces(dir.filePath("missing.ini"), [](QStringView) {}));
}

QTEST_GUILESS_MAIN(TextDecodingTest)
#include "tst_textdecoding.moc"

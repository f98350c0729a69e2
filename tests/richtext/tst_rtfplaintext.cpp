#include "richtext/PlainText.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace quillomat;

namespace {

QString dataDir(const QString& folder)
{
    return QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/richtext/") + folder;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

} // namespace

class TestRtfPlainText : public QObject
{
    Q_OBJECT

private slots:
    void goldenFiles_data();
    void goldenFiles();
    void looksLikeRtf_data();
    void looksLikeRtf();
    void plainTextInput_data();
    void plainTextInput();
    void unreadableFile();
    void damagedInput_data();
    void damagedInput();
    void macCodePages_data();
    void macCodePages();
    void truncatedFiles();
    void bytesEndingTextAnywhere();
    void tellsRtfCutShort_data();
    void tellsRtfCutShort();
    void crashInputs_data();
    void crashInputs();
    void millionNestedGroups();
    void hundredMegabytes();
    void hugeTables();
};

// Every RTF file in golden/ beside the text its writer exported (see make-fixtures.sh).
void TestRtfPlainText::goldenFiles_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(dataDir("golden"));
    const QStringList files = dir.entryList({"*.rtf"}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 10);
    for (const QString& name : files)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void TestRtfPlainText::goldenFiles()
{
    QFETCH(QString, path);
    QString expectedPath = path;
    expectedPath.replace(QLatin1String(".rtf"), QLatin1String(".expected.txt"));
    const QString expected = QString::fromUtf8(readAll(expectedPath));
    const std::optional<QString> text = plainTextOfFile(path);
    QVERIFY(text);
    QCOMPARE(*text, expected);
    // The search's form of the text is made without the text itself: the same, upper-cased.
    QCOMPARE(upperCasedPlainText(readAll(path)), expected.toUpper().toUtf8());
}

void TestRtfPlainText::looksLikeRtf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi x}") << true;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1 x}") << true;
    QTest::newRow("leading blank lines") << QByteArray(" \r\n\t{\\rtf1 x}") << true;
    QTest::newRow("only the prefix") << QByteArray("{\\rtf") << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("cut prefix") << QByteArray("{\\rt") << false;
    QTest::newRow("text before") << QByteArray("see {\\rtf1 x}") << false;
    QTest::newRow("upper case") << QByteArray("{\\RTF1 x}") << false;
    QTest::newRow("no brace") << QByteArray("\\rtf1 x") << false;
}

void TestRtfPlainText::looksLikeRtf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, rtf);
    QCOMPARE(quillomat::looksLikeRtf(bytes), rtf);
}

void TestRtfPlainText::plainTextInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 {\\b x}\r\n") << QString("Café {\\b x}\r\n");
    QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x80") << QString("Café €");
    QTest::newRow("utf-16 with mark") << QByteArray("\xFF\xFEh\0i\0", 6) << QString("hi");
}

// Files that are not RTF are shown and searched as text files.
void TestRtfPlainText::plainTextInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtfToPlainText(bytes), text);
}

void TestRtfPlainText::unreadableFile()
{
    QVERIFY(!plainTextOfFile(dataDir("no-such-file.rtf")));
}

void TestRtfPlainText::tellsRtfCutShort_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isRtf");
    QTest::addColumn<bool>("cutShort");
    QTest::newRow("whole") << QByteArray("{\\rtf1 {\\b a}}\r\n") << true << false;
    QTest::newRow("brace too many") << QByteArray("{\\rtf1 a}}") << true << false;
    QTest::newRow("escaped brace") << QByteArray("{\\rtf1 a\\{}") << true << false;
    QTest::newRow("group left open") << QByteArray("{\\rtf1 {\\b a}") << true << true;
    QTest::newRow("end inside skipped group") << QByteArray("{\\rtf1 a{\\*\\x b}") << true << true;
    QTest::newRow("end inside font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << true << true;
    QTest::newRow("plain text with a brace") << QByteArray("a { b") << false << false;
}

void TestRtfPlainText::tellsRtfCutShort()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isRtf);
    QFETCH(bool, cutShort);
    const PlainTextReading reading = readPlainText(bytes);
    QCOMPARE(reading.isRtf, isRtf);
    QCOMPARE(reading.cutShort, cutShort);
    QCOMPARE(reading.text, rtfToPlainText(bytes));
}

void TestRtfPlainText::damagedInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("a stray brace ends the document")
        << QByteArray("{\\rtf1 a}} b}") << QString("a");
    QTest::newRow("braces missing") << QByteArray("{\\rtf1 {\\b a {\\i b") << QString("a b");
    QTest::newRow("end inside escape") << QByteArray("{\\rtf1 x\\'e") << QString("x");
    QTest::newRow("end after backslash") << QByteArray("{\\rtf1 x\\") << QString("x");
    QTest::newRow("end inside picture")
        << QByteArray("{\\rtf1 x{\\pict\\pngblip 89504e") << QString("x");
    QTest::newRow("end inside font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 Ari") << QString();
    QTest::newRow("bad escape") << QByteArray("{\\rtf1 a\\'zzb}") << QString("azzb");
    QTest::newRow("absurd numbers")
        << QByteArray("{\\rtf1\\fs99999999999999999999 a\\f-99999999999 b\\cf4294967296 "
                      "c\\li-2147483649 d\\u99999999999?\\uc-5\\u65?\\uc99999\\u66?f}")
        << QString("abcdABf");
    QTest::newRow("minus without digits") << QByteArray("{\\rtf1 a\\li- b}") << QString("a- b");
    QTest::newRow("control word too long")
        << QByteArray("{\\rtf1 a\\parparparparparparparparparparparparparpar b}") << QString("ab");
    QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 a\\bin2147483647 xyz}") << QString("a");
    QTest::newRow("absurd \\bin") << QByteArray("{\\rtf1 a\\bin99999999999999 xyz}")
                                  << QString("a");
    QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QString("ab");
    QTest::newRow("\\bin in skipped group")
        << QByteArray("{\\rtf1 a{\\*\\x\\bin4 }}}}b}c}") << QString("ac");
    QTest::newRow("lone low surrogate")
        << QByteArray("{\\rtf1 \\u-8704?x}") << QStringLiteral(u"\uFFFDx");
    QTest::newRow("lone high surrogate")
        << QByteArray("{\\rtf1 \\u-10179?x}") << QStringLiteral(u"\uFFFDx");
    QTest::newRow("high surrogate at end")
        << QByteArray("{\\rtf1 x\\u-10179?}") << QStringLiteral(u"x\uFFFD");
    QTest::newRow("surrogate pair under a larger \\uc")
        << QByteArray("{\\rtf1{\\uc2 \\u-10179?\\u-8704?}x}") << QStringLiteral(u"\U0001F600x");
    QTest::newRow("\\u ends the fallback before it")
        << QByteArray("{\\rtf1\\uc3 \\u233?\\u233?ab}") << QStringLiteral(u"\u00e9\u00e9");
    QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}\r\n\0", 13) << QString("a");
    QTest::newRow("\\par in font table")
        << QByteArray("{\\rtf1{\\fonttbl\\par{\\f0 A\\par;}}x}") << QString("x");
    QTest::newRow("colour table without end")
        << QByteArray("{\\rtf1{\\colortbl\\red255 x}y}") << QString("y");
    QTest::newRow("unknown code page")
        << QByteArray("{\\rtf1\\ansicpg65000 caf\\'e9}") << QString("café");
    QTest::newRow("code page 874")
        << QByteArray("{\\rtf1\\ansi\\ansicpg874 \\'a1\\'e8}") << QString::fromUtf8("\u0e01\u0e48");
    QTest::newRow("code page 1257") << QByteArray("{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'f0}")
                                    << QString::fromUtf8("\u0105\u0161");
    QTest::newRow("pca") << QByteArray("{\\rtf1\\pca \\'82\\'d5}")
                         << QString::fromUtf8("\u00e9\u0131");
    QTest::newRow("symbol font bullet")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}"
                      "{\\f1\\'b7 a}{\\f2\\'a7 b}}")
        << QString::fromUtf8("\u2022 a\u25aa b");
    QTest::newRow("lead byte without trail byte")
        << QByteArray("{\\rtf1\\ansicpg932 a\\'93}") << QString("a");
    QTest::newRow("deep groups keep the outer format")
        << QByteArray("{\\rtf1 ") + QByteArray(600, '{') + "x" + QByteArray(600, '}') + " y}"
        << QString("x y");
}

// Damaged input gives the text that can be read, never garbage from outside the input.
void TestRtfPlainText::damagedInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtfToPlainText(bytes), text);
}

void TestRtfPlainText::macCodePages_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const auto inFont = [](int charset, const QByteArray& text) {
        return "{\\rtf1\\mac{\\fonttbl{\\f0 Geneva;}{\\f1\\fcharset" + QByteArray::number(charset) +
               " Font;}}\\f0 a {\\f1 " + text + "} b}";
    };
    QTest::newRow("Korean") << inFont(79, "\\'c7\\'d1\\'b1\\'b9\\'be\\'ee")
                            << QString::fromUtf8("a 한국어 b");
    QTest::newRow("Simplified Chinese")
        << inFont(80, "\\'d6\\'d0\\'ce\\'c4") << QString::fromUtf8("a 中文 b");
    QTest::newRow("Traditional Chinese")
        << inFont(81, "\\'a4\\'a4\\'a4\\'e5") << QString::fromUtf8("a 中文 b");
    QTest::newRow("Greek") << inFont(85, "\\'a1") << QString::fromUtf8("a Γ b");
    QTest::newRow("Turkish") << inFont(86, "\\'dc\\'dd") << QString::fromUtf8("a İı b");
    QTest::newRow("Central European") << inFont(88, "\\'88\\'89") << QString::fromUtf8("a ąČ b");
    QTest::newRow("Cyrillic") << inFont(89, "\\'80\\'e0") << QString::fromUtf8("a Аа b");
    QTest::newRow("old Johab: the document's page")
        << inFont(82, "caf\\'8e") << QString::fromUtf8("a café b");
    QTest::newRow("document in Mac Central European")
        << QByteArray("{\\rtf1\\mac\\ansicpg10029 \\'88}") << QString::fromUtf8("ą");
    QTest::newRow("Mac Japanese trail byte as a letter")
        << QByteArray("{\\rtf1\\mac\\ansicpg10001 \\'83A \\'83}") << QString::fromUtf8("ア ");
}

// Mac code pages, by \fcharset in the font table and by \ansicpg for the document.
void TestRtfPlainText::macCodePages()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtfToPlainText(bytes), text);
}

// Text is scanned in blocks of bytes: a byte that ends a run of text must count wherever it
// stands in the block.
void TestRtfPlainText::bytesEndingTextAnywhere()
{
    const struct
    {
        QByteArray bytes;
        QString text;
    } enders[] = {
        {"\\{", "{"},  {"\\}", "}"},        {"{\\b b}", "b"},    {"\xE9", "é"},
        {"\xFF", "ÿ"}, {"\x7F", QString()}, {"\r\n", QString()}, {"\t", "\t"},
    };
    for (const auto& [bytes, text] : enders) {
        for (int offset = 0; offset < 20; ++offset) {
            const QByteArray before(offset, 'x');
            const QByteArray after(19 - offset, 'y');
            const QString expected = before + text + after;
            const QByteArray rtf = "{\\rtf1 " + before + bytes + after + "}";
            QCOMPARE(rtfToPlainText(rtf), expected);
            QCOMPARE(upperCasedPlainText(rtf), expected.toUpper().toUtf8());
        }
    }
}

// Every fixture cut at many places: the reader must cope with any end.
void TestRtfPlainText::truncatedFiles()
{
    const QDir dir(dataDir("golden"));
    for (const QString& name : dir.entryList({"*.rtf"}, QDir::Files)) {
        const QByteArray bytes = readAll(dir.filePath(name));
        const QString full = rtfToPlainText(bytes);
        for (qsizetype cut = 0; cut < bytes.size(); cut += 7) {
            const QString text = rtfToPlainText(bytes.first(cut));
            QVERIFY2(text.size() <= full.size() + 2, qPrintable(name));
            QCOMPARE(upperCasedPlainText(bytes.first(cut)), text.toUpper().toUtf8());
        }
    }
}

void TestRtfPlainText::crashInputs_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(dataDir("crashes"));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

// Inputs that once broke a reader (found by hand or by fuzzing); each must simply finish.
void TestRtfPlainText::crashInputs()
{
    QFETCH(QString, path);
    const QString text = rtfToPlainText(readAll(path));
    QVERIFY(text.size() < 1 << 24);
}

void TestRtfPlainText::millionNestedGroups()
{
    const int depth = 1'000'000;
    QByteArray closed = "{\\rtf1 " + QByteArray(depth, '{') + "{\\b deep}" + QByteArray(depth, '}');
    closed += " end}";
    QCOMPARE(rtfToPlainText(closed), QString("deep end"));
    const QByteArray unclosed = "{\\rtf1 " + QByteArray(depth, '{') + "open";
    QCOMPARE(rtfToPlainText(unclosed), QString("open"));
    const QByteArray closing = "{\\rtf1 a" + QByteArray(depth, '}') + "b";
    QCOMPARE(rtfToPlainText(closing), QString("a"));
}

// A file of about 100 MB, built in memory, read in one go.
void TestRtfPlainText::hundredMegabytes()
{
    const QByteArray paragraph =
        "\\pard\\plain\\s1\\ql{\\rtlch\\af1 \\ltrch\\loch\\b Caf\\u233\\'e9} plain text "
        "\\'e9\\'e8 and more plain text {\\*\\bkmkstart x}{\\cf2 red}\\par\n";
    const qsizetype count = 100'000'000 / paragraph.size();
    QByteArray bytes = "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}";
    bytes.reserve(bytes.size() + count * paragraph.size() + 1);
    for (qsizetype i = 0; i < count; ++i)
        bytes += paragraph;
    bytes += '}';
    const QString text = rtfToPlainText(bytes);
    const QString line = QString::fromUtf8("Café plain text éè and more plain text red\n");
    QCOMPARE(text.size(), count * line.size());
    QCOMPARE(text.first(line.size()), line);
    QCOMPARE(text.last(line.size()), line);
}

// Tables far beyond any real document stay bounded.
void TestRtfPlainText::hugeTables()
{
    QByteArray bytes = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 100'000; ++i)
        bytes += "{\\f" + QByteArray::number(i) + "\\fcharset204 F;}";
    bytes += "}{\\colortbl" + QByteArray(1'000'000, ';') + "}\\f99999\\cf999999 x\\'e9}";
    QCOMPARE(rtfToPlainText(bytes), QString("xé"));
}

QTEST_GUILESS_MAIN(TestRtfPlainText)
#include "tst_rtfplaintext.moc"

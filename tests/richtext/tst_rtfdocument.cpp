#include "richtext/RtfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

using namespace quillomat;

namespace {

QString dataPath(const QString& name)
{
    return QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/richtext/") + name;
}

// The character format of the first character of `text` in the document.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

Qt::Alignment alignmentOf(const QTextDocument& document, const QString& text)
{
    return document.find(text).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

QTextTable* firstTable(const QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    }
    return nullptr;
}

QString cellText(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

} // namespace

class TestRtfDocument : public QObject
{
    Q_OBJECT

private slots:
    void characterFormats_data();
    void characterFormats();
    void textWithoutFormattingUsesDefaults();
    void automaticColourStaysUnset();
    void fontNames();
    void paragraphSpacing();
    void hangingIndentLinesUpListText();
    void jpegPicture();
    void alignment_data();
    void alignment();
    void table();
    void pngPicture();
    void plainTextFile();
    void missingFile();
    void hostileInput_data();
    void hostileInput();
    void writersConventions_data();
    void writersConventions();
    void styleWordKeepsItsRun();
};

void TestRtfDocument::characterFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("colour");

    const QColor none;
    QTest::newRow("bold") << "libreoffice-features.rtf"
                          << "beginners" << true << false << false << none;
    QTest::newRow("italic") << "libreoffice-features.rtf"
                            << "experts" << false << true << false << none;
    QTest::newRow("underline") << "libreoffice-features.rtf"
                               << "underlined" << false << false << true << none;
    QTest::newRow("bold italic") << "abiword-features.rtf"
                                 << "bold italic" << true << true << false << none;
    QTest::newRow("red") << "libreoffice-features.rtf"
                         << "Red text" << false << false << false << QColor(255, 0, 0);
    QTest::newRow("blue") << "abiword-features.rtf"
                          << "blue text" << false << false << false << QColor(0, 0, 255);
    QTest::newRow("wordpad red") << "golden/wordpad-1252.rtf"
                                 << "red" << false << false << false << QColor(255, 0, 0);
}

void TestRtfDocument::characterFormats()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, colour);

    QTextDocument document;
    const QString path = dataPath(file.contains('/') ? file : "golden/" + file);
    QVERIFY(loadDocumentFromFile(document, path));
    const QTextCharFormat format = formatOf(document, text);
    QVERIFY2(format.isValid(), qPrintable(text));
    QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush), colour.isValid());
    if (colour.isValid())
        QCOMPARE(format.foreground().color(), colour);
}

// Without \fs, RTF text is 12 points; without \cf, it keeps the view's colour.
void TestRtfDocument::textWithoutFormattingUsesDefaults()
{
    QTextDocument document;
    loadDocument(document,
                 "{\\rtf1\\ansi plain {\\fs40 big} {\\super up}{\\sub down} {\\strike s}}");
    QCOMPARE(formatOf(document, "plain").fontPointSize(), 12.0);
    QVERIFY(!formatOf(document, "plain").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(document, "big").fontPointSize(), 20.0);
    QCOMPARE(formatOf(document, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(document, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QVERIFY(formatOf(document, "s").fontStrikeOut());
}

// \cf0 is the automatic colour even where the writer put black at index 0 (AbiWord does).
void TestRtfDocument::automaticColourStaysUnset()
{
    QTextDocument document;
    loadDocument(document,
                 "{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red0\\green128\\blue0;;"
                 "\\red0\\green0\\blue255;}"
                 "\\cf0 auto {\\cf1 green} {\\highlight1 marked} {\\cf3 blue} {\\cf2 empty}}");
    // Every ';' ends an entry, an empty one too.
    QCOMPARE(formatOf(document, "blue").foreground().color(), QColor(0, 0, 255));
    QVERIFY(!formatOf(document, "empty").hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!formatOf(document, "auto").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(document, "green").foreground().color(), QColor(0, 128, 0));
    QCOMPARE(formatOf(document, "marked").background().color(), QColor(0, 128, 0));
}

// A font name is written in the font's own code page; symbol fonts get no family, their text
// is already Unicode.
void TestRtfDocument::fontNames()
{
    QTextDocument document;
    loadDocument(document, "{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}"
                           "{\\f1\\fcharset2 Symbol;}{\\f2 Flat Name}}"
                           "\\f0 cyr {\\f1 sym} {\\f2 flat}}");
    QCOMPARE(formatOf(document, "cyr").fontFamilies().toStringList(), QStringList("Ариал"));
    QVERIFY(!formatOf(document, "sym").hasProperty(QTextFormat::FontFamilies));
    QCOMPARE(formatOf(document, "flat").fontFamilies().toStringList(), QStringList("Flat Name"));
}

// Twips become pixels at 96 dpi; \sb is space before and \sa space after.
void TestRtfDocument::paragraphSpacing()
{
    QTextDocument document;
    loadDocument(document, "{\\rtf1\\pard\\sb300\\sa150\\li720\\ri360\\fi-360 spaced\\par}");
    const QTextBlockFormat format = document.find("spaced").blockFormat();
    QCOMPARE(format.topMargin(), 20.0);
    QCOMPARE(format.bottomMargin(), 10.0);
    QCOMPARE(format.leftMargin(), 48.0);
    QCOMPARE(format.rightMargin(), 24.0);
    QCOMPARE(format.textIndent(), -24.0);
}

void TestRtfDocument::hangingIndentLinesUpListText()
{
    // LibreOffice's bullets: the bullet, a tab, then the text, which must start at the left
    // indent like the item's wrapped lines, not at the next default tab stop.
    QTextDocument document;
    QVERIFY(loadDocumentFromFile(document, dataPath("golden/libreoffice-features.rtf")));
    document.setTextWidth(600);
    document.documentLayout()->documentSize(); // lays the document out
    const QTextBlock item = document.find(QStringLiteral("\u2022")).block();
    QVERIFY(item.isValid());
    const qsizetype tab = item.text().indexOf(u'\t');
    QVERIFY(tab > 0);
    QVERIFY(item.layout()->lineCount() > 0);
    const QTextLine line = item.layout()->lineAt(0);
    // Text positions are fixed-point (1/64 pixel).
    QVERIFY(qAbs(line.cursorToX(int(tab) + 1) - item.blockFormat().leftMargin()) < 0.1);
}

void TestRtfDocument::jpegPicture()
{
    if (!QImageReader::supportedImageFormats().contains("jpeg"))
        QSKIP("no JPEG image plugin");
    QImage source(8, 6, QImage::Format_RGB32);
    source.fill(Qt::green);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(source.save(&buffer, "JPEG"));
    QTextDocument document;
    loadDocument(document,
                 "{\\rtf1 a{\\pict\\jpegblip\\picwgoal240\\pichgoal180 " + jpeg.toHex() + "}b}");
    QTextCursor cursor = document.find("a");
    cursor.setPosition(cursor.position() + 1);
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QVERIFY(format.isValid());
    QCOMPARE(qRound(format.width()), 16);
    QCOMPARE(qRound(format.height()), 12);
    QCOMPARE(document.toPlainText(), QStringLiteral(u"a\uFFFCb"));
}

void TestRtfDocument::alignment_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    for (const char* file : {"libreoffice-features.rtf", "abiword-features.rtf"}) {
        const QString name = QString::fromLatin1(file).section('-', 0, 0);
        QTest::addRow("%s centred", qPrintable(name))
            << file << "This line is centred." << int(Qt::AlignHCenter);
        QTest::addRow("%s right", qPrintable(name))
            << file << "This line is right-aligned." << int(Qt::AlignRight);
        QTest::addRow("%s justified", qPrintable(name))
            << file << "This paragraph is justified" << int(Qt::AlignJustify);
        QTest::addRow("%s left", qPrintable(name)) << file << "Red text" << int(Qt::AlignLeft);
    }
}

void TestRtfDocument::alignment()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QTextDocument document;
    QVERIFY(loadDocumentFromFile(document, dataPath("golden/" + file)));
    QCOMPARE(int(alignmentOf(document, text)), alignment);
}

void TestRtfDocument::table()
{
    for (const char* file :
         {"libreoffice-features.rtf", "abiword-features.rtf", "pandoc-features.rtf"}) {
        QTextDocument document;
        QVERIFY(loadDocumentFromFile(document, dataPath(QStringLiteral("golden/") + file)));
        QTextTable* table = firstTable(document);
        QVERIFY2(table, file);
        QCOMPARE(table->rows(), 3);
        QCOMPARE(table->columns(), 3);
        QCOMPARE(cellText(table, 0, 1), QString("Version"));
        QCOMPARE(cellText(table, 1, 0), QString("Paint Studio"));
        QCOMPARE(cellText(table, 2, 0), QString("Сервис"));
        // The text after the table is outside it.
        QVERIFY(!document.find("The end").currentTable());
    }
}

void TestRtfDocument::pngPicture()
{
    QTextDocument document;
    QVERIFY(loadDocumentFromFile(document, dataPath("golden/libreoffice-picture.rtf")));
    QTextImageFormat imageFormat;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                imageFormat = it.fragment().charFormat().toImageFormat();
        }
    }
    QVERIFY(imageFormat.isValid());
    // 4 x 3 pixels shown at ten times their size, as the writer asked.
    QCOMPARE(qRound(imageFormat.width()), 40);
    QCOMPARE(qRound(imageFormat.height()), 30);
    const QImage image =
        document.resource(QTextDocument::ImageResource, QUrl(imageFormat.name())).value<QImage>();
    QCOMPARE(image.size(), QSize(4, 3));
    QCOMPARE(QColor(image.pixel(0, 1)), QColor(0, 0, 255));
    QVERIFY(document.toPlainText().contains("After the picture."));
}

void TestRtfDocument::plainTextFile()
{
    QTextDocument document;
    loadDocument(document, "Line {\\b one}\r\nCaf\xE9");
    QCOMPARE(document.toPlainText(), QString("Line {\\b one}\nCafé"));
    QVERIFY(!formatOf(document, "one").fontWeight() ||
            formatOf(document, "one").fontWeight() == QFont::Normal);
}

void TestRtfDocument::missingFile()
{
    QTextDocument document;
    document.setPlainText("kept");
    QString error;
    QVERIFY(!loadDocumentFromFile(document, dataPath("no-such-file.rtf"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(document.toPlainText(), QString("kept"));
}

void TestRtfDocument::hostileInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("million nested groups")
        << QByteArray("{\\rtf1 ") + QByteArray(1'000'000, '{') + "x" + QByteArray(1'000'000, '}');
    QByteArray cells = "{\\rtf1\\trowd\\cellx100\\intbl ";
    for (int i = 0; i < 100'000; ++i)
        cells += "c\\cell ";
    QTest::newRow("a row of 100000 cells") << cells + "\\row}";
    QByteArray rows = "{\\rtf1 ";
    for (int i = 0; i < 2'000; ++i)
        rows += "\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row\\pard text\\par";
    QTest::newRow("2000 tables") << rows + "}";
    QTest::newRow("broken png") << QByteArray("{\\rtf1{\\pict\\pngblip 89504e470d0a1a0a0000}x}");
    QTest::newRow("cell outside a table") << QByteArray("{\\rtf1 a\\cell b\\row c\\par\\intbl d}");
    const QDir crashes(dataPath("crashes"));
    for (const QString& name : crashes.entryList(QDir::Files)) {
        QFile file(crashes.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << file.readAll();
    }
}

// The document output survives what the plain-text output survives.
void TestRtfDocument::hostileInput()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    loadDocument(document, bytes);
    QVERIFY(document.characterCount() <= bytes.size() + 1);
}

void TestRtfDocument::writersConventions_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"starwriter-char-styles", "word-mac-japanese", "wordpad-junk-appended",
                             "word97-upr", "word95-numbering"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The pane shows the same text as the search reads from these writers' files.
void TestRtfDocument::writersConventions()
{
    QFETCH(QString, name);
    QFile expectedFile(dataPath("golden/" + name + ".expected.txt"));
    QVERIFY(expectedFile.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(expectedFile.readAll());
    QTextDocument document;
    QVERIFY(loadDocumentFromFile(document, dataPath("golden/" + name + ".rtf")));
    QCOMPARE(document.toPlainText(), expected);
}

// A character style word after \* in the middle of a group leaves the group's formatting.
void TestRtfDocument::styleWordKeepsItsRun()
{
    QTextDocument document;
    QVERIFY(loadDocumentFromFile(document, dataPath("golden/starwriter-char-styles.rtf")));
    QCOMPARE(formatOf(document, "runs").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(document, "quick").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(document, "quick").fontFamilies().toStringList(), QStringList{"Arial"});
}

QTEST_MAIN(TestRtfDocument)
#include "tst_rtfdocument.moc"

// quillomat-catalogue check: a menu with one of each fault gives its expected report, the demo
// disc and its skins give none, and the exit status tells the three outcomes apart.

#include "CheckTool.h"

#include <QTest>

using checktool::Desktop;

namespace {

const QString faults = QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/check");
const QString examples = QStringLiteral(QUILLOMAT_EXAMPLES_DIR);

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class DiscCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void reportsEachFault_data();
    void reportsEachFault();
    void demoDiscIsClean_data();
    void demoDiscIsClean();
    void exitStatus_data();
    void exitStatus();
    void starterPageIsReported();
};

void DiscCheckTest::reportsEachFault_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden");
    QTest::newRow("text") << QStringList{"faults.qmf"} << "faults.expected.txt";
    QTest::newRow("json") << QStringList{"--json", "faults.qmf"} << "faults.expected.json";
}

void DiscCheckTest::reportsEachFault()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    const QString expected = readAll(faults + u'/' + golden);
    QVERIFY(!expected.isEmpty());
    const checktool::Result result = checktool::run(arguments, faults, Desktop::Bare);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(QString::fromUtf8(result.out), expected);
    QCOMPARE(result.exitCode, 3);
}

void DiscCheckTest::demoDiscIsClean_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QStringList demo{"program/quillomat.qmf", "--cd-folder", "disc"};
    QTest::newRow("menu and languages") << demo;
    QTest::newRow("sample skin") << demo + QStringList{"--skin", "skins/tidewater/qmskin.ini"};
    QTest::newRow("skin on the disc")
        << demo + QStringList{"--skin", "disc/packages/skins/qmskin.ini"};
}

void DiscCheckTest::demoDiscIsClean()
{
    QFETCH(QStringList, arguments);
    const checktool::Result result = checktool::run(arguments, examples, Desktop::WithDocuments);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, QByteArray("no problems found\n"));
    QCOMPARE(result.exitCode, 0);
}

void DiscCheckTest::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // part of what stdout or stderr says
    QTest::newRow("warnings only")
        << QStringList{"windows/quillomat.qmf"} << 0 << "0 errors, 4 warnings";
    QTest::newRow("disc written on Windows")
        << QStringList{"../catalogue/windows-disc/quillomat.qmf", "--drive-root",
                       "../catalogue/windows-disc"}
        << 0 << "0 errors, ";
    QTest::newRow("smaller screen") << QStringList{"windows/quillomat.qmf", "--screen", "1x1"} << 3
                                    << "larger than a 1 x 1 screen";
    QTest::newRow("window wider than its picture")
        << QStringList{"windows/quillomat.qmf", "--skin", "skins/wide.ini"} << 0
        << "dialog.width: the window is 860 x 373, larger than its background picture (592 x 373)";
    QTest::newRow("button past the window's edge")
        << QStringList{"windows/quillomat.qmf", "--skin", "skins/wide.ini"} << 0
        << "setup.position.left: the setup button at 900, 324 (67 x 21) lies outside the 860 x 373";
    QTest::newRow("light list keeps its light text")
        << QStringList{"windows/quillomat.qmf", "--skin", "skins/light.ini"} << 0
        << "quillzlist.color.fill: the package list's text (quillzlist.font.color 0xC0C0C0) on its "
           "fill (quillzlist.color.fill 0xE8F4FF) has a contrast of 1.7:1";
    QTest::newRow("dark text on a light box reads")
        << QStringList{"windows/quillomat.qmf", "--skin", "skins/light.ini"} << 0
        << "0 errors, 6 warnings";
    QTest::newRow("drive letters taken for the CD folder")
        << QStringList{"drive-letters/quillomat.qmf", "--cd-folder", "drive-letters"} << 0
        << "note: drive letters (such as E:\\) were taken for \"drive-letters/\", the folder "
           "--cd-folder names (--drive-root names another)\nno problems found";
    QTest::newRow("missing menu") << QStringList{"absent.qmf"} << 1 << "absent.qmf";
    QTest::newRow("menu is a folder") << QStringList{"disc"} << 1 << "\"disc\"";
    QTest::newRow("missing language file")
        << QStringList{"faults.qmf", "--lang", "absent.ini"} << 1 << "absent.ini";
    QTest::newRow("missing skin file")
        << QStringList{"faults.qmf", "--skin", "absent.ini"} << 1 << "absent.ini";
    QTest::newRow("no menu") << QStringList{} << 2 << "MENU";
    QTest::newRow("two menus") << QStringList{"faults.qmf", "windows/quillomat.qmf"} << 2 << "MENU";
    QTest::newRow("screen not a size")
        << QStringList{"faults.qmf", "--screen", "wide"} << 2 << "--screen";
    QTest::newRow("screen without height")
        << QStringList{"faults.qmf", "--screen", "800x0"} << 2 << "--screen";
    QTest::newRow("option of another command")
        << QStringList{"faults.qmf", "--mode", "name"} << 2 << "--mode";
}

void DiscCheckTest::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const checktool::Result result = checktool::run(arguments, faults, Desktop::Bare);
    QCOMPARE(result.exitCode, exitCode);
    const QString said = QString::fromUtf8(result.out + result.err);
    QVERIFY2(said.contains(message), qPrintable(said));
}

// The kit's own start page, left in the program folder, is reported; the demo's is not (above).
void DiscCheckTest::starterPageIsReported()
{
    QTemporaryDir program;
    writeTestFile(program.filePath("quillomat.qmf"), "[Tool]\n");
    QVERIFY(
        QFile::copy(QStringLiteral(QUILLOMAT_KIT_DIR "/about.rtf"), program.filePath("about.rtf")));
    const checktool::Result result =
        checktool::run({"quillomat.qmf"}, program.path(), Desktop::Bare);
    QCOMPARE(result.out, QByteArray("about.rtf: warning: still the disc kit's starter page, which "
                                    "the program shows when it starts: replace it with the "
                                    "disc's own start page\n0 errors, 1 warning\n"));
}

QTEST_GUILESS_MAIN(DiscCheckTest)
#include "tst_disccheck.moc"

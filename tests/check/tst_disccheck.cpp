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

QTEST_GUILESS_MAIN(DiscCheckTest)
#include "tst_disccheck.moc"

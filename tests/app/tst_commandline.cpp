#include "app/CommandLine.h"

#include <QTest>

using namespace quillomat;

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void resolvesStartFiles_data();
    void resolvesStartFiles();
};

void CommandLineTest::resolvesStartFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("menuFile");
    QTest::addColumn<QString>("cdFolder");
    QTest::addColumn<QString>("driveRoot"); // what E:\ stands for

    const QString beside = QStringLiteral("/media/disc/start/quillomat.qmf");
    QTest::newRow("no arguments: own drive") << QStringList{} << beside << "/media/disc/"
                                             << "/media/disc/";
    QTest::newRow("switch and folder")
        << QStringList{"/TEST", "/home/u/disc"} << beside << "/home/u/disc/"
        << "/home/u/disc/";
    QTest::newRow("folder keeps its separator")
        << QStringList{"/TEST", "/home/u/disc/"} << beside << "/home/u/disc/"
        << "/home/u/disc/";
    QTest::newRow("lower-case switch") << QStringList{"/test", "d"} << beside << "d/"
                                       << "d/";
    QTest::newRow("mixed-case switch") << QStringList{"/Test", "d"} << beside << "d/"
                                       << "d/";
    QTest::newRow("switch second, first ignored")
        << QStringList{"menu.qmf", "/TEST", "d"} << beside << "d/"
        << "d/";
    QTest::newRow("empty folder becomes separator") << QStringList{"/TEST", ""} << beside << "/"
                                                    << "/";
    QTest::newRow("first switch counts") << QStringList{"/TEST", "/TEST", "x"} << beside << "/TEST/"
                                         << "/TEST/";
    QTest::newRow("plain menu file") << QStringList{"/srv/menu.qmf"} << "/srv/menu.qmf"
                                     << ""
                                     << "/media/disc/";
    QTest::newRow("plain menu file with more") << QStringList{"a.qmf", "b"} << "a.qmf"
                                               << ""
                                               << "/media/disc/";
    QTest::newRow("switch alone is a menu file") << QStringList{"/TEST"} << "/TEST"
                                                 << ""
                                                 << "/media/disc/";
}

void CommandLineTest::resolvesStartFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, menuFile);
    QFETCH(QString, cdFolder);
    QFETCH(QString, driveRoot);
    const StartFiles files = resolveStartFiles(arguments, QStringLiteral("/media/disc/start/"),
                                               QStringLiteral("/media/disc/"));
    QCOMPARE(files.menuFile, menuFile);
    QCOMPARE(files.cdFolder, cdFolder);
    QCOMPARE(files.driveRoot, driveRoot);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"

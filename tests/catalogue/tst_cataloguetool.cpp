#include "SystemPaths.h"

#include <QFile>
#include <QProcess>
#include <QTest>

class CatalogueToolTest : public QObject
{
    Q_OBJECT

private:
    struct Result
    {
        int exitCode = -1;
        QByteArray out, err;
    };
    static Result run(const QStringList& arguments);

private slots:
    void printsGoldenJson_data();
    void printsGoldenJson();
    void exitStatus_data();
    void exitStatus();
};

CatalogueToolTest::Result CatalogueToolTest::run(const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/catalogue"));
    process.start(QStringLiteral(QUILLOMAT_CATALOGUE_TOOL), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

void CatalogueToolTest::printsGoldenJson_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden");
    // Where a drive letter leads to that drive (Windows), E: is not the folder given here.
    if (kDriveLettersLeadToTheDiscRoot) {
        // With the languages of lang.ini beside the menu, as the program reads it.
        QTest::newRow("worked example")
            << QStringList{"show", "worked-example.qmf", "--drive-root", "/media/disc"}
            << "worked-example.show.json";
        // A disc written on Windows: E:\ for its root, 8.3 capitals for mixed-case files, a
        // leading backslash, and a menu in UTF-8 with one stray Windows-1252 byte.
        const QStringList onDriveE{"windows-disc/quillomat.qmf", "--drive-root", "windows-disc"};
        QTest::newRow("windows disc") << QStringList{"show"} + onDriveE << "windows-disc.show.json";
        QTest::newRow("windows disc search")
            << QStringList{"search"} + onDriveE + QStringList{"ZEPPELIN"}
            << "windows-disc.search.json";
    }
    QTest::newRow("windows disc description")
        << QStringList{"text", "windows-disc/DOCS/README.TXT"} << "windows-disc.readme.txt";
    QTest::newRow("folder argument and second language")
        << QStringList{"show",        "--lang",      "lang.ini",
                       "--language",  "2",           "worked-example.qmf",
                       "--cd-folder", "/media/cdrom"}
        << "worked-example.show-deutsch.json";
    QTest::newRow("category list")
        << QStringList{"list", "worked-example.qmf", "--mode", "category", "--filter", "TOOLS"}
        << "worked-example.list-category.json";
    QTest::newRow("name list hides the filter")
        << QStringList{"list", "worked-example.qmf", "--mode=name"}
        << "worked-example.list-name.json";
    QTest::newRow("search") << QStringList{"search", "worked-example.qmf", " brightline  NOTES"}
                            << "worked-example.search.json";
    QTest::newRow("search without result")
        << QStringList{"search", "worked-example.qmf", "", "--lang", "lang.ini"}
        << "worked-example.search-none.json";
    QTest::newRow("plain text description")
        << QStringList{"text", "description.txt"} << "description.txt";
    QTest::newRow("rtf description")
        << QStringList{"text", "description.rtf"} << "description.rtf.txt";
}

void CatalogueToolTest::printsGoldenJson()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    QFile expected(QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/catalogue/") + golden);
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const Result result = run(arguments);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QString::fromUtf8(result.out), QString::fromUtf8(expected.readAll()));
}

void CatalogueToolTest::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "";
    QTest::newRow("missing menu") << QStringList{"show", "absent.qmf"} << 1 << "absent.qmf";
    QTest::newRow("menu is a folder") << QStringList{"search", ".", "x"} << 1 << "\".\"";
    QTest::newRow("missing language file")
        << QStringList{"show", "worked-example.qmf", "--lang", "absent.ini"} << 1 << "absent.ini";
    QTest::newRow("device as description") << QStringList{"text", kDevicePath} << 1 << kDevicePath;
    QTest::newRow("missing description") << QStringList{"text", "absent.rtf"} << 1 << "absent.rtf";
    QTest::newRow("no command") << QStringList{} << 2 << "Usage";
    QTest::newRow("unknown command") << QStringList{"print", "worked-example.qmf"} << 2 << "print";
    QTest::newRow("unknown option")
        << QStringList{"show", "worked-example.qmf", "--colour"} << 2 << "--colour";
    QTest::newRow("option without value")
        << QStringList{"show", "worked-example.qmf", "--lang"} << 2 << "--lang";
    QTest::newRow("language too high")
        << QStringList{"show", "worked-example.qmf", "--lang", "lang.ini", "--language", "3"} << 2
        << "--language";
    QTest::newRow("built-in language not choosable")
        << QStringList{"show", "worked-example.qmf", "--lang", "lang.ini", "--language", "0"} << 2
        << "--language";
    QTest::newRow("language not a number")
        << QStringList{"show", "worked-example.qmf", "--lang", "lang.ini", "--language", "two"} << 2
        << "--language";
    QTest::newRow("language without file")
        << QStringList{"show", "windows-disc/quillomat.qmf", "--language", "1"} << 2
        << "--language";
    // Where a drive letter names a drive of the machine, no folder can stand for it.
    if (!kDriveLettersLeadToTheDiscRoot)
        QTest::newRow("drive root refused")
            << QStringList{"show", "worked-example.qmf", "--drive-root", "disc"} << 2
            << "--drive-root is not used on Windows";
    QTest::newRow("list without mode")
        << QStringList{"list", "worked-example.qmf"} << 2 << "--mode";
    QTest::newRow("search mode not listable")
        << QStringList{"list", "worked-example.qmf", "--mode", "search"} << 2 << "--mode";
    QTest::newRow("search without text")
        << QStringList{"search", "worked-example.qmf"} << 2 << "TEXT";
    QTest::newRow("extra argument")
        << QStringList{"show", "worked-example.qmf", "more"} << 2 << "MENU";
}

void CatalogueToolTest::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Result result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0) {
        QVERIFY(!result.out.isEmpty());
        QVERIFY(result.err.isEmpty());
    } else {
        QVERIFY(result.out.isEmpty());
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    }
}

QTEST_GUILESS_MAIN(CatalogueToolTest)
#include "tst_cataloguetool.moc"

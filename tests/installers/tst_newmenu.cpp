// quillomat-catalogue new on a medium of real installers: which files each package gets, what
// its installers name it, and that show and check read the drafted menu back as written.

#include "RealInstallers.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int exitCode = -1;
    QByteArray out, err;
};

Result runTool(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(QUILLOMAT_CATALOGUE_TOOL), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kDemoPackages = QStringLiteral(QUILLOMAT_EXAMPLES_DIR "/disc/packages/");

// A one-pixel BMP: a real picture smaller than any of the demo disc's.
QByteArray smallBitmap()
{
    return QByteArray::fromHex("424d3a000000000000003600000028000000010000000100000001001800"
                               "000000000400000000000000000000000000000000000000ff000000");
}

// Every file and folder under `root` with its size and time: what "reads only" must keep.
QStringList snapshot(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        entries.append(QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

} // namespace

class NewMenuTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_medium, m_menu;
    QByteArray m_menuBytes;
    QJsonArray m_shown;

private slots:
    void initTestCase();
    void draftsEachPackage_data();
    void draftsEachPackage();
    void writesWhatTheProgramReadsBack();
    void checkFindsNoError();
    void demoDiscGivesNoError();
    void replacesNothingAndReadsOnly();
    void pathsAreRelativeToTheCdFolder();
};

void NewMenuTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_medium = m_dir.filePath("medium");
    const QString p = m_medium + "/packages/";
    const QString errors[] = {
        installers::makeWindowsProgram(p + "inkwell/setup.exe",
                                       "VALUE \"CompanyName\", \"Parchment Labs\"\n"
                                       "VALUE \"ProductName\", \"Inkwell Notes\"\n"
                                       "VALUE \"FileVersion\", \"2.3.0.0\""),
        installers::makeWindowsProgram(m_medium + "/quillomat/quillomat.exe",
                                       "VALUE \"ProductName\", \"Quillomat\""),
        installers::makeMsi(p + "tally/tally.msi", "Tallyho Spreadsheet", "Ledger & Sons"),
        installers::makeDeb(p + "zipline/zipline_4.0_all.deb",
                            "Package: zipline\nVersion: 4.0-1\nSection: utils\nArchitecture: all\n"
                            "Maintainer: Ferrous Tools <dev@ferrous.example>\nDescription: x\n",
                            "xz"),
    };
    for (const QString& error : errors) {
        if (!error.isEmpty())
            QSKIP(qPrintable(error));
    }
    writeFixtureFile(p + "orbital/orbital-1.2.noarch.rpm",
                     installers::rpmBytes({{1000, "Orbital Chess"},
                                           {1001, "1.2"},
                                           {1011, "Northwind Games"},
                                           {1016, "Amusements/Games"}}));
    const std::pair<const char*, QByteArray> files[] = {
        // Beside the Windows installer: a script, descriptions and pictures to choose from.
        {"packages/inkwell/install.sh", "#!/bin/sh\n"},
        {"packages/inkwell/readme.txt", "Inkwell\n"},
        {"packages/inkwell/Description.RTF", "{\\rtf1 Inkwell}"},
        {"packages/inkwell/shot.bmp", smallBitmap()},
        {"packages/inkwell/cover.jpg", readAll(kDemoPackages + "lumen/preview.jpg")},
        {"packages/tally/LIESMICH.TXT", "Tallyho\n"},
        {"packages/tally/a.jpg", readAll(kDemoPackages + "lumen/preview.jpg")},
        {"packages/tally/b.jpeg", readAll(kDemoPackages + "orbital/preview.jpg")},
        // An AppImage and a program that says nothing about itself, which is no run file.
        {"packages/lumen/Lumen-0.9-x86_64.AppImage", "ELF"},
        {"packages/lumen/helper.exe", "MZ"},
        // Documents only: the manual runs, the French readme describes.
        {"packages/w\xc3\xbcrfel/regeln.pdf", "%PDF-1.4\n"},
        {"packages/w\xc3\xbcrfel/lisezmoi", "Wuerfel\n"},
        {"packages/skins/description.rtf", "{\\rtf1 Skins}"},
        // The medium's own files: its starters, a readme, the menu program, a hidden folder.
        {"autorun.sh", "#!/bin/sh\n"},
        {"autorun.inf", "[autorun]\n"},
        {"readme.txt", "This medium\n"},
        {"quillomat/lang.ini", "[English]\n"},
        {".trash/setup.sh", "#!/bin/sh\n"},
    };
    for (const auto& [name, bytes] : files)
        writeFixtureFile(m_medium + u'/' + QString::fromUtf8(name), bytes);

    m_menu = m_dir.filePath("drafted.qmf");
    const Result drafted = runTool({"new", m_medium, "-o", m_menu}, m_dir.path());
    QCOMPARE(drafted.exitCode, 0);
    QVERIFY2(drafted.err.contains("7 packages drafted; 5 need"), drafted.err.constData());
    m_menuBytes = readAll(m_menu);
    const Result shown = runTool({"show", m_menu}, m_dir.path());
    QCOMPARE(shown.exitCode, 0);
    m_shown = QJsonDocument::fromJson(shown.out).object().value("applications").toArray();
}

void NewMenuTest::draftsEachPackage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("company"); // "other": none given
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("runFile"); // under packages/
    QTest::addColumn<QString>("textFile");
    QTest::addColumn<QString>("bitmap");
    QTest::newRow("setup.exe over a script; an RTF over a readme; a picture named shot first")
        << "Inkwell Notes 2.3"
        << "Parchment Labs"
        << "other"
        << "inkwell/setup.exe"
        << "inkwell/Description.RTF"
        << "inkwell/shot.bmp";
    QTest::newRow("installer database; a readme in capitals; else the largest picture")
        << "Tallyho Spreadsheet"
        << "Ledger & Sons"
        << "other"
        << "tally/tally.msi"
        << "tally/LIESMICH.TXT"
        << "tally/b.jpeg";
    QTest::newRow("deb: name, version, maintainer, section") << "zipline 4.0"
                                                             << "Ferrous Tools"
                                                             << "Utils"
                                                             << "zipline/zipline_4.0_all.deb"
                                                             << ""
                                                             << "";
    QTest::newRow("rpm: name, version, vendor, group") << "Orbital Chess 1.2"
                                                       << "Northwind Games"
                                                       << "Games"
                                                       << "orbital/orbital-1.2.noarch.rpm"
                                                       << ""
                                                       << "";
    QTest::newRow("AppImage; a program without version resource is none")
        << "lumen"
        << "other"
        << "other"
        << "lumen/Lumen-0.9-x86_64.AppImage"
        << ""
        << "";
    QTest::newRow("documents only: the folder's name, a document to run")
        << "w\u00fcrfel"
        << "other"
        << "other"
        << "w\u00fcrfel/regeln.pdf"
        << "w\u00fcrfel/lisezmoi"
        << "";
    QTest::newRow("its description the only document") << "skins"
                                                       << "other"
                                                       << "other"
                                                       << "skins/description.rtf"
                                                       << "skins/description.rtf"
                                                       << "";
}

void NewMenuTest::draftsEachPackage()
{
    QFETCH(QString, name);
    QFETCH(QString, company);
    QFETCH(QString, category);
    QFETCH(QString, runFile);
    QFETCH(QString, textFile);
    QFETCH(QString, bitmap);
    auto onMedium = [&](const QString& path) {
        return path.isEmpty() ? path : m_medium + "/packages/" + path;
    };
    for (const QJsonValue& value : m_shown) {
        const QJsonObject app = value.toObject();
        if (app.value("name").toString() != name)
            continue;
        QCOMPARE(app.value("company").toString(), company);
        QCOMPARE(app.value("category").toString(), category);
        QCOMPARE(app.value("runFile").toString(), onMedium(runFile));
        QCOMPARE(app.value("textFile").toString(), onMedium(textFile));
        QCOMPARE(app.value("bitmap").toString(), onMedium(bitmap));
        return;
    }
    QFAIL(qPrintable("no package named " + name + " in " + QString::fromUtf8(m_menuBytes)));
}

void NewMenuTest::writesWhatTheProgramReadsBack()
{
    // Only the packages: not the medium's starters, readme, program or hidden folder.
    QCOMPARE(m_shown.size(), 7);
    QVERIFY(m_menuBytes.startsWith("\xEF\xBB\xBF; "));
    QVERIFY(!m_menuBytes.contains("\n\n")); // CRLF throughout
    const QByteArray section = "[lumen]\r\n"
                               "; Fill in the name in brackets, Company, Category: the "
                               "package's files do not say.\r\n"
                               "Company=\r\nCategory=\r\n"
                               "RunFile=packages\\lumen\\Lumen-0.9-x86_64.AppImage\r\n";
    QVERIFY2(m_menuBytes.contains(section), m_menuBytes.constData());
    QVERIFY(m_menuBytes.contains("; Also there to run: install.sh\r\n"));
    QVERIFY(m_menuBytes.contains("[w\xc3\xbcrfel]\r\n; Fill in the name in brackets, Company"));
    // Without -o, the same menu goes to standard output.
    QCOMPARE(runTool({"new", m_medium}, m_dir.path()).out, m_menuBytes);
}

void NewMenuTest::checkFindsNoError()
{
    const Result checked = runTool({"check", m_menu}, m_dir.path());
    QVERIFY2(checked.out.contains("\n0 errors,") || checked.out.startsWith("0 errors,") ||
                 checked.out == "no problems found\n",
             checked.out.constData());
    QCOMPARE(checked.exitCode, 0);
}

void NewMenuTest::demoDiscGivesNoError()
{
    const QString menu = m_dir.filePath("demo.qmf");
    QCOMPARE(
        runTool({"new", QStringLiteral(QUILLOMAT_EXAMPLES_DIR "/disc"), "-o", menu}, m_dir.path())
            .exitCode,
        0);
    const Result checked = runTool({"check", menu}, m_dir.path());
    QCOMPARE(checked.exitCode, 0);
    QVERIFY2(!checked.out.contains(": error:"), checked.out.constData());
}

void NewMenuTest::replacesNothingAndReadsOnly()
{
    const QStringList before = snapshot(m_dir.path());
    const Result again = runTool({"new", m_medium, "-o", m_menu}, m_dir.path());
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains("already exists"), again.err.constData());
    QCOMPARE(runTool({"new", m_medium}, m_dir.path()).exitCode, 0);
    QCOMPARE(snapshot(m_dir.path()), before);
    QCOMPARE(readAll(m_menu), m_menuBytes);
}

void NewMenuTest::pathsAreRelativeToTheCdFolder()
{
    const Result inner =
        runTool({"new", m_medium + "/packages/tally", "--cd-folder", m_medium}, m_dir.path());
    QCOMPARE(inner.exitCode, 0);
    QVERIFY2(inner.out.contains("\r\nRunFile=packages\\tally\\tally.msi\r\n"),
             inner.out.constData());
    const Result outside =
        runTool({"new", m_medium, "--cd-folder", m_medium + "/packages"}, m_dir.path());
    QCOMPARE(outside.exitCode, 2);
    QVERIFY2(outside.err.contains("not inside the CD folder"), outside.err.constData());
    QCOMPARE(outside.out, QByteArray());
}

QTEST_GUILESS_MAIN(NewMenuTest)
#include "tst_newmenu.moc"

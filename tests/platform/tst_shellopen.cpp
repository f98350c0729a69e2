#include "platform/ShellOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

// Set by main before anything asks GIO about the desktop: GLib reads the XDG variables once.
QString g_sandbox;

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
    file.close();
    auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (executable)
        permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(path, permissions));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The marker program (writes the name it was started under and its working folder to ran.txt).
QByteArray markerProgram()
{
    return readFile(QStringLiteral(QUILLOMAT_MARKER_PROGRAM));
}

// The marker program made for another processor (e_machine), which this machine cannot run.
QByteArray foreignProgram()
{
    QByteArray program = markerProgram();
    constexpr int kMachineField = 18;
    program[kMachineField] = char(program[kMachineField] == 0x3e ? 0xb7 : 0x3e); // x86-64, AArch64
    program[kMachineField + 1] = 0;
    return program;
}

} // namespace

class TestShellOpen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void opensDocumentWithAssociatedApplication_data();
    void opensDocumentWithAssociatedApplication();
    void startsProgramDirectlyInItsFolder_data();
    void startsProgramDirectlyInItsFolder();
    void startsElfProgramWithOrWithoutExecuteBit_data();
    void startsElfProgramWithOrWithoutExecuteBit();
    void reportsFailures_data();
    void reportsFailures();
    void mapsResultsOntoOutcomes_data();
    void mapsResultsOntoOutcomes();
    void tellsWhetherFileWouldOpen_data();
    void tellsWhetherFileWouldOpen();

private:
    QString documents() const { return g_sandbox + "/documents"; }
    QString openedMarker() const { return g_sandbox + "/opened.txt"; }
};

// The desktop of the test: one application, "Marker", which writes the path it was given to
// opened.txt; it is the default for text files and for a MIME type of our own (*.qmdoc).
void TestShellOpen::initTestCase()
{
    writeFile(g_sandbox + "/bin/marker.sh",
              "#!/bin/sh\n"
              "printf '%s' \"$1\" > \"$(dirname \"$0\")/../opened.txt\"\n",
              true);
    writeFile(g_sandbox + "/data/applications/quillomat-marker.desktop",
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Marker\n"
              "Exec=\"" +
                  QFile::encodeName(g_sandbox) +
                  "/bin/marker.sh\" %f\n"
                  "MimeType=application/x-quillomat-doc;text/plain;\n");
    writeFile(g_sandbox + "/data/mime/globs2", "50:application/x-quillomat-doc:*.qmdoc\n"
                                               "50:application/x-quillomat-orphan:*.qmorphan\n"
                                               "50:text/plain:*.txt\n");
    writeFile(g_sandbox + "/config/mimeapps.list",
              "[Default Applications]\n"
              "application/x-quillomat-doc=quillomat-marker.desktop\n"
              "text/plain=quillomat-marker.desktop\n");
}

void TestShellOpen::init()
{
    QFile::remove(openedMarker());
    QDir(documents()).removeRecursively();
}

void TestShellOpen::opensDocumentWithAssociatedApplication_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");

    QTest::newRow("own type") << "manual.qmdoc" << QByteArray("manual") << false;
    QTest::newRow("text") << "readme.txt" << QByteArray("read me") << false;
    QTest::newRow("spaces and shell characters")
        << "a b;$(touch x)&.qmdoc" << QByteArray("x") << false;
    // FAT media mark every file executable; such a file is still a document, and its
    // commands are never run by a shell.
    QTest::newRow("text with execute bit")
        << "notes.txt" << QByteArray("touch executed-by-shell\n") << true;
}

void TestShellOpen::opensDocumentWithAssociatedApplication()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);
    const QString path = documents() + "/" + name;
    writeFile(path, content, executable);

    QCOMPARE(shellOpen(path), shellresult::Started);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(openedMarker()), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(QFile::decodeName(readFile(openedMarker())), path, 5000);
    QVERIFY(!QFile::exists(documents() + "/executed-by-shell"));
    QVERIFY(!QFile::exists(documents() + "/x"));
}

void TestShellOpen::startsProgramDirectlyInItsFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<bool>("executable");

    QTest::newRow("executable script") << "setup.sh" << QByteArray("#!/bin/sh") << true;
    QTest::newRow("spaces and shell characters")
        << "a b;$(touch x)&.sh" << QByteArray("#!/bin/sh") << true;
    QTest::newRow("script without execute bit") << "install" << QByteArray("#!/bin/sh") << false;
    QTest::newRow("interpreter with argument")
        << "setup.sh" << QByteArray("#! /bin/sh -e") << false;
}

void TestShellOpen::startsProgramDirectlyInItsFolder()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, firstLine);
    QFETCH(bool, executable);
    const QString folder = documents() + "/disc folder";
    const QString path = folder + "/" + name;
    // Writes the name it was started by and its working folder.
    writeFile(path, firstLine + "\nprintf '%s\\n' \"$0\" > ran.txt\npwd >> ran.txt\n", executable);

    QCOMPARE(shellOpen(path), shellresult::Started);
    const QString marker = folder + "/ran.txt";
    QTRY_VERIFY_WITH_TIMEOUT(readFile(marker).count('\n') == 2, 10000);
    const QStringList lines = QFile::decodeName(readFile(marker)).split('\n');
    QCOMPARE(lines.at(0), path);
    QCOMPARE(lines.at(1), folder);
    QVERIFY(!QFile::exists(folder + "/x"));
    QVERIFY(!QFile::exists(openedMarker()));
}

void TestShellOpen::startsElfProgramWithOrWithoutExecuteBit_data()
{
    QTest::addColumn<bool>("executable");
    QTest::newRow("execute bit") << true;
    // As on a FAT stick mounted with showexec or a disc without Rock Ridge: the loader runs it.
    QTest::newRow("no execute bit") << false;
}

void TestShellOpen::startsElfProgramWithOrWithoutExecuteBit()
{
    QFETCH(bool, executable);
    const QString folder = documents() + "/disc folder";
    const QString path = folder + "/set up";
    writeFile(path, markerProgram(), executable);

    QVERIFY(canShellOpen(path));
    QCOMPARE(shellOpen(path), shellresult::Started);
    const QString marker = folder + "/ran.txt";
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    const QStringList lines = QFile::decodeName(readFile(marker)).split('\n');
    QCOMPARE(lines.value(0), path);
    QCOMPARE(lines.value(1), folder);
    QVERIFY(!QFile::exists(openedMarker()));
}

void TestShellOpen::reportsFailures_data()
{
    QTest::addColumn<QString>("name"); // empty: not created
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("opened"); // what is opened, relative to the documents folder
    QTest::addColumn<int>("result");

    QTest::newRow("missing file") << "" << QByteArray() << false << "setup.exe"
                                  << shellresult::FileNotFound;
    QTest::newRow("unassociated type") << "data.qmorphan" << QByteArray("?") << false
                                       << "data.qmorphan" << shellresult::NoAssociation;
    QTest::newRow("folder without file manager")
        << "sub/file.txt" << QByteArray("x") << false << "sub" << shellresult::NoAssociation;
    QTest::newRow("missing interpreter") << "setup.sh" << QByteArray("#!/no/such/sh\n") << true
                                         << "setup.sh" << shellresult::AccessDenied;
    QTest::newRow("missing interpreter, no execute bit")
        << "setup.sh" << QByteArray("#!/no/such/sh\n") << false << "setup.sh"
        << shellresult::AccessDenied;
    QTest::newRow("relative interpreter") << "setup.sh" << QByteArray("#!sh\ntouch ran\n") << false
                                          << "setup.sh" << shellresult::AccessDenied;
    // Neither runnable nor a known document type: opened by association, which finds nothing.
    QTest::newRow("program for another machine, no execute bit")
        << "setup.qmorphan" << foreignProgram() << false << "setup.qmorphan"
        << shellresult::NoAssociation;
    QTest::newRow("broken program") << "setup"
                                    << QByteArray("\x7f"
                                                  "ELF garbage")
                                    << true << "setup" << shellresult::AccessDenied;
}

void TestShellOpen::reportsFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);
    QFETCH(QString, opened);
    QFETCH(int, result);
    if (!name.isEmpty())
        writeFile(documents() + "/" + name, content, executable);

    QCOMPARE(shellOpen(documents() + "/" + opened), result);
    QCOMPARE(shellOpen(QString()), shellresult::FileNotFound);
}

void TestShellOpen::mapsResultsOntoOutcomes_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<ShellOutcome>("outcome");
    QTest::addColumn<QString>("textKey");

    QTest::newRow("started") << shellresult::Started << ShellOutcome::Started << "";
    QTest::newRow("33") << 33 << ShellOutcome::Started << "";
    QTest::newRow("32") << 32 << ShellOutcome::CannotOpenFile << "CannotOpenFile";
    QTest::newRow("no association") << 31 << ShellOutcome::UnknownDocType << "UnknownDocType";
    QTest::newRow("file not found") << 2 << ShellOutcome::FileNotFound << "FileNotFound";
    QTest::newRow("0") << 0 << ShellOutcome::CannotOpenFile << "CannotOpenFile";
    QTest::newRow("-1") << -1 << ShellOutcome::Ignored << "";
}

void TestShellOpen::mapsResultsOntoOutcomes()
{
    QFETCH(int, result);
    QFETCH(ShellOutcome, outcome);
    QFETCH(QString, textKey);
    QCOMPARE(shellOutcome(result), outcome);
    QCOMPARE(shellOutcomeTextKey(outcome), textKey);
}

void TestShellOpen::tellsWhetherFileWouldOpen_data()
{
    QTest::addColumn<QString>("name"); // empty: not created
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("opens");

    QTest::newRow("associated type") << "manual.qmdoc" << QByteArray("x") << false << true;
    QTest::newRow("unassociated type") << "data.qmorphan" << QByteArray("x") << false << false;
    QTest::newRow("unassociated type with execute bit")
        << "data.qmorphan" << QByteArray("x") << true << false;
    QTest::newRow("program") << "setup"
                             << QByteArray("\x7f"
                                           "ELF")
                             << true << true;
    QTest::newRow("program without execute bit") << "setup.qmorphan"
                                                 << QByteArray("\x7f"
                                                               "ELF")
                                                 << false << false;
    QTest::newRow("program for this machine without execute bit")
        << "setup.qmorphan" << markerProgram() << false << true;
    QTest::newRow("program for another machine without execute bit")
        << "setup.qmorphan" << foreignProgram() << false << false;
    QTest::newRow("script") << "setup.qmorphan" << QByteArray("#!/bin/sh\n") << false << true;
    QTest::newRow("script with missing interpreter")
        << "setup.sh" << QByteArray("#!/no/such/sh\n") << true << false;
    QTest::newRow("missing file") << "" << QByteArray() << false << false;
}

void TestShellOpen::tellsWhetherFileWouldOpen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);
    QFETCH(bool, opens);
    const QString path = documents() + "/" + (name.isEmpty() ? QStringLiteral("absent") : name);
    if (!name.isEmpty())
        writeFile(path, content, executable);
    QCOMPARE(canShellOpen(path), opens);
    QVERIFY(!QFile::exists(openedMarker())); // it only looks
}

int main(int argc, char** argv)
{
    // A desktop of our own: GLib reads these variables the first time it needs them, so they
    // are set before anything else runs. The D-Bus address leads nowhere, so that launching
    // cannot start a session bus.
    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 1;
    g_sandbox = QDir(sandbox.path()).canonicalPath();
    const QByteArray root = QFile::encodeName(g_sandbox);
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_DIRS", root + "/system-data");
    qputenv("XDG_CONFIG_DIRS", root + "/system-config");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + root + "/no-bus");
    qputenv("GIO_USE_VFS", "local");
    qputenv("GSETTINGS_BACKEND", "memory");

    QCoreApplication app(argc, argv);
    TestShellOpen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shellopen.moc"

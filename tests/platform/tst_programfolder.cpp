#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>
#include <sys/auxv.h>

#include <cstdio>

namespace {

// The loader that started this process, as the loader names itself.
QString ownLoader()
{
    Dl_info info{};
    const auto base = reinterpret_cast<void*>(getauxval(AT_BASE));
    return base && dladdr(base, &info) && info.dli_fname ? QFile::decodeName(info.dli_fname)
                                                         : QString();
}

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void isTheProgramsOwnFolderAlsoWhenStartedThroughTheLoader_data();
    void isTheProgramsOwnFolderAlsoWhenStartedThroughTheLoader();
};

void TestProgramFolder::isTheProgramsOwnFolderAlsoWhenStartedThroughTheLoader_data()
{
    QTest::addColumn<bool>("throughLoader");
    QTest::newRow("started directly") << false;
    // As from a medium without execute bits: the system names the loader as the executable.
    QTest::newRow("started through the loader") << true;
}

void TestProgramFolder::isTheProgramsOwnFolderAlsoWhenStartedThroughTheLoader()
{
    QFETCH(bool, throughLoader);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString folder = QDir(temporary.path()).canonicalPath() + "/Demo Disc/quillomat/";
    const QString copy = folder + "quillomat";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (!throughLoader)
        permissions |= QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(copy, permissions));

    QProcess process;
    if (throughLoader) {
        const QString loader = ownLoader();
        QVERIFY2(!loader.isEmpty(), "this test program names no loader");
        process.start(loader, {copy, "--where"});
    } else {
        process.start(copy, {"--where"});
    }
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    QCOMPARE(lines.value(0), copy);
    QCOMPARE(lines.value(1), folder);
}

int main(int argc, char** argv)
{
    // The copy started by the test: where it thinks it is, before and without an application
    // object as the program's start needs it.
    if (argc == 2 && qstrcmp(argv[1], "--where") == 0) {
        std::fputs(quillomat::programFilePath().toUtf8().append('\n').constData(), stdout);
        std::fputs(quillomat::programFolder().toUtf8().append('\n').constData(), stdout);
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestProgramFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programfolder.moc"

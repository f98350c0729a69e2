#include "catalogue/DescriptionTextCache.h"
#include "catalogue/TProject.h"
#include "platform/CasePaths.h"
#include "platform/DriveRoot.h"
#include "platform/ShellOpen.h"
#include "text/TextTemplate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

Q_DECLARE_METATYPE(quillomat::PathMatch)

// The Windows side of the platform layer, on Windows itself (or Wine).
class WindowsPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void driveRootOfProgramPaths_data();
    void driveRootOfProgramPaths();
    void shellStartsProgramInItsFolder_data();
    void shellStartsProgramInItsFolder();
    void shellFailuresGiveTheirTexts_data();
    void shellFailuresGiveTheirTexts();
    void absolutePathsInAnySpelling_data();
    void absolutePathsInAnySpelling();
    void namesSpelledAsOnDisc_data();
    void namesSpelledAsOnDisc();

private:
    QTemporaryDir m_dir;
};

void WindowsPlatformTest::driveRootOfProgramPaths_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("root");
    QTest::newRow("drive letter") << "E:/start/quillomat.exe"
                                  << "E:/";
    QTest::newRow("backslashes, small letter") << "d:\\disc\\quillomat.exe"
                                               << "D:/";
    QTest::newRow("drive root itself") << "F:/"
                                       << "F:/";
    QTest::newRow("share") << "//server/share/disc/quillomat.exe"
                           << "//server/share/";
    QTest::newRow("share with backslashes") << "\\\\nas\\media\\q.exe"
                                            << "//nas/media/";
    QTest::newRow("share root itself") << "//server/share"
                                       << "//server/share/";
    QTest::newRow("long drive path") << "//?/C:/very/long/q.exe"
                                     << "C:/";
    QTest::newRow("long share path") << "//?/UNC/server/share/q.exe"
                                     << "//server/share/";
}

void WindowsPlatformTest::driveRootOfProgramPaths()
{
    QFETCH(QString, program);
    QFETCH(QString, root);
    QCOMPARE(driveRootOf(program), root);
    // A drive letter in a menu leads to that drive, whatever the disc's root.
    QCOMPARE(pathOnDrive(root, u"e:\\Setup\\setup.exe"), QStringLiteral("e:/Setup/setup.exe"));
}

void WindowsPlatformTest::shellStartsProgramInItsFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "setup.exe";
    // (The shell expands %NAME% of an environment variable in the name, as Windows does.)
    QTest::newRow("spaces and shell characters") << "set up & (1) 100%.exe";
    QTest::newRow("letters beyond Latin-1") << QString::fromUtf8("установка.exe");
}

void WindowsPlatformTest::shellStartsProgramInItsFolder()
{
    QFETCH(QString, name);
    const QString folder = m_dir.filePath(QStringLiteral("disc folder ") + QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + u'/' + name;
    QVERIFY(QFile::copy(QStringLiteral(QUILLOMAT_MARKER_PROGRAM), program));

    QCOMPARE(shellOpen(program), shellresult::Started);
    QFile marker(folder + QStringLiteral("/ran.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(marker.exists(), 20000);
    QVERIFY(marker.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(marker.readAll()).split(u'\n');
    QCOMPARE(QDir::fromNativeSeparators(lines.value(0)).toLower(), program.toLower());
    QCOMPARE(QDir::fromNativeSeparators(lines.value(1)).toLower(), folder.toLower());
}

void WindowsPlatformTest::shellFailuresGiveTheirTexts_data()
{
    QTest::addColumn<QString>("name"); // opened in the temporary folder; created when "made"
    QTest::addColumn<bool>("made");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing program")
        << "setup.exe" << false << shellresult::FileNotFound << "File \"%1\" not found.";
    QTest::newRow("missing document")
        << "readme.txt" << false << shellresult::FileNotFound << "File \"%1\" not found.";
    QTest::newRow("type without application")
        << "data.qmorphan" << true << shellresult::NoAssociation
        << "\"%1\" is not linked to any application.";
}

void WindowsPlatformTest::shellFailuresGiveTheirTexts()
{
    QFETCH(QString, name);
    QFETCH(bool, made);
    QFETCH(int, result);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(name);
    if (made) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("?");
    }

    const int got = shellOpen(path);
    QCOMPARE(got, result);
    // What the setup button shows for it, from the built-in language.
    const TProject project;
    QCOMPARE(fillTemplate(project.GetText(shellOutcomeTextKey(shellOutcome(got))), path),
             message.arg(path));
    QCOMPARE(shellOpen(QString()), shellresult::FileNotFound);
}

void WindowsPlatformTest::absolutePathsInAnySpelling_data()
{
    QTest::addColumn<QString>("written"); // how the file's absolute path is given
    QTest::addColumn<QString>("file");    // the name the file has on disc
    QTest::newRow("backslashes") << "native"
                                 << "about.rtf";
    QTest::newRow("slashes") << "slashes"
                             << "about.rtf";
    QTest::newRow("backslashes, other case") << "native upper"
                                             << "about.rtf";
    QTest::newRow("name beyond Latin-1") << "native" << QString::fromUtf8("описание.rtf");
    QTest::newRow("deeper than MAX_PATH") << "deep"
                                          << "about.rtf";
}

// An absolute path, as a command line gives it, names that file and no other: the drive or
// share stays, whatever the separators and the letter case.
void WindowsPlatformTest::absolutePathsInAnySpelling()
{
    QFETCH(QString, written);
    QFETCH(QString, file);
    QString folder = m_dir.filePath(QStringLiteral("texts"));
    if (written == u"deep") {
        for (int level = 0; level < 6; ++level)
            folder += u'/' + QString(50, QChar(u'a' + level));
    }
    QVERIFY(QDir().mkpath(folder));
    const QString onDisc = folder + u'/' + file;
    QFile rtf(onDisc);
    QVERIFY(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1 Absolute \\b text\\b0.}");
    rtf.close();
    // The same name in the current folder, which a wrongly shortened path would open.
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QFile decoy(m_dir.filePath(file));
    QVERIFY(decoy.open(QIODevice::WriteOnly));
    decoy.write("{\\rtf1 Wrong file.}");
    decoy.close();

    const QString native = QDir::toNativeSeparators(onDisc);
    const QString path = written == u"native" || written == u"deep" ? native
                         : written == u"native upper"               ? native.toUpper()
                                                                    : onDisc;
    QCOMPARE(descriptionPlainText(path).value_or(QString()).trimmed(),
             QStringLiteral("Absolute text."));
    const ResolvedPath resolved = resolvePathCase(path);
    QVERIFY(resolved.match != PathMatch::Missing);
    QCOMPARE(QDir::fromNativeSeparators(resolved.path).toLower(),
             QDir::fromNativeSeparators(path).toLower());
}

void WindowsPlatformTest::namesSpelledAsOnDisc_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<PathMatch>("match");
    QTest::newRow("as on disc") << "setup/Setup.exe"
                                << "setup/Setup.exe" << PathMatch::Exact;
    QTest::newRow("as on disc, with a doubled slash and a dot: kept as written")
        << "setup//./Setup.exe"
        << "setup//./Setup.exe" << PathMatch::Exact;
    QTest::newRow("other case, with a doubled slash") << "SETUP//setup.exe"
                                                      << "setup/Setup.exe" << PathMatch::OtherCase;
    QTest::newRow("other case, with dot and dot-dot") << "DOCS/./../SETUP/setup.EXE"
                                                      << "setup/Setup.exe" << PathMatch::OtherCase;
}

// The disc's spelling of a path that is written in other letter case, the same as on Linux.
void WindowsPlatformTest::namesSpelledAsOnDisc()
{
    QFETCH(QString, written);
    QFETCH(QString, expected);
    QFETCH(PathMatch, match);
    // The temporary folder as the disc spells it, whatever case the system gave its path in.
    const QString disc = resolvePathCase(m_dir.path()).path + u'/';
    QVERIFY(QDir(disc).mkpath(QStringLiteral("setup")) && QDir(disc).mkpath(QStringLiteral("docs")));
    QFile program(disc + QStringLiteral("setup/Setup.exe"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    const ResolvedPath resolved = resolvePathCase(disc + written);
    QCOMPARE(resolved.match, match);
    QCOMPARE(resolved.path, disc + expected);
}

QTEST_GUILESS_MAIN(WindowsPlatformTest)
#include "tst_windowsplatform.moc"

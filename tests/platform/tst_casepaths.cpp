#include "platform/CasePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>
#include <vector>

using namespace quillomat;

Q_DECLARE_METATYPE(quillomat::PathMatch)

// Each test starts from fresh listings in a folder of its own, laid out like a disc copied from
// Windows: setup/Setup.exe, docs/Readme.txt, docs/Shot.bmp.
class CasePathsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void resolvesEachForm_data();
    void resolvesEachForm();
    void choosesAmongCaseTwinsByCodeUnit();
    void keepsRelativePathsRelative();
    void readsEachFolderOnce();
    void seesRenamedFilesAfterAStaleListing();
    void givesTheSameAnswersOnManyThreads();

private:
    void makeFile(const QString& relative);
    QString disc(const QString& relative) const { return m_dir.path() + u'/' + relative; }

    QTemporaryDir m_dir;
};

void CasePathsTest::init()
{
    QVERIFY(m_dir.isValid());
    forgetFolderListings();
    for (const char* file :
         {"setup/Setup.exe", "docs/Readme.txt", "docs/Shot.bmp", "Ärger/Übersicht.txt"})
        makeFile(QString::fromUtf8(file));
}

void CasePathsTest::makeFile(const QString& relative)
{
    const QString path = disc(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

void CasePathsTest::resolvesEachForm_data()
{
    QTest::addColumn<QString>("asWritten");
    QTest::addColumn<QString>("expected"); // relative to the disc
    QTest::addColumn<PathMatch>("match");

    QTest::newRow("exact") << "setup/Setup.exe"
                           << "setup/Setup.exe" << PathMatch::Exact;
    QTest::newRow("8.3 capitals") << "SETUP/SETUP.EXE"
                                  << "setup/Setup.exe" << PathMatch::OtherCase;
    QTest::newRow("only the folder differs") << "DOCS/Readme.txt"
                                             << "docs/Readme.txt" << PathMatch::OtherCase;
    QTest::newRow("letters beyond ascii") << "ärger/ÜBERSICHT.TXT"
                                          << "Ärger/Übersicht.txt" << PathMatch::OtherCase;
    QTest::newRow("dot and dot-dot, doubled slashes") << "DOCS/./../SETUP//setup.EXE"
                                                      << "setup/Setup.exe" << PathMatch::OtherCase;
    QTest::newRow("trailing dots and spaces, as Windows drops them")
        << "SETUP. /setup.exe.."
        << "setup/Setup.exe" << PathMatch::OtherCase;
    QTest::newRow("folder found, file missing") << "DOCS/MANUAL.PDF"
                                                << "DOCS/MANUAL.PDF" << PathMatch::Missing;
    QTest::newRow("folder missing") << "TOOLS/SETUP.EXE"
                                    << "TOOLS/SETUP.EXE" << PathMatch::Missing;
    QTest::newRow("a file taken for a folder") << "SETUP/SETUP.EXE/X"
                                               << "SETUP/SETUP.EXE/X" << PathMatch::Missing;
}

void CasePathsTest::resolvesEachForm()
{
    QFETCH(QString, asWritten);
    QFETCH(QString, expected);
    QFETCH(PathMatch, match);
    const ResolvedPath resolved = resolvePathCase(disc(asWritten));
    QCOMPARE(resolved.match, match);
    QCOMPARE(resolved.path, disc(expected));
    QCOMPARE(resolvePathCase(QString()).match, PathMatch::Missing);
}

void CasePathsTest::choosesAmongCaseTwinsByCodeUnit()
{
    // The file system lists names in its own order; the choice must not depend on it.
    for (const char* twin :
         {"twins/readme.txt", "twins/README.TXT", "twins/Readme.txt", "Twins/other.txt"})
        makeFile(QString::fromLatin1(twin));
    // No exact name: the first in code-unit order, and the twin folder that holds the file.
    QCOMPARE(resolvePathCase(disc("TWINS/readme.TXT")).path, disc("twins/README.TXT"));
    // An exact name wins over its twins, for folders and files alike.
    QCOMPARE(resolvePathCase(disc("TWINS/readme.txt")).path, disc("twins/readme.txt"));
    QCOMPARE(resolvePathCase(disc("Twins/OTHER.TXT")).path, disc("Twins/other.txt"));
}

void CasePathsTest::keepsRelativePathsRelative()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(disc("docs")));
    const ResolvedPath sibling = resolvePathCase(QStringLiteral("../SETUP/SETUP.EXE"));
    const ResolvedPath here = resolvePathCase(QStringLiteral("README.TXT"));
    QDir::setCurrent(previous);
    QCOMPARE(here.path, QStringLiteral("Readme.txt"));
    QCOMPARE(sibling.path, disc("setup/Setup.exe")); // outside the current folder: absolute
}

void CasePathsTest::readsEachFolderOnce()
{
    for (int i = 0; i < 50; ++i)
        makeFile(QStringLiteral("many/File%1.txt").arg(i));
    const int before = folderListingsRead();
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 50; ++i)
            QCOMPARE(resolvePathCase(disc(QStringLiteral("MANY/FILE%1.TXT").arg(i))).match,
                     PathMatch::OtherCase);
    }
    // The folders from the root down to the disc, the disc itself and "many".
    const int depth = int(m_dir.path().count(u'/')) + 2;
    QCOMPARE(folderListingsRead() - before, depth);
}

void CasePathsTest::seesRenamedFilesAfterAStaleListing()
{
    QCOMPARE(resolvePathCase(disc("DOCS/README.TXT")).path, disc("docs/Readme.txt"));
    QVERIFY(QFile::rename(disc("docs/Readme.txt"), disc("docs/ReadMe.TXT")));
    QCOMPARE(resolvePathCase(disc("DOCS/README.TXT")).path, disc("docs/ReadMe.TXT"));

    // A file added later is seen once the kept listings are forgotten.
    makeFile(QStringLiteral("docs/Later.txt"));
    QCOMPARE(resolvePathCase(disc("DOCS/LATER.TXT")).match, PathMatch::Missing);
    forgetFolderListings();
    QCOMPARE(resolvePathCase(disc("DOCS/LATER.TXT")).path, disc("docs/Later.txt"));
}

void CasePathsTest::givesTheSameAnswersOnManyThreads()
{
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i)
        makeFile(QStringLiteral("pkg%1/Desc.rtf").arg(i));
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kFiles; ++i) {
                const int n = (i * 7 + t * 13) % kFiles;
                const ResolvedPath resolved =
                    resolvePathCase(disc(QStringLiteral("PKG%1/DESC.RTF").arg(n)));
                if (resolved.path != disc(QStringLiteral("pkg%1/Desc.rtf").arg(n)))
                    ++wrong[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(wrong, std::vector<int>(4, 0));
}

QTEST_GUILESS_MAIN(CasePathsTest)
#include "tst_casepaths.moc"

// The keyword search on worker threads and the background warm-up of its text cache give the
// same rows as one thread reading every file, and leave no thread behind.

#include "TestFiles.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/DescriptionWarmUp.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

const QString kExamples = QStringLiteral(QUILLOMAT_EXAMPLES_DIR);

// The threads of this process, from the kernel's list.
int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

// Waits a little for threads that are ending to be gone from the kernel's list.
bool threadsBackTo(int count)
{
    return QTest::qWaitFor([&] { return threadCount() <= count; }, 2000);
}

const char* const kWords[] = {"paint", "archive", "Straße", "MÄRKTE", "tool",  "zeppelin",
                              "note",  "image",   "player", "écran",  "sound", "disk"};

// A disc whose descriptions come in every kind the search meets: RTF with escapes, plain text in
// UTF-8 and Windows-1252, empty, missing, a folder in place of a file, none at all.
QByteArray writeGeneratedDisc(const QString& folder, int packages)
{
    QRandomGenerator random(77);
    QByteArray menu;
    for (int i = 0; i < packages; ++i) {
        const QByteArray n = QByteArray::number(i);
        menu += "[Package " + n + " " + kWords[i % std::size(kWords)] + "]\n";
        if (i % 7)
            menu += "Category=" + QByteArray(kWords[(i * 3) % std::size(kWords)]) + "\n";
        if (i % 5)
            menu += "Company=Firm " + QByteArray::number(i % 9) + "\n";
        QByteArray text;
        for (int w = random.bounded(0, 200); w > 0; --w)
            text += QByteArray(kWords[random.bounded(int(std::size(kWords)))]) + ' ';
        switch (i % 6) {
        case 0:
            writeFixtureFile(folder + "/d/" + n + ".rtf",
                             "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\b " + text +
                                 "\\b0 M\\'e4rkte\\par}");
            menu += "TextFile=d\\" + n + ".rtf\n";
            break;
        case 1:
            writeFixtureFile(folder + "/d/" + n + ".txt", text);
            menu += "TextFile=d\\" + n + ".txt\n";
            break;
        case 2:
            writeFixtureFile(folder + "/d/" + n + ".txt", text + "gr\xF6\xDF"
                                                                 "e");
            menu += "TextFile=d\\" + n + ".txt\n";
            break;
        case 3:
            menu += "TextFile=d\\missing" + n + ".rtf\n";
            break;
        case 4:
            QDir(folder).mkpath("d/folder" + n);
            menu += "TextFile=d\\folder" + n + "\n";
            break;
        default:
            break; // no description
        }
    }
    return menu;
}

// The captions and packages of a search, as positions in Applications.
QStringList rowsOf(const TProject& project, const RecordingRowList& rows)
{
    QStringList result;
    for (const auto& row : rows.rows) {
        qsizetype index = -1;
        for (std::size_t i = 0; i < project.applications().size(); ++i) {
            if (project.applications()[i].get() == row.package)
                index = qsizetype(i);
        }
        result.append(row.caption + u'#' + QString::number(index));
    }
    return result;
}

const QStringList kSearches = {
    "paint",         "straße märkte",        "zeppelin", "firm other", "é",
    "grösse GRÖSSE", "nothing-matches-this", "ar to"};

} // namespace

class SearchWorkersTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TProject> loaded(const QString& menu, const QString& cdFolder);
    QTemporaryDir m_dir;
    QString m_generatedMenu;

private slots:
    void initTestCase();
    void sameRowsWithAndWithoutWorkersAndWarmUp_data();
    void sameRowsWithAndWithoutWorkersAndWarmUp();
    void editedDescriptionIsReadAgainAfterWarmUp();
    void warmUpStopsAtTheBudgetKeepingWhatItHas();
    void cancelledSearchGivesNoResult();
    void stoppingLeavesNoThread();
};

std::unique_ptr<TProject> SearchWorkersTest::loaded(const QString& menu, const QString& cdFolder)
{
    auto project = std::make_unique<TProject>();
    if (project->LoadMenuFile(menu, cdFolder))
        qFatal("cannot load the menu file");
    return project;
}

void SearchWorkersTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_generatedMenu = m_dir.filePath("generated.qmf");
    writeFixtureFile(m_generatedMenu, writeGeneratedDisc(m_dir.path(), 600));
}

void SearchWorkersTest::sameRowsWithAndWithoutWorkersAndWarmUp_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("cdFolder");
    QTest::newRow("demo disc") << kExamples + "/program/quillomat.qmf" << kExamples + "/disc";
    QTest::newRow("generated disc") << m_generatedMenu << m_dir.path();
}

void SearchWorkersTest::sameRowsWithAndWithoutWorkersAndWarmUp()
{
    QFETCH(QString, menu);
    QFETCH(QString, cdFolder);
    const auto oneThread = loaded(menu, cdFolder);
    const auto workers = loaded(menu, cdFolder);
    const auto warmed = loaded(menu, cdFolder);
    warmed->startDescriptionWarmUp();
    QVERIFY(warmed->descriptionWarmUp()->wait(20000));
    QVERIFY(warmed->descriptionCache().entryCount() > 0);
    int found = 0;
    for (const QString& text : kSearches) {
        RecordingRowList expected, parallel, afterWarmUp;
        oneThread->Search(expected, text, SearchControl{1});
        workers->Search(parallel, text, SearchControl{5});
        warmed->Search(afterWarmUp, text);
        QCOMPARE(rowsOf(*workers, parallel), rowsOf(*oneThread, expected));
        QCOMPARE(rowsOf(*warmed, afterWarmUp), rowsOf(*oneThread, expected));
        found += expected.rows.front().package != nullptr;
    }
    QVERIFY(found >= 3); // the texts find something on either disc
}

void SearchWorkersTest::editedDescriptionIsReadAgainAfterWarmUp()
{
    QTemporaryDir disc;
    writeFixtureFile(disc.filePath("menu.qmf"), "[Notes]\nTextFile=notes.txt\n[Other]\n");
    writeFixtureFile(disc.filePath("notes.txt"), "about gliders");
    const auto project = loaded(disc.filePath("menu.qmf"), disc.path());
    project->startDescriptionWarmUp();
    QVERIFY(project->descriptionWarmUp()->wait(5000));
    QCOMPARE(project->descriptionCache().entryCount(), 1);

    writeFixtureFile(disc.filePath("notes.txt"), "about kites!");
    RecordingRowList rows;
    project->Search(rows, "kites");
    QCOMPARE(rows.rows.front().caption, QStringLiteral("Notes"));
    project->Search(rows, "gliders");
    QCOMPARE(rows.rows.front().package, nullptr);
}

void SearchWorkersTest::warmUpStopsAtTheBudgetKeepingWhatItHas()
{
    QTemporaryDir disc;
    QStringList paths;
    std::vector<TAppDescription> packages(10);
    std::vector<const TAppDescription*> inOrder;
    for (TAppDescription& package : packages) {
        paths.append(disc.filePath(QString::number(paths.size())));
        writeFixtureFile(paths.back(), QByteArray(100, 'a'));
        package.setFiles(nullptr, {QStringView(), paths.back(), QStringView()});
        inOrder.push_back(&package);
    }
    DescriptionTextCache cache([](QByteArrayView bytes) { return QString::fromLatin1(bytes); },
                               350);
    ReadPrecedence precedence;
    DescriptionWarmUp warmUp(cache, precedence, inOrder);
    QVERIFY(warmUp.wait(5000));
    QCOMPARE(cache.entryCount(), 3);
    QCOMPARE(cache.keptBytes(), 300);
    QCOMPARE(warmUp.filesDone(), 3);
    // A search past the budget still reads what it needs, without keeping it.
    QCOMPARE(cache.upperCasedText(paths.back()), QByteArray(100, 'A'));
    QCOMPARE(cache.entryCount(), 3);
}

void SearchWorkersTest::cancelledSearchGivesNoResult()
{
    const auto project = loaded(m_generatedMenu, m_dir.path());
    const std::atomic<bool> cancelled{true};
    QCOMPARE(project->searchMatches("paint", SearchControl{0, &cancelled}), std::nullopt);
    QCOMPARE(project->descriptionCache().entryCount(), 0);
}

void SearchWorkersTest::stoppingLeavesNoThread()
{
    const int before = threadCount();
    {
        // Many files, and a foreground read that holds the warm-up back: it is stopped while it
        // waits.
        const auto project = loaded(m_generatedMenu, m_dir.path());
        project->startDescriptionWarmUp();
        QVERIFY(project->descriptionWarmUp()->isRunning() ||
                project->descriptionWarmUp()->filesDone() > 0);
        const ForegroundRead pane(project->readPrecedence());
        project->stopDescriptionWarmUp();
        QCOMPARE(project->descriptionWarmUp(), nullptr);
        // Destroyed while warming.
        project->startDescriptionWarmUp();
    }
    QVERIFY(threadsBackTo(before));
    const auto project = loaded(m_generatedMenu, m_dir.path());
    RecordingRowList rows;
    project->Search(rows, "paint", SearchControl{4});
    QVERIFY(threadsBackTo(before));
}

QTEST_GUILESS_MAIN(SearchWorkersTest)
#include "tst_searchworkers.moc"

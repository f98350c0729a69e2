#include "TestFiles.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

QStringList captions(const RecordingRowList& list)
{
    QStringList result;
    for (const auto& row : list.rows)
        result.append(row.caption);
    return result;
}

// Four packages, three categories (Tools twice), two companies; descriptions in plain text.
const QByteArray kMenu = "[Paint Studio]\nCompany=Brightline\nCategory=Graphics\n"
                         "TextFile=paint.txt\n"
                         "[archiver]\nCompany=brightline\nCategory=Tools\nTextFile=missing.txt\n"
                         "[Notes]\nCategory=tools\nTextFile=notes.txt\n"
                         "[Zip]\nCompany=Acme\nCategory=Archive\nTextFile=zip.rtf\n";

} // namespace

class CatalogueViewsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TProject> loaded(const QByteArray& menu);
    QTemporaryDir m_dir;

private slots:
    void initTestCase();
    void sortByEntriesFollowGroupCounts_data();
    void sortByEntriesFollowGroupCounts();
    void filterList_data();
    void filterList();
    void applicationList_data();
    void applicationList();
    void emptyCatalogueListsNothing();
    void search_data();
    void search();
    void searchSeesChangedDescription();
};

std::unique_ptr<TProject> CatalogueViewsTest::loaded(const QByteArray& menu)
{
    const QString path = m_dir.filePath(QStringLiteral("menu.qmf"));
    writeFixtureFile(path, menu);
    auto project = std::make_unique<TProject>();
    if (project->LoadMenuFile(path, m_dir.path()))
        qFatal("cannot load the menu file");
    return project;
}

void CatalogueViewsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeFixtureFile(m_dir.filePath(QStringLiteral("paint.txt")), "Draws layered Pictures.");
    writeFixtureFile(m_dir.filePath(QStringLiteral("notes.txt")), "A jotter\tfor memos.");
    writeFixtureFile(
        m_dir.filePath(QStringLiteral("zip.rtf")),
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\b Packs\\b0  f\\'fcr M\\'e4rkte\\par}");
}

void CatalogueViewsTest::sortByEntriesFollowGroupCounts_data()
{
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one category, one company")
        << QByteArray("[A]\nCategory=c\nCompany=x\n[B]\nCategory=C\nCompany=X\n")
        << QStringList{"name", "search..."};
    QTest::newRow("one category, three companies")
        << QByteArray("[A]\nCategory=c\nCompany=x\n[B]\nCategory=c\nCompany=y\n[C]\nCategory=c\n")
        << QStringList{"name", "company", "search..."};
    QTest::newRow("both") << kMenu << QStringList{"name", "category", "company", "search..."};
}

void CatalogueViewsTest::sortByEntriesFollowGroupCounts()
{
    QFETCH(QByteArray, menu);
    QFETCH(QStringList, entries);
    RecordingChoiceBox box;
    loaded(menu)->FillSortByList(box);
    QCOMPARE(box.entries, entries);
}

void CatalogueViewsTest::filterList_data()
{
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<SortMode>("mode");
    QTest::addColumn<bool>("visibleBefore");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("name hides") << kMenu << SortMode::SortByName << true << QStringList{} << false
                                << false;
    QTest::newRow("categories sorted")
        << kMenu << SortMode::SortByCategory << false << QStringList{"Archive", "Graphics", "Tools"}
        << true << true;
    QTest::newRow("companies sorted") << kMenu << SortMode::SortByCompany << false
                                      << QStringList{"Acme", "Brightline", "other"} << true << true;
    QTest::newRow("single category listed but hidden")
        << QByteArray("[A]\nCategory=Tools\n") << SortMode::SortByCategory << true
        << QStringList{"Tools"} << false << false;
    QTest::newRow("search keeps hidden")
        << kMenu << SortMode::SortBySearch << false << QStringList{} << false << false;
    QTest::newRow("search keeps shown")
        << kMenu << SortMode::SortBySearch << true << QStringList{} << true << true;
}

void CatalogueViewsTest::filterList()
{
    QFETCH(QByteArray, menu);
    QFETCH(SortMode, mode);
    QFETCH(bool, visibleBefore);
    QFETCH(QStringList, entries);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    RecordingChoiceBox box;
    box.entries = QStringList{"stale"};
    box.visible = visibleBefore;
    box.enabled = !visibleBefore;
    loaded(menu)->FillFilterList(box, mode);
    QCOMPARE(box.entries, entries);
    QCOMPARE(box.visible, visible);
    QCOMPARE(box.enabled, enabled);
}

void CatalogueViewsTest::applicationList_data()
{
    QTest::addColumn<SortMode>("mode");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("rows");
    const QStringList all{"Paint Studio", "archiver", "Notes", "Zip"};
    QTest::newRow("name") << SortMode::SortByName << "" << all;
    QTest::newRow("name ignores filter") << SortMode::SortByName << "Tools" << all;
    QTest::newRow("first category") << SortMode::SortByCategory << "" << QStringList{"Zip"};
    QTest::newRow("category in any case")
        << SortMode::SortByCategory << "tOOLS" << QStringList{"archiver", "Notes"};
    QTest::newRow("unknown category shows all") << SortMode::SortByCategory << "Games" << all;
    QTest::newRow("first company") << SortMode::SortByCompany << "" << QStringList{"Zip"};
    QTest::newRow("company") << SortMode::SortByCompany << "BRIGHTLINE"
                             << QStringList{"Paint Studio", "archiver"};
    QTest::newRow("missing company") << SortMode::SortByCompany << "other" << QStringList{"Notes"};
    QTest::newRow("search mode lists nothing") << SortMode::SortBySearch << "" << QStringList{};
}

void CatalogueViewsTest::applicationList()
{
    QFETCH(SortMode, mode);
    QFETCH(QString, filter);
    QFETCH(QStringList, rows);
    const auto project = loaded(kMenu);
    RecordingRowList list;
    list.appendRow(QStringLiteral("stale"), nullptr);
    project->FillApplicationList(list, mode, filter);
    QCOMPARE(captions(list), rows);
    for (const auto& row : list.rows)
        QCOMPARE(row.package->Name, row.caption);
}

void CatalogueViewsTest::emptyCatalogueListsNothing()
{
    const auto project = loaded("[!Quillomat menu file generator]\nCDFolder=/cd\n");
    for (SortMode mode : {SortMode::SortByName, SortMode::SortByCategory, SortMode::SortByCompany,
                          SortMode::SortBySearch}) {
        RecordingRowList list;
        project->FillApplicationList(list, mode, QString());
        QCOMPARE(list.rowCount(), 0);
        RecordingChoiceBox box;
        project->FillFilterList(box, mode);
        QCOMPARE(box.entryCount(), 0);
    }
}

void CatalogueViewsTest::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    const QStringList none{"Cannot find find any match"};
    QTest::newRow("empty text") << "" << none;
    QTest::newRow("spaces only") << "   " << none;
    QTest::newRow("spaces separate words")
        << "  paint   zip " << QStringList{"Paint Studio", "Zip"};
    QTest::newRow("tab belongs to the word") << "paint\tzip" << none;
    QTest::newRow("substring without boundary") << "INT" << QStringList{"Paint Studio"};
    QTest::newRow("category") << "tools" << QStringList{"archiver", "Notes"};
    QTest::newRow("company") << "acme" << QStringList{"Zip"};
    QTest::newRow("description ignoring case") << "layered" << QStringList{"Paint Studio"};
    QTest::newRow("tab inside description") << "jotter\tfor" << QStringList{"Notes"};
    QTest::newRow("missing description no error") << "arch" << QStringList{"archiver", "Zip"};
    QTest::newRow("text of an rtf description")
        << QString::fromUtf8("FÜR märkte") << QStringList{"Zip"};
    QTest::newRow("rtf markup unseen") << "fswiss rtf1" << none;
    QTest::newRow("missing category or company") << "other" << QStringList{"Notes"};
    QTest::newRow("each package once, in catalogue order")
        << "zip notes paint zip studio" << QStringList{"Paint Studio", "Notes", "Zip"};
}

void CatalogueViewsTest::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    const auto project = loaded(kMenu);
    RecordingRowList list;
    list.appendRow(QStringLiteral("stale"), nullptr);
    project->Search(list, text);
    QCOMPARE(captions(list), rows);
    for (const auto& row : list.rows)
        QCOMPARE(row.package == nullptr,
                 rows.front() == QStringLiteral("Cannot find find any match"));
}

void CatalogueViewsTest::searchSeesChangedDescription()
{
    const QString notes = m_dir.filePath(QStringLiteral("notes.txt"));
    const auto project = loaded(kMenu);
    RecordingRowList list;
    project->Search(list, QStringLiteral("memos"));
    QCOMPARE(captions(list), QStringList{"Notes"});

    // Same size, new content, modification time put back: still seen as changed.
    QFile file(notes);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    file.write("A jotter\tfor MEMES.");
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    project->Search(list, QStringLiteral("memos"));
    QCOMPARE(list.rows.front().package, nullptr);
    project->Search(list, QStringLiteral("memes"));
    QCOMPARE(captions(list), QStringList{"Notes"});

    writeFixtureFile(notes, "A jotter\tfor memos.");
}

QTEST_GUILESS_MAIN(CatalogueViewsTest)
#include "tst_catalogueviews.moc"

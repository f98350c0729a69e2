// The window's keyword search runs off the GUI thread: the list keeps its rows and shows a busy
// cursor meanwhile, a second Enter is ignored, Escape cancels, and closing the window stops it.

#include "AppTestHelpers.h"
#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "app/SearchRunner.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/DescriptionWarmUp.h"
#include "catalogue/RecordingViews.h"
#include "controls/TFlatComboBox.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

constexpr int kPackages = 300;

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

} // namespace

class SearchRunnerTest : public QObject
{
    Q_OBJECT

private:
    void startSearch(const QString& text);
    QLineEdit* searchEdit() const { return m_form->sortFilterComboBox()->lineEdit(); }
    QStringList expectedRows(const QString& text) const;

    QTemporaryDir m_program;
    QTemporaryDir m_disc;
    std::unique_ptr<TMain_Form> m_form;

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_form.reset(); }
    void warmUpStartsAfterFirstPaint();
    void searchRunsWhileTheWindowAnswers();
    void escapeCancelsAndKeepsTheList();
    void leavingSearchModeCancels();
    void closingDuringSearchLeavesNoThread();
};

void SearchRunnerTest::initTestCase()
{
    QByteArray menu;
    for (int i = 0; i < kPackages; ++i) {
        const QByteArray n = QByteArray::number(i);
        menu += "[Package " + n + "]\nTextFile=d\\" + n + ".txt\n";
        writeFile(m_disc.filePath("d/" + n + ".txt"),
                  QByteArray(2000, 'x') + (i % 10 == 3 ? " glider" : " kite"));
    }
    writeFile(m_program.filePath("quillomat.qmf"), menu);
    writeFile(m_program.filePath("lang.ini"), "[English]\n");
}

void SearchRunnerTest::init()
{
    m_form = std::make_unique<TMain_Form>();
    QVERIFY(m_form->FormCreate({"/TEST", m_disc.path()}, m_program.path() + '/'));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void SearchRunnerTest::startSearch(const QString& text)
{
    const int index = m_form->sortByComboBox()->findText("search...");
    m_form->sortByComboBox()->setCurrentIndex(index);
    emit m_form->sortByComboBox()->activated(index);
    searchEdit()->setText(text);
    QTest::keyClick(searchEdit(), Qt::Key_Return);
}

QStringList SearchRunnerTest::expectedRows(const QString& text) const
{
    RecordingRowList rows;
    m_form->project()->Search(rows, text, SearchControl{1});
    QStringList captions;
    for (const auto& row : rows.rows)
        captions.append(row.caption);
    captions.sort();
    return captions;
}

void SearchRunnerTest::warmUpStartsAfterFirstPaint()
{
    QVERIFY(QTest::qWaitFor([&] { return m_form->project()->descriptionWarmUp() != nullptr; }));
    QVERIFY(m_form->project()->descriptionWarmUp()->wait(20000));
    QCOMPARE(m_form->project()->descriptionCache().entryCount(), kPackages);
}

void SearchRunnerTest::searchRunsWhileTheWindowAnswers()
{
    PackageListView* list = m_form->quillzListView();
    QVERIFY(QTest::qWaitFor([&] { return m_form->project()->descriptionWarmUp() != nullptr; }));
    const DescriptionWarmUp* warmUp = m_form->project()->descriptionWarmUp();
    startSearch("glider");
    // The result arrives through the event loop, so the search is still on here.
    QCOMPARE(list->cursor().shape(), Qt::BusyCursor);
    QTest::keyClick(searchEdit(), Qt::Key_Return); // a second Enter: ignored
    m_form->repaint(); // the window paints meanwhile, and that starts no second warm-up
    QTest::qWait(20);
    QCOMPARE(m_form->project()->descriptionWarmUp(), warmUp);
    QVERIFY(QTest::qWaitFor([&] { return list->count() > 0; }, 20000));
    QVERIFY(!m_form->searchRunner()->isRunning()); // the second Enter started nothing
    QCOMPARE(list->cursor().shape(), Qt::ArrowCursor);
    QStringList shown = captionsOf(list);
    shown.sort();
    QCOMPARE(shown, expectedRows("glider"));
    QCOMPARE(shown.size(), kPackages / 10);
    QCOMPARE(searchEdit()->selectedText(), QStringLiteral("glider"));

    // The next search replaces the rows.
    QTest::keyClicks(searchEdit(), "package 7");
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    QVERIFY(QTest::qWaitFor([&] { return list->cursor().shape() == Qt::ArrowCursor; }, 20000));
    shown = captionsOf(list);
    shown.sort();
    QCOMPARE(shown, expectedRows("package 7"));
}

void SearchRunnerTest::escapeCancelsAndKeepsTheList()
{
    PackageListView* list = m_form->quillzListView();
    startSearch("glider");
    QVERIFY(QTest::qWaitFor([&] { return list->count() > 0; }, 20000));
    const QStringList before = captionsOf(list);

    searchEdit()->setText("kite");
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    QCOMPARE(list->cursor().shape(), Qt::BusyCursor);
    QTest::keyClick(searchEdit(), Qt::Key_Escape);
    QCOMPARE(list->cursor().shape(), Qt::ArrowCursor);
    QTest::qWait(50); // a result in flight would arrive now
    QCOMPARE(captionsOf(list), before);
}

void SearchRunnerTest::leavingSearchModeCancels()
{
    startSearch("kite");
    const int index = m_form->sortByComboBox()->findText("name");
    m_form->sortByComboBox()->setCurrentIndex(index);
    emit m_form->sortByComboBox()->activated(index);
    QTest::qWait(50);
    QCOMPARE(m_form->quillzListView()->count(), kPackages);
}

void SearchRunnerTest::closingDuringSearchLeavesNoThread()
{
    m_form.reset();
    QTest::qWait(10);
    const int before = threadCount();
    init();
    startSearch("kite");
    m_form->close();
    m_form.reset();
    QVERIFY(QTest::qWaitFor([&] { return threadCount() <= before; }, 2000));
}

QTEST_MAIN(SearchRunnerTest)
#include "tst_searchrunner.moc"

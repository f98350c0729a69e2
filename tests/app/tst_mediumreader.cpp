// The window's reader of the medium and the order among the medium's readers, with reads that
// block until the test lets them go: no medium and no timing involved.
#include "app/MediumReader.h"
#include "catalogue/ReadPrecedence.h"

#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace quillomat;

namespace {

// A read that waits until the test opens the gate, and counts how often reads started.
class Gate
{
public:
    void open()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }
    void pass()
    {
        std::unique_lock lock(m_mutex);
        ++m_entered;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    bool waitForEntered(int count)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20),
                                  [&] { return m_entered >= count; });
    }
    int entered()
    {
        const std::lock_guard lock(m_mutex);
        return m_entered;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    int m_entered = 0;
};

// A read of the user on its own reader, held at a gate until the test opens it.
struct HeldUserRead
{
    HeldUserRead()
    {
        reader.setPrecedence(&precedence);
        reader.request([this]() -> MediumReader::Apply {
            gate.pass();
            return {};
        });
    }
    ReadPrecedence precedence;
    Gate gate;
    MediumReader reader{QStringLiteral("test")};
};

} // namespace

class MediumReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void windowAnswersWhileAReadStalls();
    void onlyTheNewestRequestIsReadAndShown();
    void cancelDropsTheReadInHand();
    void userReadsHoldBackgroundReadersBack();
    void searchOnTheWindowsThreadGetsItsTurn();
    void backgroundReadersNeverBlockEachOther();
};

void MediumReaderTest::windowAnswersWhileAReadStalls()
{
    Gate gate;
    MediumReader reader(QStringLiteral("test"));
    bool shown = false;
    reader.request([&]() -> MediumReader::Apply {
        gate.pass();
        return [&] { shown = true; };
    });
    QVERIFY(gate.waitForEntered(1));
    // The read stalls; an event posted now is handled before it ends.
    bool handled = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { handled = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(handled);
    QVERIFY(reader.isBusy());
    QVERIFY(!shown);
    gate.open();
    QTRY_VERIFY(!reader.isBusy());
    QVERIFY(shown);
}

void MediumReaderTest::onlyTheNewestRequestIsReadAndShown()
{
    Gate gate;
    MediumReader reader(QStringLiteral("test"));
    QStringList shown;
    const auto requestRow = [&](int row) {
        reader.request([&gate, &shown, row]() -> MediumReader::Apply {
            gate.pass();
            return [&shown, row] { shown.append(QString::number(row)); };
        });
    };
    // Holding Down through 200 rows while the first read stalls.
    requestRow(0);
    QVERIFY(gate.waitForEntered(1));
    for (int row = 1; row < 200; ++row)
        requestRow(row);
    gate.open();
    QTRY_VERIFY(!reader.isBusy());
    QCOMPARE(gate.entered(), 2);
    QCOMPARE(shown, QStringList{"199"});
}

void MediumReaderTest::cancelDropsTheReadInHand()
{
    Gate gate;
    MediumReader reader(QStringLiteral("test"));
    bool shown = false;
    int settled = 0;
    connect(&reader, &MediumReader::settled, this, [&] { ++settled; });
    reader.request([&]() -> MediumReader::Apply {
        gate.pass();
        return [&] { shown = true; };
    });
    QVERIFY(gate.waitForEntered(1));
    reader.cancel(); // a message replaced the pane meanwhile
    gate.open();
    QTRY_VERIFY(!reader.isBusy());
    QVERIFY(!shown);
    QCOMPARE(settled, 1);
}

void MediumReaderTest::userReadsHoldBackgroundReadersBack()
{
    HeldUserRead user;
    auto& [precedence, gate, reader] = user;
    QVERIFY(precedence.userWaiting());
    // A search worker asks for the head while the user's read is pending: it waits.
    std::atomic<bool> searchRead{false};
    const std::atomic<bool> never{false};
    std::thread search([&] {
        const auto head = precedence.takeHead(never, ReadPrecedence::Rank::Search);
        searchRead = true;
    });
    QVERIFY(gate.waitForEntered(1));
    QVERIFY(!searchRead.load());
    gate.open();
    QTRY_VERIFY(!reader.isBusy());
    QVERIFY(!precedence.userWaiting());
    search.join();
    QVERIFY(searchRead.load());
}

void MediumReaderTest::searchOnTheWindowsThreadGetsItsTurn()
{
    // A small catalogue is searched on the window's thread: the search's turn must come when
    // the read is done, without the window's thread showing the result first.
    HeldUserRead user;
    auto& [precedence, gate, reader] = user;
    QVERIFY(gate.waitForEntered(1));
    gate.open();
    const std::atomic<bool> never{false};
    const auto head = precedence.takeHead(never, ReadPrecedence::Rank::Search);
    QVERIFY(!precedence.userWaiting());
}

void MediumReaderTest::backgroundReadersNeverBlockEachOther()
{
    // The warm-up asks for the head while a search runs; the search's workers must still get
    // it, and the warm-up gets it once the search is over.
    ReadPrecedence precedence;
    const std::atomic<bool> never{false};
    precedence.begin(ReadPrecedence::Rank::Search);
    std::atomic<bool> warmUpRead{false};
    std::thread warmUp([&] {
        const auto head = precedence.takeHead(never, ReadPrecedence::Rank::Background);
        warmUpRead = true;
    });
    for (int file = 0; file < 50; ++file) {
        std::thread worker(
            [&] { const auto head = precedence.takeHead(never, ReadPrecedence::Rank::Search); });
        worker.join();
    }
    QVERIFY(!warmUpRead.load());
    precedence.end(ReadPrecedence::Rank::Search);
    warmUp.join();
    QVERIFY(warmUpRead.load());
}

QTEST_GUILESS_MAIN(MediumReaderTest)
#include "tst_mediumreader.moc"

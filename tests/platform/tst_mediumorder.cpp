// The order in which many files are read with few seeks.
#include "TestFiles.h"
#include "platform/MediumOrder.h"
#include "platform/ResidentProgram.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace quillomat;

class MediumOrderTest : public QObject
{
    Q_OBJECT

private slots:
    void followsTheMediumNotTheGivenOrder();
    void programOnTheSystemVolumeIsLeftAlone();
};

void MediumOrderTest::followsTheMediumNotTheGivenOrder()
{
    QTemporaryDir disc;
    for (int i = 0; i < 20; ++i)
        writeFixtureFile(disc.filePath(QStringLiteral("texts/p%1.txt").arg(i)),
                         QByteArray(3000, 'a'));
    const QString texts = disc.filePath(QStringLiteral("texts"));
    QStringList listed = QDir(texts).entryList(QDir::Files, QDir::Unsorted);
    for (QString& name : listed)
        name = texts + '/' + name;
    // Given against the directory's order, with a file that is not there.
    QStringList paths = listed;
    std::reverse(paths.begin(), paths.end());
    paths.insert(3, texts + QStringLiteral("/gone.txt"));

    const std::vector<std::size_t> order = orderOnMedium(paths);
    QCOMPARE(order.size(), std::size_t(paths.size()));
    QCOMPARE(order.back(), std::size_t(3)); // not found: last
    QStringList read;
    for (std::size_t index = 0; index + 1 < order.size(); ++index)
        read.append(paths[qsizetype(order[index])]);
    const bool placed = std::all_of(listed.cbegin(), listed.cend(), [](const QString& path) {
        return physicalOffset(path).has_value();
    });
    if (!placed) {
        QCOMPARE(read, listed); // the directory's order
        return;
    }
    for (qsizetype i = 1; i < read.size(); ++i)
        QVERIFY(*physicalOffset(read[i - 1]) <= *physicalOffset(read[i]));
}

QTEST_GUILESS_MAIN(MediumOrderTest)
// Holding a program that shares the system's volume would lock the system's own libraries into
// the process for nothing: that medium cannot be pulled while the system runs.
void MediumOrderTest::programOnTheSystemVolumeIsLeftAlone()
{
    const ResidentProgramReport held = keepProgramInMemory(QDir::rootPath());
    QCOMPARE(held.regions, 0);
    QCOMPARE(held.bytes, qint64(0));
}

#include "tst_mediumorder.moc"

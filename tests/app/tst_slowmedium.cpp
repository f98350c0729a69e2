// The window over a slow, scratched or pulled medium (a FUSE file system with one read head,
// bench/medium/). scripts/ci-medium.sh writes the disc with --write-disc, mounts it, copies this
// program onto it and runs it from there, so that pulling the medium also takes the program's
// own file away. The tests run in their order; the last one pulls the medium.
//   tst_slowmedium --write-disc FOLDER
//   QUILLOMAT_MEDIUM=MOUNT QUILLOMAT_MEDIUM_CONTROL=FILE QUILLOMAT_MEDIUM_STATS=FILE tst_slowmedium
#include "AppTestHelpers.h"
#include "app/PackageListView.h"
#include "app/SearchRunner.h"
#include "catalogue/TProject.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/PreviewWindow.h"
#include "platform/ResidentProgram.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTextEdit>

#include <cstdio>

#include <sys/mman.h>

using namespace quillomat;

namespace {

constexpr int kPackages = 240;
constexpr qsizetype kDescriptionBytes = 8192;
const QByteArray kWord = "marmalade";

QString caption(int package)
{
    return QStringLiteral("Package %1").arg(package, 3, 10, QLatin1Char('0'));
}

QByteArray description(int package)
{
    QByteArray text = caption(package).toUtf8() + ' ' + kWord + '\n';
    while (text.size() < kDescriptionBytes)
        text += "Spread thin over the toast of a long afternoon. ";
    return text.left(kDescriptionBytes);
}

// 240 packages with 8 KB plain-text descriptions that all hold kWord; a few have a picture and
// a run file.
bool writeDisc(const QString& folder)
{
    if (!QDir().mkpath(folder + "/shots"))
        return false;
    QByteArray menu;
    for (int package = 0; package < kPackages; ++package) {
        const QByteArray number = QByteArray::number(package).rightJustified(3, '0');
        menu += "[" + caption(package).toUtf8() + "]\r\nCategory=Spreads\r\nTextFile=texts\\p" +
                number + ".txt\r\nBitmap=shots\\p" + number + ".jpg\r\nRunFile=setup\\p" + number +
                ".sh\r\n";
        writeFixtureFile(folder + "/texts/p" + number + ".txt", description(package));
        writeFixtureFile(folder + "/setup/p" + number + ".sh", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(folder + "/setup/p" + number + ".sh",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadOther | QFile::ExeOther);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        if (!picture.save(folder + "/shots/p" + number + ".jpg", "JPEG"))
            return false;
    }
    writeFixtureFile(folder + "/quillomat.qmf", menu);
    writeFixtureFile(folder + "/lang.ini", "[English]\r\n");
    return true;
}

// What the kernel does under memory pressure: the pages of this program's file that are not
// locked or copied are dropped, so that the next touch reads the medium again. Returns how many
// regions were asked.
int dropProgramPages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    int regions = 0;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (!line.endsWith(' ' + program))
            continue;
        const QList<QByteArray> range = line.left(line.indexOf(' ')).split('-');
        const quintptr start = range.value(0).toULongLong(nullptr, 16);
        const quintptr end = range.value(1).toULongLong(nullptr, 16);
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_PAGEOUT);
        ++regions;
    }
    return regions;
}

} // namespace

class SlowMediumTest : public QObject
{
    Q_OBJECT

private:
    void control(const QJsonObject& settings);
    QJsonObject stats() const;
    void resetStats();
    void select(int package);
    QString paneText() const { return m_form->descriptionRichEdit()->toPlainText(); }
    QString mediumPath(const QString& relative) const { return m_medium + '/' + relative; }

    QString m_medium, m_controlFile, m_statsFile;
    std::unique_ptr<TMain_Form> m_form;
    QStringList m_errors;
    QStringList m_previews;
    int m_resets = 0;
    int m_stalls = 0;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowAnswersDuringAStalledRead();
    void holdingDownReadsTheLastRowOnly();
    void failingReadsGiveEachActionsError();
    void searchSkipsDescriptionsThatFail();
    void pulledMediumLeavesTheProgramRunning();
};

void SlowMediumTest::initTestCase()
{
    m_medium = qEnvironmentVariable("QUILLOMAT_MEDIUM");
    m_controlFile = qEnvironmentVariable("QUILLOMAT_MEDIUM_CONTROL");
    m_statsFile = qEnvironmentVariable("QUILLOMAT_MEDIUM_STATS");
    if (m_medium.isEmpty() || m_controlFile.isEmpty() || m_statsFile.isEmpty())
        QSKIP("no slow medium mounted: scripts/ci-medium.sh mounts one and runs this test");
    control({});
    setErrorBoxHook([this](QWidget*, const QString& message) { m_errors.append(message); });
    setPreviewWindowHook([this](QWidget*, const QString& title, const QImage& image) {
        m_previews.append(
            QStringLiteral("%1 %2x%3").arg(title).arg(image.width()).arg(image.height()));
        return 2;
    });
    m_form = std::make_unique<TMain_Form>();
    QVERIFY(m_form->FormCreate({"/TEST", m_medium}, m_medium + '/'));
    // No warm-up: the tests count the medium's reads, and the search must read for itself.
    m_form->project()->setDescriptionCacheBudget(0);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(settled(*m_form));
}

void SlowMediumTest::cleanupTestCase()
{
    m_form.reset();
    setErrorBoxHook({});
    setPreviewWindowHook({});
}

void SlowMediumTest::control(const QJsonObject& settings)
{
    QJsonObject all = settings;
    all["reset"] = m_resets;
    all["stall_id"] = m_stalls;
    writeFixtureFile(m_controlFile, QJsonDocument(all).toJson());
}

QJsonObject SlowMediumTest::stats() const
{
    QFile file(m_statsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

void SlowMediumTest::resetStats()
{
    ++m_resets;
    control({});
}

void SlowMediumTest::select(int package)
{
    const auto items = m_form->quillzListView()->findItems(caption(package), Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    m_form->quillzListView()->setCurrentItem(items.front());
}

void SlowMediumTest::windowAnswersDuringAStalledRead()
{
    ++m_stalls;
    control({{"stall_s", 3.0}});
    select(200);
    bool handled = false;
    QMetaObject::invokeMethod(
        m_form.get(), [&] { handled = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(handled);
    QVERIFY(m_form->paneReader()->isBusy()); // the read was still stalled
    QVERIFY(settled(*m_form));
    QVERIFY(paneText().startsWith(caption(200) + ' ' + kWord));
}

void SlowMediumTest::holdingDownReadsTheLastRowOnly()
{
    select(0);
    QVERIFY(settled(*m_form));
    resetStats();
    // A drive spinning up: every press comes while the first read still waits.
    ++m_stalls;
    control({{"stall_s", 2.0}});
    m_form->quillzListView()->setFocus();
    for (int press = 0; press < 199; ++press)
        QTest::keyClick(m_form->quillzListView(), Qt::Key_Down);
    QCOMPARE(m_form->quillzListView()->currentItem()->text(), caption(199));
    QVERIFY(settled(*m_form));
    QVERIFY(paneText().startsWith(caption(199) + ' ' + kWord));
    const int files = stats().value("files").toInt();
    QVERIFY2(files >= 1 && files <= 3, qPrintable(QStringLiteral("%1 files read").arg(files)));
}

void SlowMediumTest::failingReadsGiveEachActionsError()
{
    control({{"eio", QJsonArray{"texts/p210.txt", "shots/p211.jpg", "setup/p212.sh"}}});
    m_errors.clear();
    select(210);
    QVERIFY(settled(*m_form));
    QCOMPARE(paneText(),
             QStringLiteral("Cannot open file \"%1\".").arg(mediumPath("texts/p210.txt")));
    QVERIFY(m_errors.isEmpty());

    select(211);
    m_form->previewExtSpeedButton()->click();
    m_form->previewExtSpeedButton()->click(); // while the first is read: no second window
    QVERIFY(settled(*m_form));
    QCOMPARE(m_errors,
             QStringList{QStringLiteral("Cannot open \"%1\" or it has got an unknown extension.")
                             .arg(mediumPath("shots/p211.jpg"))});
    QVERIFY(m_previews.isEmpty());

    m_errors.clear();
    select(212);
    m_form->setupExtSpeedButton()->click();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.front().contains(mediumPath("setup/p212.sh")), qPrintable(m_errors.front()));

    // The picture of a sound package still shows, once.
    m_errors.clear();
    select(213);
    m_form->previewExtSpeedButton()->click();
    m_form->previewExtSpeedButton()->click();
    QVERIFY(settled(*m_form));
    QCOMPARE(m_previews, QStringList{"Quillomat - Preview - Package 213 40x30"});
    QVERIFY(m_errors.isEmpty());
}

void SlowMediumTest::searchSkipsDescriptionsThatFail()
{
    // A tenth of the descriptions cannot be read.
    control({{"eio", QJsonArray{"texts/p*0.txt"}}});
    const int searchEntry = m_form->sortByComboBox()->findText(QStringLiteral("search..."));
    QVERIFY(searchEntry >= 0);
    m_form->sortByComboBox()->setCurrentIndex(searchEntry);
    emit m_form->sortByComboBox()->activated(searchEntry);
    QSignalSpy finished(m_form->searchRunner(), &SearchRunner::finished);
    QVERIFY(m_form->searchRunner()->start(QString::fromLatin1(kWord)));
    QVERIFY(finished.wait(60000));
    const QStringList found = captionsOf(m_form->quillzListView());
    QStringList expected;
    for (int package = 0; package < kPackages; ++package) {
        if (package % 10 != 0)
            expected.append(caption(package));
    }
    QCOMPARE(found, expected);
}

void SlowMediumTest::pulledMediumLeavesTheProgramRunning()
{
    // What the program does after its first paint, here to its end before the medium goes.
    const ResidentProgramReport held = keepProgramInMemory(QCoreApplication::applicationDirPath());
    std::printf("held in memory: %lld bytes in %d regions (%d copied), %d failed\n",
                static_cast<long long>(held.bytes), held.regions, held.copied, held.failed);
    QVERIFY(held.regions > 0);
    QCOMPARE(held.failed, 0);
    control({{"pulled", true}});
    QVERIFY(dropProgramPages() > 0);

    m_errors.clear();
    m_previews.clear();
    const int nameEntry = m_form->sortByComboBox()->findText(QStringLiteral("name"));
    m_form->sortByComboBox()->setCurrentIndex(nameEntry);
    emit m_form->sortByComboBox()->activated(nameEntry);
    select(220);
    QVERIFY(settled(*m_form));
    QCOMPARE(paneText(),
             QStringLiteral("Cannot open file \"%1\".").arg(mediumPath("texts/p220.txt")));
    m_form->previewExtSpeedButton()->click();
    QVERIFY(settled(*m_form));
    m_form->setupExtSpeedButton()->click();
    QCOMPARE(m_errors.size(), 2);
    QVERIFY(m_previews.isEmpty());

    const int searchEntry = m_form->sortByComboBox()->findText(QStringLiteral("search..."));
    m_form->sortByComboBox()->setCurrentIndex(searchEntry);
    emit m_form->sortByComboBox()->activated(searchEntry);
    QSignalSpy finished(m_form->searchRunner(), &SearchRunner::finished);
    QVERIFY(m_form->searchRunner()->start(QString::fromLatin1(kWord)));
    QVERIFY(finished.wait(60000));
    QCOMPARE(captionsOf(m_form->quillzListView()), QStringList{"Cannot find find any match"});
    m_form->close();
}

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--write-disc") {
        QGuiApplication app(argc, argv); // JPEG pictures need Qt Gui's plugins
        return writeDisc(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    QApplication app(argc, argv);
    SlowMediumTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_slowmedium.moc"

// The window on a slow medium, as a visitor meets it: it runs from the medium (run-medium.sh
// copies it there), shows the disc's packages and, after its first paint, reads the rest of its
// own file into memory in the background. Prints:
//  - the time from process start to the first paint;
//  - the time from selecting a row to its description in the pane, for the first selection
//    after the paint and for rows selected one by one, beside the medium's own time for one
//    description (a seek and the file's bytes);
//  - the longest time the GUI thread was busy while the user moved through the list, asked
//    every millisecond from another thread;
//  - a first search started 10 s after the first paint.
//   quillomat-bench-window-medium MEDIUM_FOLDER STATS_FILE WORD [--no-resident]
// STATS_FILE is the medium's --stats file: its busy time is the medium's own time for a read.

#include "app/Haupt.h"
#include "app/MediumReader.h"
#include "app/PackageListView.h"
#include "app/ProgramInMemory.h"
#include "app/SearchRunner.h"
#include "catalogue/DescriptionWarmUp.h"
#include "catalogue/TProject.h"
#include "controls/TFlatComboBox.h"
#include "search/WindowProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillomat;
using namespace quillomat::bench;

namespace {

// The time the medium's head has been busy so far, in milliseconds.
double mediumBusyMs(const QString& statsFile)
{
    QFile file(statsFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return QJsonDocument::fromJson(file.readAll()).object().value("busy_s").toDouble() * 1000;
}

// Time from now until the pane's reader has shown what it was asked for, in milliseconds.
double untilShown(const TMain_Form& form, const QElapsedTimer& since)
{
    while (form.paneReader()->isBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return double(since.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: quillomat-bench-window-medium MEDIUM STATS_FILE WORD [--no-resident]\n",
                   stderr);
        return 2;
    }
    const QString medium = args[1];
    const QString stats = args[2];
    const bool resident = !args.contains(QStringLiteral("--no-resident"));

    TMain_Form form;
    if (!form.FormCreate({medium + QStringLiteral("/quillomat.qmf")}, medium + u'/'))
        return 1;
    ProgramInMemory inMemory(medium, form.project()->readPrecedence());
    if (resident)
        form.installEventFilter(&inMemory);
    form.show();
    waitForFirstPaint(form);
    const double firstPaintMs = double(sinceStart.nsecsElapsed()) / 1e6;
    QElapsedTimer sincePaint;
    sincePaint.start();
    untilShown(form, sincePaint); // the start-up's own description

    PackageListView& list = *form.quillzListView();
    list.setFocus();
    QElapsedTimer clock;
    clock.start();
    double busyBefore = mediumBusyMs(stats);
    QTest::keyClick(&list, Qt::Key_Down);
    const double firstDescriptionMs = untilShown(form, clock);
    const double firstReadMs = mediumBusyMs(stats) - busyBefore;

    // Moving through the list: rows one by one with a pause to read, then Down held.
    LatencyProbe probe(&form);
    probe.start();
    // Each selection's time to its description beside what the medium itself took meanwhile
    // (its read for the pane and, while they run, those of the warm-up and of the program's
    // own file that the pane had to wait for).
    constexpr int kOneByOne = 20;
    std::vector<double> beyondMs;
    double worstShownMs = 0;
    for (int row = 0; row < kOneByOne; ++row) {
        waitFor(150);
        busyBefore = mediumBusyMs(stats);
        clock.restart();
        QTest::keyClick(&list, Qt::Key_Down);
        const double shownMs = untilShown(form, clock);
        beyondMs.push_back(shownMs - (mediumBusyMs(stats) - busyBefore));
        worstShownMs = std::max(worstShownMs, shownMs);
    }
    std::sort(beyondMs.begin(), beyondMs.end());
    for (int press = 0; press < 30; ++press) {
        QTest::keyClick(&list, Qt::Key_Down);
        waitFor(30); // the keyboard's repeat rate
    }
    clock.restart();
    const double afterHoldMs = untilShown(form, clock);
    waitFor(20);
    const double busyMs = probe.stop();

    // The first search, 10 s after the first paint.
    waitFor(std::max(0, 10000 - int(sincePaint.elapsed())));
    const qsizetype warmed =
        form.project()->descriptionWarmUp() ? form.project()->descriptionWarmUp()->filesDone() : 0;
    const int searchEntry = form.sortByComboBox()->findText(form.project()->GetText("Search"));
    form.sortByComboBox()->setCurrentIndex(searchEntry);
    form.SortBy_ComboBoxChange();
    QEventLoop searched;
    QObject::connect(form.searchRunner(), &SearchRunner::finished, &searched, &QEventLoop::quit);
    form.sortFilterComboBox()->setEditText(args[3]);
    clock.restart();
    form.SortFilter_ComboBoxKeyDown(Qt::Key_Return, Qt::NoModifier);
    if (form.searchRunner()->isRunning())
        searched.exec();
    const double searchMs = double(clock.nsecsElapsed()) / 1e6;

    std::printf("  %s: first paint %.0f ms after start\n",
                resident ? "program held in memory after the paint" : "program not held",
                firstPaintMs);
    std::printf("    first description after the paint: %.0f ms (the medium busy %.0f ms "
                "meanwhile)\n",
                firstDescriptionMs, firstReadMs);
    std::printf("    selection to description, %d rows one by one: beyond the medium's own "
                "time median %.0f ms, at most %.0f ms (goal 50 ms) %s; longest shown %.0f ms\n",
                kOneByOne, beyondMs[beyondMs.size() / 2], beyondMs.back(),
                beyondMs.back() <= 50 ? "met" : "MISSED", worstShownMs);
    std::printf("    last description after Down was held: %.0f ms\n", afterHoldMs);
    std::printf("    GUI thread busy at most %.1f ms while moving through the list (%d calls; "
                "goal under 50 ms) %s\n",
                busyMs, probe.answers(), busyMs < 50 ? "met" : "MISSED");
    std::printf("    first search 10 s after the paint: %.0f ms, %d rows, %lld descriptions "
                "warmed before (goal under 1000 ms) %s\n",
                searchMs, form.quillzListView()->count(), static_cast<long long>(warmed),
                searchMs < 1000 ? "met" : "MISSED");
    std::fflush(stdout);
    return 0;
}

// The keyword search in the main window, as a user meets it: the window is shown, left alone
// for 3 s after its first paint (the warm-up's time), then the same search is run twice from
// the filter box. Prints the time of each search from Enter to the rows in the list, and the
// longest time the GUI thread took to answer a call from another thread meanwhile, asked every
// millisecond.
//   quillomat-bench-window-search PROGRAM_FOLDER MENU WORD [SECONDS_BEFORE_SEARCH]

#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "app/SearchRunner.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/DescriptionWarmUp.h"
#include "controls/TFlatComboBox.h"
#include "search/WindowProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace quillomat;
using namespace quillomat::bench;

namespace {

struct Run
{
    double ms = 0;
    double longestStallMs = 0;
    int rows = 0;
    int answers = 0;
};

Run searchOnce(TMain_Form& form, const QString& word)
{
    LatencyProbe probe(&form);
    QEventLoop loop;
    QObject::connect(form.searchRunner(), &SearchRunner::finished, &loop, &QEventLoop::quit);
    probe.start();
    waitFor(20); // the probe's baseline: an idle loop
    form.sortFilterComboBox()->setEditText(word);
    QElapsedTimer clock;
    clock.start();
    form.SortFilter_ComboBoxKeyDown(Qt::Key_Return, Qt::NoModifier);
    if (form.searchRunner()->isRunning())
        loop.exec();
    Run run;
    run.ms = double(clock.nsecsElapsed()) / 1e6;
    waitFor(20); // the rows are painted
    run.longestStallMs = probe.stop();
    run.answers = probe.answers();
    run.rows = form.quillzListView()->count();
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: quillomat-bench-window-search PROGRAM_FOLDER MENU WORD [SECONDS]\n",
                   stderr);
        return 2;
    }
    const int pauseMs = args.size() > 4 ? int(args[4].toDouble() * 1000) : 3000;

    TMain_Form form;
    if (!form.FormCreate({args[2]}, args[1] + u'/'))
        return 1;
    form.show();
    waitForFirstPaint(form);
    // How long the warm-up takes, if it ends before the search.
    QElapsedTimer sincePaint;
    sincePaint.start();
    double warmUpMs = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const DescriptionWarmUp* warmUp = form.project()->descriptionWarmUp();
        if (warmUpMs < 0 && warmUp && !warmUp->isRunning())
            warmUpMs = double(sincePaint.nsecsElapsed()) / 1e6;
    });
    watch.start(5);
    waitFor(pauseMs);
    watch.stop();

    const int searchEntry = form.sortByComboBox()->findText(form.project()->GetText("Search"));
    form.sortByComboBox()->setCurrentIndex(searchEntry);
    form.SortBy_ComboBoxChange();

    const qsizetype warmedBefore = form.project()->descriptionCache().entryCount();
    const Run first = searchOnce(form, args[3]);
    const Run repeated = searchOnce(form, args[3]);
    std::printf("window, %zu packages, search %d s after the first paint:\n",
                form.project()->applications().size(), pauseMs / 1000);
    std::printf("  first search    %8.1f ms  (%d rows; GUI thread busy at most %.1f ms, "
                "%d calls answered)\n",
                first.ms, first.rows, first.longestStallMs, first.answers);
    std::printf("  repeated search %8.1f ms  (%d rows; GUI thread busy at most %.1f ms, "
                "%d calls answered)\n",
                repeated.ms, repeated.rows, repeated.longestStallMs, repeated.answers);
    const double ratio = first.ms / repeated.ms;
    const double busy = std::max(first.longestStallMs, repeated.longestStallMs);
    std::printf("  first / repeated: %.2f (%s 1.2)\n", ratio, ratio <= 1.2 ? "within" : "ABOVE");
    std::printf("  GUI thread busy at most %.1f ms (%s 50 ms)\n", busy,
                busy < 50 ? "under" : "NOT under");
    const DescriptionTextCache& cache = form.project()->descriptionCache();
    std::printf("  warmed up before the first search: %lld descriptions",
                static_cast<long long>(warmedBefore));
    if (warmUpMs >= 0)
        std::printf(" (the warm-up ended %.0f ms after the first paint)\n", warmUpMs);
    else
        std::printf(" (the warm-up was still running: it only uses idle cores)\n");
    std::printf("  text cache: %lld descriptions, %.1f MB of %.0f MB\n",
                static_cast<long long>(cache.entryCount()), double(cache.keptBytes()) / 1048576.0,
                double(cache.budgetBytes()) / 1048576.0);
    return 0;
}

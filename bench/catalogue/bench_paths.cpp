// What finding files without regard to letter case costs: the first keyword search over 10,000
// packages, and loading the menu and showing the first package, once with paths written as the
// files are named and once with every path in capitals (the files are in lower case). Prints
// the ratio of the two for each and whether it stays within 1.5.
//
// The disc comes from QUILLOMAT_BENCH_DISCS/disc-10000 (as quillomat-bench-make-disc writes
// it); without it, one is written to a temporary folder first.

#include "DiscGenerator.h"
#include "FirstSearch.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"
#include "platform/CasePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>

using namespace quillomat;

namespace {

constexpr int kPackages = 10000;
constexpr double kAllowedRatio = 1.5;

QString g_disc;

QString menuFile(bool otherCase)
{
    return QDir(g_disc).filePath(otherCase ? QString::fromLatin1(bench::kOtherCaseMenu)
                                           : QStringLiteral("quillomat.qmf"));
}

// Every iteration starts as a fresh program would: no folder listings kept, no texts cached.
std::unique_ptr<TProject> freshProject(bool otherCase)
{
    forgetFolderListings();
    auto project = std::make_unique<TProject>();
    if (project->LoadMenuFile(menuFile(otherCase), QString()))
        std::fprintf(stderr, "cannot open the menu of %s\n", qPrintable(g_disc));
    return project;
}

void BM_FirstSearch(benchmark::State& state)
{
    bench::timeFirstSearch(state, [&] { return freshProject(state.range(0) != 0); });
}

// Start-up as far as the catalogue goes: the menu loaded, the list in name order, the first
// package's description read, and its run file and picture looked up.
void BM_LoadAndShowFirst(benchmark::State& state)
{
    const bool otherCase = state.range(0) != 0;
    qsizetype shown = 0;
    for (auto _ : state) {
        forgetFolderListings();
        TProject project;
        project.LoadMenuFile(menuFile(otherCase), QString());
        RecordingRowList rows;
        project.FillApplicationList(rows, SortMode::SortByName, QString());
        const TAppDescription* first = rows.rows.front().package;
        shown = descriptionPlainText(first->TextFile()).value_or(QString()).size();
        benchmark::DoNotOptimize(resolvePathCase(first->RunFile()));
        benchmark::DoNotOptimize(resolvePathCase(first->Bitmap()));
    }
    state.counters["chars"] = double(shown);
}

// Reports as usual (without colours, for logs), then the ratio of other-case to exact time for
// each benchmark: CPU time, which decides, and wall time, which a loaded machine blurs.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.function_name;
            const bool otherCase = run.run_name.args == "other_case:1";
            m_times[name][otherCase] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
        }
    }

    // False when a ratio exceeds the allowed one.
    bool printRatios() const
    {
        bool within = true;
        for (const auto& [name, times] : m_times) {
            if (times.size() != 2)
                continue;
            const double cpu = times.at(true).first / times.at(false).first;
            const double wall = times.at(true).second / times.at(false).second;
            within &= cpu <= kAllowedRatio;
            std::printf("%s: paths in other case cost %.2fx the exact-case paths in CPU time "
                        "(allowed %.1fx: %s), %.2fx in wall time\n",
                        name.c_str(), cpu, kAllowedRatio, cpu <= kAllowedRatio ? "ok" : "TOO SLOW",
                        wall);
        }
        return within;
    }

private:
    // Benchmark -> other case? -> (CPU, wall) time per iteration.
    std::map<std::string, std::map<bool, std::pair<double, double>>> m_times;
};

} // namespace

BENCHMARK(BM_FirstSearch)->ArgName("other_case")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndShowFirst)
    ->ArgName("other_case")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::optional<QTemporaryDir> generated;
    const QString discs = qEnvironmentVariable("QUILLOMAT_BENCH_DISCS");
    g_disc = QDir(discs).filePath(QStringLiteral("disc-%1").arg(kPackages));
    if (discs.isEmpty() || !QFileInfo::exists(menuFile(true))) {
        generated.emplace();
        g_disc = generated->path();
        if (!bench::writeSyntheticDisc(g_disc, kPackages, true))
            return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.printRatios() ? 0 : 1;
}

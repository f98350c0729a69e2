// Catalogue benchmarks: loading large menus, and the keyword search with an empty (first) and
// a filled (repeated) description cache, beside `grep -rliF` over the same description files.
//
// The discs come from QUILLOMAT_BENCH_DISCS (a folder holding disc-1000, disc-10000 and
// disc-100000 as quillomat-bench-make-disc writes them); without it they are written to a
// temporary folder first.

#include "DiscGenerator.h"
#include "FirstSearch.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"
#include "text/TextDecoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <sys/resource.h>

using namespace quillomat;

namespace {

QString g_discs;

QString discFolder(std::int64_t packages)
{
    return QDir(g_discs).filePath(QStringLiteral("disc-%1").arg(packages));
}

QString menuOf(std::int64_t packages)
{
    return QDir(discFolder(packages)).filePath(QStringLiteral("quillomat.qmf"));
}

std::unique_ptr<TProject> loadedProject(std::int64_t packages)
{
    auto project = std::make_unique<TProject>();
    if (project->LoadMenuFile(menuOf(packages), QString()))
        std::fprintf(stderr, "cannot open %s\n", qPrintable(menuOf(packages)));
    return project;
}

void BM_LoadMenu(benchmark::State& state)
{
    for (auto _ : state) {
        auto project = std::make_unique<TProject>();
        project->LoadMenuFile(menuOf(state.range(0)), QString());
        benchmark::DoNotOptimize(project->categories().size());
        state.PauseTiming(); // freeing the catalogue is not loading it
        project.reset();
        state.ResumeTiming();
    }
}

void BM_SearchFirst(benchmark::State& state)
{
    bench::timeFirstSearch(state, [&] { return loadedProject(state.range(0)); });
}

void BM_SearchRepeated(benchmark::State& state)
{
    auto project = loadedProject(state.range(0));
    RecordingRowList rows;
    project->Search(rows, QString::fromLatin1(bench::kRareWord));
    for (auto _ : state)
        project->Search(rows, QString::fromLatin1(bench::kRareWord));
    state.counters["rows"] = rows.rowCount();
}

// CPU time (user and system) of the finished child processes, in milliseconds.
double childCpuMs()
{
    struct rusage usage
    {
    };
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The reference: grep started as a process, reading the same description files. Its own CPU
// time is reported as grep_cpu_ms, beside the wall time, because the CPU column only counts
// this process.
void BM_GrepReference(benchmark::State& state)
{
    const double cpuBefore = childCpuMs();
    const QStringList arguments{QStringLiteral("-rliF"), QString::fromLatin1(bench::kRareWord),
                                bench::descriptionFolder(discFolder(state.range(0)))};
    qsizetype files = 0;
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("grep"), arguments);
        grep.waitForFinished(-1);
        files = grep.readAllStandardOutput().count('\n');
    }
    state.counters["rows"] = double(files);
    state.counters["grep_cpu_ms"] =
        benchmark::Counter((childCpuMs() - cpuBefore) / double(state.iterations()));
}

// Decoding the menu of 100,000 packages as read from disc: UTF-8 throughout, Windows-1252 (an
// accented letter in every name) and UTF-8 with stray Windows-1252 bytes.
enum class MenuEncoding
{
    Utf8,
    Windows1252,
    Mixed
};

void BM_DecodeMenu(benchmark::State& state)
{
    QFile file(menuOf(100000));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("menu of 100,000 packages missing");
        return;
    }
    QByteArray bytes = file.readAll();
    const auto encoding = MenuEncoding(state.range(0));
    if (encoding != MenuEncoding::Utf8)
        bytes.replace("[Package", "[P\xE4"
                                  "ckage");
    if (encoding == MenuEncoding::Mixed)
        bytes.replace("Company=Company 1\r\n", "Company=Compa\xC3\xB1\xC3\xAD"
                                               "a 1\r\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeText(bytes).size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_DecodeMenu)
    ->ArgName("utf8_1252_mixed")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMenu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepReference)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchFirst)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRepeated)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::optional<QTemporaryDir> generated;
    g_discs = qEnvironmentVariable("QUILLOMAT_BENCH_DISCS");
    if (g_discs.isEmpty()) {
        generated.emplace();
        g_discs = generated->path();
        for (int packages : {1000, 10000, 100000}) {
            if (!bench::writeSyntheticDisc(discFolder(packages), packages, packages <= 10000))
                return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

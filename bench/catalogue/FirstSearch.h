#pragma once

#include "DiscGenerator.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace quillomat::bench {

// Times the first search for kRareWord on a project that `load` makes afresh for every
// iteration; loading and freeing it are not timed. Sets the counter "rows".
inline void timeFirstSearch(benchmark::State& state,
                            const std::function<std::unique_ptr<TProject>()>& load)
{
    RecordingRowList rows;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TProject> project = load();
        state.ResumeTiming();
        project->Search(rows, QString::fromLatin1(kRareWord));
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows.rowCount();
}

} // namespace quillomat::bench

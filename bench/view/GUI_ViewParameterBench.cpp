// The camera builds its transform lazily: reading it when nothing changed
// should cost next to nothing beside a rebuild after every change.
#include "view/GUI_ViewParameter.h"

#include <benchmark/benchmark.h>

static void BM_TransformCached(benchmark::State &state)
{
    GUI_ViewParameter view;
    view.setTz(-5.0f);
    for (auto _ : state)
        benchmark::DoNotOptimize(view.getTransformMatrix());
}
BENCHMARK(BM_TransformCached);

static void BM_TransformRebuiltEachRead(benchmark::State &state)
{
    GUI_ViewParameter view;
    float tz = -5.0f;
    for (auto _ : state)
    {
        view.setTz(tz); // marks the transform stale
        benchmark::DoNotOptimize(view.getTransformMatrix());
    }
}
BENCHMARK(BM_TransformRebuiltEachRead);

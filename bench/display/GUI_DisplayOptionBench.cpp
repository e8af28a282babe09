// Writing and reading the display option block: the defaults file and
// every saved viewport go through these.
#include "display/GUI_DisplayOption.h"
#include "host/UT/UT_IStream.h"

#include <benchmark/benchmark.h>
#include <sstream>

static void BM_DisplayOptionSave(benchmark::State &state)
{
    GUI_DisplayOption options;
    for (auto _ : state)
    {
        std::ostringstream os;
        options.save(os);
        benchmark::DoNotOptimize(os.str());
    }
}
BENCHMARK(BM_DisplayOptionSave);

static void BM_DisplayOptionLoad(benchmark::State &state)
{
    GUI_DisplayOption options;
    std::ostringstream os;
    options.save(os);
    const std::string text = os.str();
    for (auto _ : state)
    {
        UT_IStream is(text);
        benchmark::DoNotOptimize(options.load(is));
    }
}
BENCHMARK(BM_DisplayOptionLoad);

// A 100-sphere frame composed through vantrel::Viewport and read back, the
// C++ side of bench/python/bench.py (same scene, size and calls).
#include "facade/Viewport.h"

#include <benchmark/benchmark.h>

namespace
{
void
BM_FacadeRender100Spheres(benchmark::State &state)
{
    vantrel::Viewport view(512, 512);
    for (int i = 0; i < 100; ++i)
    {
        auto sphere = view.addSphere(0.3, 12, 24, "sphere");
        std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        m[12] = (i % 10) - 4.5;
        m[14] = (i / 10) - 4.5;
        sphere->setTransform(m);
    }
    view.setShading("smooth");
    view.home("threequarter");
    for (int i = 0; i < 5; ++i)
        view.render();
    for (auto _ : state)
        benchmark::DoNotOptimize(view.render());
}
BENCHMARK(BM_FacadeRender100Spheres)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace

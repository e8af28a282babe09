// Cutting one large concave face into triangles: a band wound six times
// round like a spiral, the shape whose cost grew fastest with a simple ear
// search. Time per face; the corner count is the argument.
#include "host/GR/GR_Triangulate.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
void
BM_TriangulateSpiral(benchmark::State &state)
{
    const int n = int(state.range(0)), half = n / 2;
    std::vector<float> xyz;
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < half; ++k)
        {
            const int i = side == 0 ? k : half - 1 - k;
            const double t = double(i) / (half - 1), a = t * 12.0 * M_PI;
            const double r = 1.0 + 10.0 * t - (side == 0 ? 0.0 : 0.5);
            xyz.insert(xyz.end(), {float(r * std::cos(a)), float(r * std::sin(a)), 0.0f});
        }
    std::vector<const float *> corners;
    for (size_t i = 0; i < xyz.size(); i += 3)
        corners.push_back(&xyz[i]);
    const float up[3] = {0.0f, 0.0f, 1.0f};
    std::vector<int> tris;
    for (auto _ : state)
    {
        tris.clear();
        benchmark::DoNotOptimize(GRtriangulatePolygon(corners.data(), n, up, tris));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
} // namespace

BENCHMARK(BM_TriangulateSpiral)->Arg(8000)->Arg(65536)->Unit(benchmark::kMillisecond);

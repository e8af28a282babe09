// Bounding a large mesh: plain and under a
// transform, side by side on the same sphere.
#include "host/GU/GU_Detail.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix4.h"

#include <benchmark/benchmark.h>

namespace
{
GU_Detail &bigSphere()
{
    static GU_Detail gdp;
    if (gdp.getNumPrimitives() == 0)
        gdp.buildSphere(1.0f, 256, 512);
    return gdp;
}
} // namespace

static void BM_BBoxPlain(benchmark::State &state)
{
    const GU_Detail &gdp = bigSphere();
    for (auto _ : state)
    {
        UT_BoundingBox box;
        benchmark::DoNotOptimize(gdp.getBBox(&box));
    }
}
BENCHMARK(BM_BBoxPlain)->Unit(benchmark::kMicrosecond);

static void BM_BBoxTransformed(benchmark::State &state)
{
    const GU_Detail &gdp = bigSphere();
    UT_Matrix4 xform(1.0f);
    xform.rotate(UT_Axis3::YAXIS, 0.5f);
    xform.translate(1.0f, 2.0f, 3.0f);
    for (auto _ : state)
    {
        UT_BoundingBox box;
        benchmark::DoNotOptimize(gdp.getBBox(box, xform));
    }
}
BENCHMARK(BM_BBoxTransformed)->Unit(benchmark::kMicrosecond);

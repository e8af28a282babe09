// Loading a million-triangle OBJ file: time per load, and the peak resident
// size of a fresh process that does nothing but the load (a forked child,
// so that the benchmark's own memory does not count). The file is written
// at run time: a 709 x 709 grid of points, two triangles per cell.
#include "bench/host/GU_MeshBenchFile.h"
#include "host/GU/GU_Detail.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const int theSide = 709; // 2 x 708 x 708 = 1,002,528 triangles

const std::string &
millionTriangleFile()
{
    static const std::string path = [] {
        const std::string p = "/tmp/vantrel-bench-" + std::to_string(getpid()) + ".obj";
        std::ofstream out(p);
        out.imbue(std::locale::classic());
        for (int j = 0; j < theSide; ++j)
            for (int i = 0; i < theSide; ++i)
                out << "v " << i * 0.01f << ' ' << j * 0.01f << ' ' << ((i * 7 + j * 13) % 17) * 0.001f
                    << '\n';
        for (int j = 0; j + 1 < theSide; ++j)
            for (int i = 0; i + 1 < theSide; ++i)
            {
                const int a = j * theSide + i + 1, b = a + 1, c = a + theSide, d = c + 1;
                out << "f " << a << ' ' << b << ' ' << d << "\nf " << a << ' ' << d << ' ' << c << '\n';
            }
        std::atexit([] { std::remove(millionTriangleFile().c_str()); });
        return p;
    }();
    return path;
}

} // namespace

static void BM_ObjLoadMillionTriangles(benchmark::State &state)
{
    const std::string &path = millionTriangleFile();
    for (auto _ : state)
    {
        GU_Detail gdp;
        if (!gdp.load(path.c_str()))
            state.SkipWithError("the generated mesh did not load");
        benchmark::DoNotOptimize(gdp.getNumPrimitives());
    }
    state.counters["load_peak_MB"] = vantrel_bench::loadPeakMB(path, 1000000);
}
BENCHMARK(BM_ObjLoadMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);

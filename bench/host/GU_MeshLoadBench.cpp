// Loading the same million-triangle mesh (a 709 x 709 grid, two triangles
// per cell) as OBJ text, binary PLY, binary STL and glTF binary (.glb,
// float positions and 32-bit indices): time per load, and the memory a
// forked child's load grows by at its peak.
#include "bench/host/GU_MeshBenchFile.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender3D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const int theSide = 709;

std::string
benchFile(const char *extension)
{
    return vantrel_bench::writeGridMesh(extension, theSide);
}

const std::string &
fileOf(const char *extension)
{
    static const std::string obj = benchFile(".obj");
    static const std::string ply = benchFile(".ply");
    static const std::string stl = benchFile(".stl");
    static const std::string glb = benchFile(".glb");
    static const bool cleanup = [] {
        std::atexit([] {
            std::remove(fileOf(".obj").c_str());
            std::remove(fileOf(".ply").c_str());
            std::remove(fileOf(".stl").c_str());
            std::remove(fileOf(".glb").c_str());
        });
        return true;
    }();
    (void)cleanup;
    const std::string ext = extension;
    return ext == ".obj" ? obj : ext == ".ply" ? ply : ext == ".stl" ? stl : glb;
}

// In a forked child: loads the mesh, then draws it smooth-shaded until it
// is cached, and writes the resident growth from the load to the cached
// replay in bytes per triangle to the pipe.
void
cachedGrowthChild(const std::string &path, int out)
{
    RE_OffscreenContext context(256, 256);
    context.makeCurrent();
    RE_Render *r = context.getRender();
    GU_Detail *gdp = new GU_Detail;
    if (!gdp->load(path.c_str()))
        _exit(1);
    const double triangles = gdp->getNumPrimitives();
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    GUI_DisplayOption options;
    options[GUI_NON_SELECTED].shadingMode(GR_SHADE_SMOOTH);
    GUI_DetailLook::setGlobalDispOption(options);
    r->enableZbuffer(1, 1);
    const long before = vantrel_bench::residentKB();
    for (int f = 0; f <= GUI_DetailRender3D::getDisplayListThreshold() + 2; ++f)
    {
        r->clear();
        look.render(r, 0, 0, 0, 0, nullptr);
        r->flush(1);
    }
    const double perTriangle = double(vantrel_bench::residentKB() - before) * 1024.0 / triangles;
    _exit(write(out, &perTriangle, sizeof(perTriangle)) == sizeof(perTriangle) ? 0 : 1);
}

void
loadBench(benchmark::State &state, const char *extension)
{
    const std::string &path = fileOf(extension);
    for (auto _ : state)
    {
        GU_Detail gdp;
        if (!gdp.load(path.c_str()))
            state.SkipWithError("the generated mesh did not load");
        benchmark::DoNotOptimize(gdp.getNumPrimitives());
    }
    state.counters["load_peak_MB"] = vantrel_bench::loadPeakMB(path, 1000000);
}
} // namespace

static void BM_ObjLoadMillionTriangles(benchmark::State &state) { loadBench(state, ".obj"); }
static void BM_PlyLoadMillionTriangles(benchmark::State &state) { loadBench(state, ".ply"); }
static void BM_StlLoadMillionTriangles(benchmark::State &state) { loadBench(state, ".stl"); }
static void BM_GlbLoadMillionTriangles(benchmark::State &state) { loadBench(state, ".glb"); }
BENCHMARK(BM_ObjLoadMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlyLoadMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StlLoadMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GlbLoadMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(3);

// Resident memory a cached million-triangle mesh adds beyond its loaded
// geometry, per triangle: the buffers it replays from and what the drawer
// and the driver keep. Measured in a forked child, so nothing earlier in the
// run counts.
static void
BM_CachedMeshBytesPerTriangle(benchmark::State &state)
{
    const std::string &path = fileOf(".ply");
    double perTriangle = -1.0;
    for (auto _ : state)
    {
        int fds[2];
        if (pipe(fds) != 0)
            break;
        const pid_t child = fork();
        if (child == 0)
            cachedGrowthChild(path, fds[1]);
        close(fds[1]);
        if (read(fds[0], &perTriangle, sizeof(perTriangle)) != sizeof(perTriangle))
            state.SkipWithError("the child did not report");
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
    }
    state.counters["bytes_per_triangle"] = perTriangle;
}
BENCHMARK(BM_CachedMeshBytesPerTriangle)->Unit(benchmark::kMillisecond)->Iterations(1);

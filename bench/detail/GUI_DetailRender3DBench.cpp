// Drawing and picking whole scenes through the 3D renderer at 512x512,
// against a lower bound drawn in the same context with raw GL buffer
// objects. Every frame ends with glFinish. Each benchmark measures its
// lower bound in the same run and reports the ratio:
//   vs_raw          library frame time / raw frame time
//   us_obj_over_raw (library - raw) per object, microseconds
//   cpu_us_obj_over_raw  the same in processor time of the drawing thread
//   pick_vs_frame   pick time / full frame time of the same scene
//   together        share of the objects drawn together with others of
//                   their run (from merged buffers)
// Scale is on record at 1, 10 and 100 times the base sizes: 1,000 boxes
// and one mesh of 100,000 triangles.
#include "bench/host/GU_MeshBenchFile.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender3D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Light.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_RawMesh.h"
#include "host/RE/RE_Render.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace
{
const int theSize = 512;

RE_OffscreenContext &
context()
{
    static RE_OffscreenContext theContext(theSize, theSize);
    theContext.makeCurrent();
    return theContext;
}

// Objects on a square grid, one look each, all on one geometry.
struct Scene
{
    Scene(GU_Detail *gdp, int count, float spacing) : handle(gdp)
    {
        const int side = int(std::ceil(std::sqrt(double(count))));
        extent = side * spacing;
        for (int i = 0; i < count; ++i)
        {
            UT_Matrix4 m;
            m.translate((i % side + 0.5f) * spacing - extent / 2,
                        (i / side + 0.5f) * spacing - extent / 2, 0.0f);
            xforms.push_back(m);
            looks.push_back(std::make_unique<GUI_DetailLook>(&handle));
            looks.back()->setXform(m);
        }
    }
    GU_DetailHandle handle;
    std::vector<UT_Matrix4> xforms;
    std::vector<std::unique_ptr<GUI_DetailLook>> looks;
    float extent = 1.0f;
};

Scene &
sphereScene()
{
    // 100 rows by 100 columns: 19,800 triangles a sphere.
    static Scene theScene([] {
        GU_Detail *gdp = new GU_Detail;
        gdp->buildSphere(0.45f, 100, 100);
        return gdp;
    }(), 100, 1.0f);
    return theScene;
}

Scene &
boxScene(int count)
{
    static std::map<int, std::unique_ptr<Scene>> theScenes;
    std::unique_ptr<Scene> &scene = theScenes[count];
    if (!scene)
    {
        GU_Detail *gdp = new GU_Detail;
        gdp->buildBox(UT_Vector3(0.5f, 0.5f, 0.5f));
        scene = std::make_unique<Scene>(gdp, count, 1.0f);
    }
    return *scene;
}

void
setCamera(RE_Render *r, const Scene &scene, float yaw = -0.3f)
{
    // Far enough back, and deep enough, for the whole turned grid: no
    // object is cut by the near or far plane.
    const float half = scene.extent * 0.6f, distance = std::max(50.0f, scene.extent);
    r->viewport2DS(0, theSize - 1, 0, theSize - 1);
    r->ortho3DW(-half, half, -half, half, 0.1f, 2.0f * distance);
    UT_Matrix4 view;
    view.rotate(UT_Axis3::YAXIS, yaw);
    view.rotate(UT_Axis3::XAXIS, 0.2f);
    view.translate(0.0f, 0.0f, -distance);
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadMatrix(view);
}

void
publish(GR_ShadingMode mode)
{
    GUI_DisplayOption options;
    options[GUI_NON_SELECTED].shadingMode(mode);
    options[GUI_SELECTED].shadingMode(mode);
    GUI_DetailLook::setGlobalDispOption(options);
}

double
seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor time of the calling thread: the drawing thread's own work,
// which other processes on the machine disturb far less than wall time.
double
threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

struct FrameTimes
{
    double wall = 0.0;
    double thread = 0.0;
};

// One library frame: every look renders, then glFinish.
void
libraryFrame(RE_Render *r, Scene &scene)
{
    r->clear();
    for (auto &look : scene.looks)
        look->render(r, 0, 0, 0, 0, nullptr);
    r->flush(1);
}

// The triangles of the geometry's polygons as fans, with normals taken
// from the centre (the meshes here are centred on the origin), or its
// unique edges.
std::unique_ptr<RE_RawMesh>
rawMesh(const GU_Detail &gdp, bool lines)
{
    std::vector<float> pos(gdp.getPositions(), gdp.getPositions() + 3 * gdp.getNumPoints());
    std::vector<float> normals(pos.size());
    for (size_t p = 0; p + 2 < pos.size(); p += 3)
    {
        const float len = std::sqrt(pos[p] * pos[p] + pos[p + 1] * pos[p + 1] +
                                    pos[p + 2] * pos[p + 2]);
        for (int c = 0; c < 3; ++c)
            normals[p + c] = len > 0 ? pos[p + c] / len : 0.0f;
    }
    std::vector<unsigned int> indices;
    std::set<std::pair<int, int>> edges;
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        const int first = gdp.getPrimVertexOffset(prim);
        const int n = gdp.getPrimVertexCount(prim);
        for (int v = 0; v < n; ++v)
        {
            const int a = gdp.getVertexPoint(first + v);
            const int b = gdp.getVertexPoint(first + (v + 1) % n);
            if (lines && edges.insert({std::min(a, b), std::max(a, b)}).second)
            {
                indices.push_back(a);
                indices.push_back(b);
            }
            if (!lines && v >= 2)
            {
                indices.push_back(gdp.getVertexPoint(first));
                indices.push_back(gdp.getVertexPoint(first + v - 1));
                indices.push_back(gdp.getVertexPoint(first + v));
            }
        }
    }
    return std::make_unique<RE_RawMesh>(pos, normals, indices, lines);
}

// Seconds per raw frame of the scene: clear, the headlight on when shaded,
// every object from buffer objects, glFinish.
FrameTimes
rawFrameSeconds(RE_Render *r, Scene &scene, bool lines)
{
    const GU_Detail *gdp = scene.handle.readLock();
    std::unique_ptr<RE_RawMesh> mesh = rawMesh(*gdp, lines);
    scene.handle.unlock(gdp);
    RE_Light *light = GUI_DetailRender3D::getHeadlight();
    const UT_Matrix4 viewing = r->getAMatrix(RE_MATRIX_VIEWING);
    auto frame = [&] {
        r->clear();
        if (!lines)
        {
            r->pushMatrix();
            r->loadIdentityMatrix();
            r->setLightState(light, true);
            r->popMatrix();
            r->toggleLighting(1);
        }
        // The mesh calls GL itself: the context sends what it holds back
        // first, and learns afterwards that GL changed behind it.
        r->sendPendingState();
        mesh->draw(scene.xforms, viewing);
        r->forgetGLState();
        if (!lines)
        {
            r->toggleLighting(0);
            r->setLightState(light, false);
        }
        RE_RawMesh::finish();
    };
    frame();
    const int frames = 5;
    const auto start = std::chrono::steady_clock::now();
    const double startThread = threadSeconds();
    for (int f = 0; f < frames; ++f)
        frame();
    FrameTimes t;
    t.wall = seconds(start) / frames;
    t.thread = (threadSeconds() - startThread) / frames;
    return t;
}

enum class Caching
{
    Together, // cached, runs of still objects drawn together
    Culled,   // the same, leaving out faces turned away from the eye
    OneByOne, // cached, every object replayed on its own
    None      // recording suppressed, as with caching off in the environment
};

// What changes between frames: nothing, the camera (turning a little every
// frame), or ten objects (a different ten each frame, lifted, while the
// ten of the frame before go back).
enum class Motion
{
    Still,
    Turning,
    TenMoving
};

void
moveTen(Scene &scene, long frame)
{
    const size_t count = scene.looks.size(), stride = std::max<size_t>(1, count / 10);
    for (long f : {frame - 1, frame})
        for (size_t k = 0; k < 10 && k < count; ++k)
        {
            const size_t i = (size_t(f) * 7 + k * stride) % count;
            UT_Matrix4 m = scene.xforms[i];
            if (f == frame)
                m.translate(0.0f, 0.0f, 0.1f + 0.01f * float(frame % 7));
            scene.looks[i]->setXform(m);
        }
}

// Library frames under the benchmark's loop, cached (recorded after the
// threshold and replayed, drawn together or one by one) or not.
void
runScene(benchmark::State &state, Scene &scene, GR_ShadingMode mode, Caching caching,
         Motion motion = Motion::Still)
{
    RE_Render *r = context().getRender();
    r->resetState();
    r->enableZbuffer(1, 1);
    setCamera(r, scene);
    publish(mode);
    const bool lines = mode == GR_SHADE_WIRE;
    const FrameTimes rawTimes = rawFrameSeconds(r, scene, lines);
    const double raw = rawTimes.wall;
    r->setDisplayObjectSuppression(caching == Caching::None ? 1 : 0);
    r->setBatching(caching == Caching::Together || caching == Caching::Culled);
    r->setBatchCulling(caching == Caching::Culled);
    // Past the threshold so the cached run replays, and as many runs again
    // so that runs drawn together have their buffers built.
    for (int f = 0; f <= 2 * GUI_DetailRender3D::getDisplayListThreshold() + 2; ++f)
        libraryFrame(r, scene);
    double total = 0.0, totalThread = 0.0;
    long frames = 0, together = 0;
    for (auto _ : state)
    {
        if (motion == Motion::Turning)
            setCamera(r, scene, -0.3f + 0.01f * float(frames % 50));
        else if (motion == Motion::TenMoving)
            moveTen(scene, frames);
        r->resetFrameStats();
        const auto start = std::chrono::steady_clock::now();
        const double startThread = threadSeconds();
        libraryFrame(r, scene);
        total += seconds(start);
        totalThread += threadSeconds() - startThread;
        together += r->getFrameStats().batchedObjects;
        ++frames;
    }
    // The scene as it was for the next benchmark.
    if (motion == Motion::TenMoving)
        for (size_t i = 0; i < scene.looks.size(); ++i)
            scene.looks[i]->setXform(scene.xforms[i]);
    r->setDisplayObjectSuppression(0);
    r->setBatching(true);
    r->setBatchCulling(false);
    state.counters["together"] =
        double(together) / double(std::max(1L, frames) * long(scene.looks.size()));
    const double library = total / double(std::max(1L, frames));
    state.counters["vs_raw"] = library / raw;
    state.counters["us_obj_over_raw"] = (library - raw) * 1e6 / double(scene.looks.size());
    state.counters["raw_ms"] = raw * 1e3;
    const double libraryThread = totalThread / double(std::max(1L, frames));
    state.counters["cpu_us_obj_over_raw"] =
        (libraryThread - rawTimes.thread) * 1e6 / double(scene.looks.size());
}

// A 5x5 pick at the centre of the scene beside a full frame of it.
void
runPick(benchmark::State &state, Scene &scene)
{
    RE_Render *r = context().getRender();
    r->resetState();
    r->enableZbuffer(1, 1);
    setCamera(r, scene);
    publish(GR_SHADE_SMOOTH);
    for (int f = 0; f <= GUI_DetailRender3D::getDisplayListThreshold() + 1; ++f)
        libraryFrame(r, scene);
    const int frames = 3;
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f)
        libraryFrame(r, scene);
    const double frame = seconds(start) / frames;

    std::vector<unsigned int> buffer(1 << 16);
    double total = 0.0;
    long picks = 0;
    for (auto _ : state)
    {
        start = std::chrono::steady_clock::now();
        r->pushMatrix();
        r->beginPicking(buffer.data(), long(buffer.size()), theSize / 2 - 2, theSize / 2 - 2, 5, 5);
        for (size_t i = 0; i < scene.looks.size(); ++i)
        {
            r->pushPickId(int(i));
            scene.looks[i]->pickRender(r, 0, 0, 0, 0, nullptr);
            r->popPickId();
        }
        benchmark::DoNotOptimize(r->endPicking(buffer.data()));
        r->popMatrix();
        r->flush(1);
        total += seconds(start);
        ++picks;
    }
    state.counters["pick_vs_frame"] = total / double(std::max(1L, picks)) / frame;
    state.counters["frame_ms"] = frame * 1e3;
}


// What was measured of one big mesh; negative times when it
// could not load the file.
struct MeshFigures
{
    double loadSeconds = -1.0;
    double rawSeconds = -1.0;
    double firstFrameSeconds = -1.0;
    double uncachedSeconds = -1.0;
    double cachedSeconds = -1.0;
    double peakGrowthMB = -1.0;
};

// Loads the mesh file, draws it smooth-shaded uncached until the cache
// forms and then replayed, with the raw bound beside it. In this process:
// a forked child would share the driver's threads with the parent and
// stall. The peak is the process's highest resident size over what it
// held before the load, so it reads low when an earlier benchmark of the
// run peaked higher (the sizes run smallest first).
MeshFigures
measureMesh(const std::string &path)
{
    MeshFigures figures;
    const long startKB = vantrel_bench::residentKB();
    RE_Render *r = context().getRender();
    r->resetState();
    GU_Detail *gdp = new GU_Detail;
    auto start = std::chrono::steady_clock::now();
    if (!gdp->load(path.c_str()))
    {
        delete gdp;
        return figures;
    }
    figures.loadSeconds = seconds(start);
    UT_BoundingBox box;
    box.initBounds(gdp->getPos(0));
    for (int pt = 1; pt < gdp->getNumPoints(); ++pt)
        box.enlargeBounds(gdp->getPos(pt));
    // One object, moved so the mesh sits on the origin the camera faces.
    Scene scene(gdp, 1, std::max(box.sizeX(), box.sizeY()));
    UT_Matrix4 centre;
    centre.translate(-(box.xmin() + box.xmax()) / 2, -(box.ymin() + box.ymax()) / 2,
                     -(box.zmin() + box.zmax()) / 2);
    scene.xforms[0] = centre;
    scene.looks[0]->setXform(centre);

    r->enableZbuffer(1, 1);
    setCamera(r, scene);
    publish(GR_SHADE_SMOOTH);
    figures.rawSeconds = rawFrameSeconds(r, scene, false).wall;
    const int threshold = GUI_DetailRender3D::getDisplayListThreshold();
    for (int f = 0; f <= threshold + 1; ++f)
    {
        start = std::chrono::steady_clock::now();
        libraryFrame(r, scene);
        // The first frame builds the drawer's arrays; the next ones until
        // the threshold draw from them uncached.
        if (f == 0)
            figures.firstFrameSeconds = seconds(start);
        else if (f == 1)
            figures.uncachedSeconds = seconds(start);
    }
    const int frames = 3;
    start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f)
        libraryFrame(r, scene);
    figures.cachedSeconds = seconds(start) / frames;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    figures.peakGrowthMB = double(usage.ru_maxrss - startKB) / 1024.0;
    return figures;
}

// One mesh of hundreds x 100,000 triangles: the file is written by the
// load benchmarks' writer, then loaded and drawn.
void
runMeshScale(benchmark::State &state)
{
    const long triangles = state.range(0) * 100000L;
    const std::string path =
        vantrel_bench::writeGridMesh(".ply", vantrel_bench::gridSideFor(triangles));
    MeshFigures figures;
    for (auto _ : state)
    {
        figures = measureMesh(path);
        if (figures.loadSeconds < 0)
            state.SkipWithError("the written mesh did not load");
    }
    std::remove(path.c_str());
    state.counters["load_ms"] = figures.loadSeconds * 1e3;
    state.counters["raw_ms"] = figures.rawSeconds * 1e3;
    state.counters["first_frame_ms"] = figures.firstFrameSeconds * 1e3;
    state.counters["uncached_vs_raw"] = figures.uncachedSeconds / figures.rawSeconds;
    state.counters["vs_raw"] = figures.cachedSeconds / figures.rawSeconds;
    state.counters["peak_MB"] = figures.peakGrowthMB;
}
} // namespace

static void BM_Spheres100_Shaded_Cached(benchmark::State &s) { runScene(s, sphereScene(), GR_SHADE_SMOOTH, Caching::Together); }
static void BM_Spheres100_Shaded_Uncached(benchmark::State &s) { runScene(s, sphereScene(), GR_SHADE_SMOOTH, Caching::None); }
static void BM_Spheres100_Wire_Cached(benchmark::State &s) { runScene(s, sphereScene(), GR_SHADE_WIRE, Caching::Together); }
static void BM_Spheres100_Wire_Uncached(benchmark::State &s) { runScene(s, sphereScene(), GR_SHADE_WIRE, Caching::None); }
static void BM_Boxes10000_Shaded_Cached(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::Together); }
static void BM_Boxes10000_Shaded_CachedCulled(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::Culled); }
static void BM_Boxes10000_Shaded_CachedOneByOne(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::OneByOne); }
static void BM_Boxes10000_Shaded_CachedTurning(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::Together, Motion::Turning); }
static void BM_Boxes10000_Shaded_CachedTenMoving(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::Together, Motion::TenMoving); }
static void BM_Boxes10000_Wire_Cached(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_WIRE, Caching::Together); }
static void BM_Boxes10000_Shaded_Uncached(benchmark::State &s) { runScene(s, boxScene(10000), GR_SHADE_SMOOTH, Caching::None); }
static void BM_Boxes1000_Shaded_Cached(benchmark::State &s) { runScene(s, boxScene(1000), GR_SHADE_SMOOTH, Caching::Together); }
static void BM_Boxes1000_Shaded_Uncached(benchmark::State &s) { runScene(s, boxScene(1000), GR_SHADE_SMOOTH, Caching::None); }
static void BM_Boxes100000_Shaded_Cached(benchmark::State &s) { runScene(s, boxScene(100000), GR_SHADE_SMOOTH, Caching::Together); }
static void BM_Boxes100000_Shaded_CachedTurning(benchmark::State &s) { runScene(s, boxScene(100000), GR_SHADE_SMOOTH, Caching::Together, Motion::Turning); }
static void BM_Boxes100000_Shaded_CachedCulled(benchmark::State &s) { runScene(s, boxScene(100000), GR_SHADE_SMOOTH, Caching::Culled); }
static void BM_Boxes100000_Shaded_CachedOneByOne(benchmark::State &s) { runScene(s, boxScene(100000), GR_SHADE_SMOOTH, Caching::OneByOne); }
static void BM_Boxes100000_Shaded_Uncached(benchmark::State &s) { runScene(s, boxScene(100000), GR_SHADE_SMOOTH, Caching::None); }
static void BM_Pick_Spheres100(benchmark::State &s) { runPick(s, sphereScene()); }
static void BM_Pick_Boxes1000(benchmark::State &s) { runPick(s, boxScene(1000)); }

BENCHMARK(BM_Spheres100_Shaded_Cached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Spheres100_Shaded_Uncached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Spheres100_Wire_Cached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Spheres100_Wire_Uncached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_Cached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_CachedCulled)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_CachedOneByOne)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_CachedTurning)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_CachedTenMoving)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Wire_Cached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes10000_Shaded_Uncached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes1000_Shaded_Cached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Boxes1000_Shaded_Uncached)->Unit(benchmark::kMillisecond)->MinTime(1.0);
// A few frames: each takes a good part of a second here.
BENCHMARK(BM_Boxes100000_Shaded_Cached)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Boxes100000_Shaded_CachedTurning)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Boxes100000_Shaded_CachedCulled)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Boxes100000_Shaded_CachedOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Boxes100000_Shaded_Uncached)->Unit(benchmark::kMillisecond)->Iterations(3);
// The argument is the mesh's size in hundreds of thousands of triangles.
BENCHMARK(runMeshScale)->Name("BM_MeshScale_Triangles100k")->Arg(1)->Arg(10)->Arg(100)
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Pick_Spheres100)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Pick_Boxes1000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

#include "apps/vantrel-view/ViewFrame.h"

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewDrawOptions.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewPick.h"
#include "apps/vantrel-view/ViewScene.h"
#include "apps/vantrel-view/ViewUV.h"
#include "facade/QuadViews.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

bool
setUpScene(ViewScene &scene, GUI_ViewState &state, RE_Render *r, const ViewOptions &opts)
{
    std::string error;
    if (!opts.mesh.empty() && !scene.loadMesh(opts.mesh, error))
    {
        std::fprintf(stderr, "vantrel-view: %s\n", error.c_str());
        return false;
    }
    scene.repeat(opts.draw.repeatColumns, opts.draw.repeatRows);
    applyDrawOptions(state, opts.draw, !opts.mesh.empty());
    applyComposeOptions(state, opts.compose);
    scene.showAxes(opts.draw.axes);
    // Homing fits the boxes the looks report; the uv view frames the unit
    // square.
    if (opts.uv)
        return setUpUVView(state, r, opts, scene);
    const UT_BoundingBox bounds = scene.getBounds(state.getDisplayOptionRef());
    if (!opts.quad)
        return setUpCamera(state, r, opts, bounds);
    // The perspective view is homed and moved at the size it has in the
    // four views, as a frame of that size alone would be.
    ViewOptions quarter = opts;
    const vantrel::ViewRect rect =
        vantrel::quadRect(vantrel::QUAD_PERSPECTIVE, opts.width, opts.height);
    quarter.width = rect.w;
    quarter.height = rect.h;
    return setUpCamera(state, r, quarter, bounds);
}

namespace
{
// Composes the frame with compose, timed, and prints its statistics when
// the options ask for them.
void
measureFrame(RE_Render *r, const ViewOptions &opts, const std::function<void()> &compose)
{
    // The frames before the last let the looks cache their drawings and
    // the render context keep runs of still objects to draw together. Each
    // starts from a cleared depth buffer, as the first does.
    for (int frame = 1; frame < opts.draw.frames; ++frame)
    {
        r->clearZ();
        compose();
        r->flush(1);
    }
    r->resetFrameStats();
    const auto start = std::chrono::steady_clock::now();
    r->clearZ();
    compose();
    // Wait for the drawing so the time is what the frame cost.
    r->flush(1);
    RE_FrameStats &stats = r->getFrameStats();
    stats.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();

    if (opts.draw.stats)
        std::printf("objects drawn %ld, cached replays %ld, cache builds %ld, "
                    "drawn together %ld, triangles %ld, lines %ld, %.3f ms\n",
                    stats.objectsDrawn, stats.cachedReplays, stats.cacheBuilds,
                    stats.batchedObjects, stats.trianglesSent, stats.linesSent,
                    stats.milliseconds);
}
} // namespace

void
drawFrame(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, const ViewOptions &opts)
{
    measureFrame(r, opts, [&] {
        composeFrame(look, scene, r, short(opts.width), short(opts.height), opts.homeAxis,
                     opts.uv);
    });
    if (opts.draw.pickGiven)
        pickScene(scene, look, r, opts.draw.pickX, opts.draw.pickY, opts.draw.pickW,
                  opts.draw.pickH, stdout, opts.uv);
}

void
drawQuadFrame(const ViewScene &scene, vantrel::QuadViews &quad, RE_Render *r,
              const ViewOptions &opts)
{
    measureFrame(r, opts,
                 [&] { quad.composeScene(scene, r, opts.width, opts.height, opts.homeAxis); });
    if (!opts.draw.pickGiven)
        return;
    // The view under the region's middle picks, the region given from its
    // own top left corner.
    const int w = opts.width, h = opts.height;
    const float midX = float(opts.draw.pickX) + 0.5f * float(opts.draw.pickW);
    const float midRow = float(opts.draw.pickY) + 0.5f * float(opts.draw.pickH);
    const int view = vantrel::quadViewAt(midX, float(h) - midRow, w, h);
    if (view < 0)
        return;
    const vantrel::ViewRect rect = vantrel::quadRect(view, w, h);
    const int top = h - (rect.y + rect.h);
    pickScene(scene, quad.look(view), r, opts.draw.pickX - rect.x, opts.draw.pickY - top,
              opts.draw.pickW, opts.draw.pickH, stdout, false);
}

#include "apps/vantrel-view/ViewFrame.h"

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewDrawOptions.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewPick.h"
#include "apps/vantrel-view/ViewScene.h"
#include "apps/vantrel-view/ViewUV.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <chrono>
#include <cstdio>
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
    applyDrawOptions(state, opts.draw, !opts.mesh.empty());
    applyComposeOptions(state, opts.compose);
    scene.showAxes(opts.draw.axes);
    // Homing fits the boxes the looks report; the uv view frames the unit
    // square.
    return opts.uv ? setUpUVView(state, r, opts, scene)
                   : setUpCamera(state, r, opts, scene.getBounds(state.getDisplayOptionRef()));
}

void
drawFrame(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, const ViewOptions &opts)
{
    r->resetFrameStats();
    const auto start = std::chrono::steady_clock::now();
    composeFrame(look, scene, r, short(opts.width), short(opts.height), opts.homeAxis, opts.uv);
    // Wait for the drawing so the time is what the frame cost.
    r->flush(1);
    RE_FrameStats &stats = r->getFrameStats();
    stats.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();

    if (opts.draw.stats)
        std::printf("objects drawn %ld, cached replays %ld, cache builds %ld, "
                    "triangles %ld, lines %ld, %.3f ms\n",
                    stats.objectsDrawn, stats.cachedReplays, stats.cacheBuilds,
                    stats.trianglesSent, stats.linesSent, stats.milliseconds);
    if (opts.draw.pickGiven)
        pickScene(scene, look, r, opts.draw.pickX, opts.draw.pickY, opts.draw.pickW,
                  opts.draw.pickH, stdout, opts.uv);
}

#include "apps/vantrel-view/ViewCompose.h"

#include "apps/vantrel-view/ViewScene.h"
#include "host/RE/RE_Render.h"
#include "host/TIL/TIL_ImageFile.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>

void
addComposeOptions(CLI::App &app, ViewComposeOptions &opts)
{
    app.add_option("--clear", opts.clearAmount,
                   "clear amount: 1 clears fully, below 1 fades the previous frame out")
        ->check(CLI::Range(0.0f, 1.0f));
    app.add_flag("--fog", opts.fog, "blend the background toward the camera's fog colour");
    app.add_option("--fog-weight", opts.fogWeight, "how far toward the fog colour (0 to 1)")
        ->check(CLI::Range(0.0f, 1.0f));
    app.add_option("--background-image", opts.backgroundImage,
                   "PNG image drawn behind the objects, framed in the view");
    app.add_option("--snapshot", opts.snapshotFile, "PNG image laid over the finished frame");
    app.add_option("--snapshot-alpha", opts.snapshotAlpha,
                   "opacity of the snapshot (clamped to 0 to 1)");
}

bool
finishComposeOptions(ViewComposeOptions &opts)
{
    if (opts.snapshotFile.empty())
        return true;
    std::string error;
    if (!TILreadPNG(opts.snapshotFile.c_str(), opts.snapshot, error))
    {
        std::fprintf(stderr, "vantrel-view: --snapshot: %s\n", error.c_str());
        return false;
    }
    return true;
}

void
applyComposeOptions(GUI_ViewState &state, ViewComposeOptions &opts)
{
    GUI_ViewParameter &cam = state.getViewParameterRef();
    cam.setClearAmount(opts.clearAmount);
    if (opts.fog)
    {
        cam.setFogSwitch(1);
        if (opts.fogWeight >= 0.0f)
            cam.setFogWeight(opts.fogWeight);
    }
    if (!opts.backgroundImage.empty())
    {
        GUI_DisplayOption &display = state.getDisplayOptionRef();
        // A relative name is taken from the working directory, as the
        // other file arguments are, not searched along the settings path.
        const std::string path = std::filesystem::absolute(opts.backgroundImage).string();
        display.getRotoscopeData().setFileName(path.c_str());
        display.drawBackgrounds(true);
    }
    if (!opts.snapshotFile.empty())
    {
        state.setSnapshotImage(&opts.snapshot);
        state.setSnapshotAlpha(opts.snapshotAlpha);
    }
}

void
composeFrame(GUI_SceneLook &look, const ViewScene &scene, RE_Render *r, short w, short h,
             int homeAxis)
{
    look.setView(r, 0, 0, w, h);
    look.renderBackground(r, 0, 0, w, h);
    look.doPreRender(r, 0, 0, w, h, GUI_ViewParameter::axis(homeAxis));
    scene.draw(r);
    look.doPostRender(r, 0, 0, w, h, false);
    look.renderOverrideRaster(r, 0, 0, w, h);
}

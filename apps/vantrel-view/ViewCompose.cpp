#include "apps/vantrel-view/ViewCompose.h"

#include "apps/vantrel-view/ViewNumbers.h"
#include "apps/vantrel-view/ViewScene.h"
#include "facade/FrameCompose.h"
#include "view/GUI_ViewState.h"

#include <CLI/CLI.hpp>

void
addComposeOptions(CLI::App &app, ViewComposeOptions &opts)
{
    // A callback, so that without --clear the camera keeps its own amount.
    app.add_option_function<float>(
           "--clear",
           [&opts](float amount) {
               opts.clearAmount = amount;
               opts.clearGiven = true;
           },
           "clear amount: 1 clears fully, below 1 fades the previous frame out")
        ->check(unitFloatCheck());
    app.add_flag("--fog", opts.fog, "blend the background toward the camera's fog colour");
    app.add_option("--fog-weight", opts.fogWeight, "how far toward the fog colour (0 to 1)")
        ->check(unitFloatCheck());
}

void
applyComposeOptions(GUI_ViewState &state, const ViewComposeOptions &opts)
{
    GUI_ViewParameter &cam = state.getViewParameterRef();
    if (opts.clearGiven)
        cam.setClearAmount(opts.clearAmount);
    if (opts.fog)
    {
        cam.setFogSwitch(1);
        if (opts.fogWeight >= 0.0f)
            cam.setFogWeight(opts.fogWeight);
    }
}

void
composeFrame(GUI_SceneLook &look, const ViewScene &scene, RE_Render *r, short w, short h,
             int homeAxis, bool uv)
{
    vantrel::composeSceneFrame(look, scene, r, w, h, homeAxis, uv);
}

#include "apps/vantrel-view/ViewUV.h"

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewScene.h"
#include "host/UT/UT_BoundingBox.h"
#include "view/GUI_ViewState.h"

#include <cstdio>

bool
setUpUVView(GUI_ViewState &state, RE_Render *r, const ViewOptions &opts, const ViewScene &scene)
{
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    bool vertex = options.drawVertexAttrib2D();
    if (!opts.uvAttrib.empty())
        vertex = opts.uvAttrib == "vertex";
    else if (options.autoDetectAttribType2D())
        vertex = scene.hasUVs(true) || !scene.hasUVs(false);
    options.drawVertexAttrib2D(vertex);
    if (!scene.hasUVs(vertex))
        std::fprintf(stderr, "vantrel-view: no object of the scene has %s uvs to show\n",
                     vertex ? "vertex" : "point");

    ViewOptions uvOpts = opts;
    uvOpts.ortho = true;
    uvOpts.homeGiven = true;
    uvOpts.homeAxis = theUVHomeAxis;
    return setUpCamera(state, r, uvOpts, uvHomeBox());
}

#include "apps/vantrel-view/ViewCamera.h"

#include "apps/vantrel-view/ViewOptions.h"
#include "facade/ViewWords.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_IFStream.h"
#include "host/UT/UT_SafeSave.h"
#include "view/GUI_ViewParameter.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{
// True when the file holds at least one entry ("keyword (") of the camera
// block: the block's reader passes over what it does not know, so an empty
// file, an image or a mesh would otherwise load as the default camera
// without a word. Looks at the first words only; a camera block is short.
bool
holdsCameraEntry(const char *path)
{
    UT_IFStream in;
    if (!in.open(path))
        return false;
    std::string previous, word;
    for (int count = 0; count < 100000 && in.getWord(word); ++count, previous = word)
        if (word == "(" && vantrel::isCameraKeyword(previous))
            return true;
    return false;
}

// Homes all three cameras of the view state.
void
home(GUI_ViewState &state, GUI_ViewParameter::axis axis, const UT_BoundingBox &scene,
     int width, int height)
{
    UT_Matrix3 rot;
    state.getViewParameterRef().homeRotation(axis, rot);
    UT_BoundingBox framed = vantrel::boxInFrame(scene, rot);
    homeSafely(state, framed, [&] {
        state.homeToBox(static_cast<short>(width), static_cast<short>(height), framed, &rot,
                        false, false);
    });
}
} // namespace

bool
homeSafely(GUI_ViewState &state, const UT_BoundingBox &framed, const std::function<void()> &home)
{
    std::string why;
    if (vantrel::homeSafely(state, framed, home, why))
        return true;
    std::fprintf(stderr, "vantrel-view: %s\n", why.c_str());
    return false;
}

void
loadCamera(GUI_ViewParameter &cam, RE_Render *r, int width, int height)
{
    cam.setViewport(r, 0, 0, static_cast<short>(width), static_cast<short>(height));
    cam.setView(0, 0, static_cast<short>(width), static_cast<short>(height));
    cam.setProjection(r);
}

bool
setUpCamera(GUI_ViewState &state, RE_Render *r, const ViewOptions &opts,
            const UT_BoundingBox &scene)
{
    GUI_ViewParameter &cam = state.getViewParameterRef();
    state.setOrthoFlag(opts.ortho ? 1 : 0);
    if (!opts.loadCamera.empty())
    {
        UT_IFStream in;
        if (!in.open(opts.loadCamera.c_str()))
        {
            std::fprintf(stderr, "vantrel-view: cannot read camera \"%s\": it %s\n",
                         opts.loadCamera.c_str(), in.getOpenError().c_str());
            return false;
        }
        if (!holdsCameraEntry(opts.loadCamera.c_str()))
        {
            std::fprintf(stderr, "vantrel-view: \"%s\" holds no camera entry\n",
                         opts.loadCamera.c_str());
            return false;
        }
        if (!cam.load(in))
        {
            std::fprintf(stderr, "vantrel-view: cannot read camera \"%s\"\n", opts.loadCamera.c_str());
            return false;
        }
        state.syncViewsWithMain();
    }
    if (opts.homeGiven || opts.loadCamera.empty())
        home(state, opts.homeAxis, scene, opts.width, opts.height);

    // Navigation reads the viewport and the last projection.
    loadCamera(cam, r, opts.width, opts.height);
    // Tumbling uses the class-wide style: the saved one or --tumble-style.
    if (opts.tumbleGiven)
        state.dotumble(opts.tumbleX, opts.tumbleY, 1);
    if (opts.dolly != 0.0f)
        state.dolly(opts.dolly);
    if (opts.zoom != 0.0f)
        state.zoom(opts.zoom, state.getOrthoFlag() ? GUI_ViewParameter::GUI_ZOOM_ORTHO_WIDTH
                                                   : GUI_ViewParameter::GUI_ZOOM_WINDOW);
    loadCamera(cam, r, opts.width, opts.height);
    return true;
}

bool
saveCamera(const GUI_ViewParameter &cam, const char *path)
{
    // Made whole in memory, then put in place in one step: a failed save
    // keeps the old camera file.
    std::ostringstream out;
    std::string error;
    if (cam.save(out, '\n') != 0 || !UTsaveFileSafely(path, out.str(), &error))
    {
        std::fprintf(stderr, "vantrel-view: cannot write camera: %s\n",
                     error.empty() ? path : error.c_str());
        return false;
    }
    return true;
}

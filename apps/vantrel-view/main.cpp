// vantrel-view: renders a scene through the viewport library into a PNG, or
// shows it in an interactive window.

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewDecor.h"
#include "apps/vantrel-view/ViewFrame.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewPrefs.h"
#include "apps/vantrel-view/ViewScene.h"
#include "apps/vantrel-view/ViewUV.h"
#include "apps/vantrel-view/ViewWindow.h"
#include "facade/QuadViews.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_ErrorManager.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace
{
// Composes the scene through the view state's main camera into the PNG.
bool
render(GUI_ViewState &state, ViewOptions &opts)
{
    RE_OffscreenContext context(opts.width, opts.height, opts.samples);
    if (!context.isValid())
    {
        std::fprintf(stderr, "vantrel-view: no offscreen context: %s\n", context.getError().c_str());
        return false;
    }
    context.makeCurrent();
    RE_Render *r = context.getRender();

    ViewScene scene;
    if (!setUpScene(scene, state, r, opts))
        return false;
    // The viewport's look composes the frame; it owns its decorations.
    GUI_SceneLook look(newViewRender(opts.uv), &state);
    if (opts.quad)
    {
        vantrel::QuadViews quad(look);
        quad.homeOrthographic(scene.getBounds(state.getDisplayOptionRef()), opts.width,
                              opts.height);
        drawQuadFrame(scene, quad, r, opts);
    }
    else
        drawFrame(scene, look, r, opts);

    if (!context.writePNG(opts.output.c_str()))
    {
        std::fprintf(stderr, "vantrel-view: cannot write \"%s\"\n", opts.output.c_str());
        return false;
    }
    if (!opts.saveCamera.empty() && !saveCamera(state.getViewParameterRef(), opts.saveCamera.c_str()))
        return false;
    std::printf("%s\n", opts.output.c_str());
    return true;
}

// The host's errors go to standard error, its messages to standard output.
void
reportHostErrors()
{
    if (UTgetErrors().empty())
        return;
    std::fflush(stdout);
    UTprintErrors(UTgetErrorSeverity() >= UT_SEVERITY_WARNING ? std::cerr : std::cout);
}
} // namespace

int
main(int argc, char **argv)
{
    ViewOptions opts;
    const int exit_code = parseViewOptions(argc, argv, opts);
    if (exit_code >= 0)
        return exit_code;

    ViewPrefs prefs;
    GUI_ViewState::setExternalDefaultCB(&prefs);
    prepareDefaults(opts);

    GUI_ViewState state;
    warnAboutOddDefaults(state);
    // Holds the snapshot image while the view state refers to it.
    ViewDecor decor;
    bool ok = applyViewOptions(state, opts) && decor.apply(opts.decor, state);
    if (ok && !opts.printDefaults)
        ok = opts.window ? runWindow(state, opts) : render(state, opts);
    if (ok && opts.savePrefs)
        state.saveAsDefault();
    if (ok && opts.printDefaults)
        printDefaults(std::cout);

    std::cout.flush();
    reportHostErrors();
    GUI_ViewState::setExternalDefaultCB(nullptr);
    return ok && UTgetErrorSeverity() < UT_SEVERITY_ERROR ? 0 : 1;
}

// vantrel-view: renders a scene through the viewport library into a PNG.

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewScene.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "view/GUI_ViewParameter.h"

#include <cstdio>

int
main(int argc, char **argv)
{
    ViewOptions opts;
    const int exit_code = parseViewOptions(argc, argv, opts);
    if (exit_code >= 0)
        return exit_code;

    RE_OffscreenContext context(opts.width, opts.height);
    if (!context.isValid())
    {
        std::fprintf(stderr, "vantrel-view: no offscreen context: %s\n", context.getError().c_str());
        return 1;
    }
    context.makeCurrent();
    RE_Render *r = context.getRender();

    ViewScene scene;
    GUI_ViewParameter camera;
    if (!setUpCamera(camera, r, opts, scene.getBounds()))
        return 1;
    scene.draw(r);

    if (!context.writePNG(opts.output.c_str()))
    {
        std::fprintf(stderr, "vantrel-view: cannot write \"%s\"\n", opts.output.c_str());
        return 1;
    }
    if (!opts.saveCamera.empty() && !saveCamera(camera, opts.saveCamera.c_str()))
        return 1;
    std::printf("%s\n", opts.output.c_str());
    return 0;
}

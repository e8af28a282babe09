// The smallest application of the viewport library: one frame of a built
// sphere seen through a view state, written as a PNG image.
//
//   vantrel-consumer [output.png]
//
// Exits with 1, saying why, when the frame cannot be made or the library it
// runs with is not the one its headers describe.

#include <vantrel/Version.h>

#include "detail/GUI_DetailLook.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"
#include "view/GUI_ViewState.h"

#include <cstdio>
#include <cstring>

int
main(int argc, char **argv)
{
    const char *output = argc > 1 ? argv[1] : "vantrel-consumer.png";
    if (std::strcmp(vantrel_gui_version(), VANTREL_VERSION_STRING) != 0)
    {
        std::fprintf(stderr, "headers are Vantrel %s but the library is %s\n",
                     VANTREL_VERSION_STRING, vantrel_gui_version());
        return 1;
    }

    const int width = 160, height = 120;
    RE_OffscreenContext context(width, height);
    if (!context.isValid() || !context.makeCurrent())
    {
        std::fprintf(stderr, "no offscreen context: %s\n", context.getError().c_str());
        return 1;
    }
    RE_Render *r = context.getRender();
    // The library registered this context as the process's main render; an
    // application holding a second copy of the library's state would not
    // see it.
    if (RE_Render::getMainRender() != r)
    {
        std::fprintf(stderr, "the main render context is not the one just made\n");
        return 1;
    }

    GU_Detail *sphere = new GU_Detail;
    sphere->buildSphere(1.0f, 12, 24);
    GU_DetailHandle handle(sphere);
    GUI_DetailLook look(&handle);

    GUI_ViewState state;
    GUI_ViewParameter &camera = state.getViewParameterRef();
    state.setViewport(r, 0, 0, width, height);
    camera.setView(0, 0, width, height);
    UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
    camera.homeToBox(width, height, box, nullptr, true, true);
    state.setProjection(r);

    float bg[3];
    state.getDisplayOptionRef().common().backgroundColor().getRGB(&bg[0], &bg[1], &bg[2]);
    r->setClearColor(bg[0], bg[1], bg[2]);
    r->clear();
    GUI_DetailLook::setGlobalDispOption(state.getDisplayOptionRef());
    look.render(r, 0, 0, width, height, nullptr);

    if (!context.writePNG(output))
    {
        std::fprintf(stderr, "cannot write %s\n", output);
        return 1;
    }
    std::printf("%s\n", output);
    return 0;
}

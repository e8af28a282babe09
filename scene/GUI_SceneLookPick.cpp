#include "scene/GUI_SceneLook.h"

#include "detail/GUI_DetailLook.h"
#include "host/RE/RE_Render.h"

#include <GL/gl.h>

void
GUI_SceneLook::beginPicking(RE_Render *r, unsigned int *buffer, long size, short x, short y,
                            short w, short h, short px, short py, short pw, short ph)
{
    if (!r)
        return;
    openPickPass(*r);
    GUI_ViewParameter &view = myViewState->getViewParameterRef();
    view.setViewport(r, x, y, w, h);
    // The pick region first: the context narrows the projections set while
    // it picks.
    r->beginPicking(buffer, size, px, py, pw, ph);
    view.setProjection(r);
    GUI_DetailLook::setPickDisplayListUsedFlag(false);
}

int
GUI_SceneLook::endPicking(RE_Render *r, unsigned int *buffer)
{
    if (!r)
        return 0;
    const int n = closePickPass(*r, buffer);
    // Cached display lists may switch blending in GL behind the context's
    // record; read the real state back.
    if (GUI_DetailLook::getPickDisplayListUsedFlag() && r->isGLActive())
        r->rememberBlending(glIsEnabled(GL_BLEND) == GL_TRUE ? 1 : 0);
    r->unlockContextAfterRender();
    return n;
}

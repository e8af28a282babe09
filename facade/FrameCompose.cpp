#include "facade/FrameCompose.h"

#include "decor/GUI_ViewRender2D.h"
#include "decor/GUI_ViewRender3D.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender2D.h"
#include "facade/WindowScene.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewParameter.h"

namespace vantrel
{
void
composeFrame(GUI_SceneLook &look, RE_Render *r, short w, short h, int homeAxis,
             const ObjectsStep &objects)
{
    composeFrame(look, r, 0, 0, w, h, homeAxis, objects);
}

void
composeFrame(GUI_SceneLook &look, RE_Render *r, short x, short y, short w, short h,
             int homeAxis, const ObjectsStep &objects)
{
    look.setView(r, x, y, w, h);
    look.renderBackground(r, x, y, w, h);
    look.doPreRender(r, x, y, w, h, GUI_ViewParameter::axis(homeAxis));
    objects(r);
    look.doPostRender(r, x, y, w, h, false);
    look.renderOverrideRaster(r, x, y, w, h);
}

void
drawSceneObjects(const WindowScene &scene, RE_Render *r, bool uv)
{
    drawWithDepth(r, !uv, [&scene, r, uv] {
        for (size_t i = 0; i < scene.objectCount(); ++i)
        {
            GUI_DetailLook &objectLook = scene.objectLook(i);
            if (uv)
                objectLook.getRender2D()->render(r, 0, 0, 0, 0, nullptr);
            else
                objectLook.render(r, 0, 0, 0, 0, nullptr);
        }
    });
}

void
composeSceneFrame(GUI_SceneLook &look, const WindowScene &scene, RE_Render *r, short w, short h,
                  int homeAxis, bool uv)
{
    composeFrame(look, r, w, h, homeAxis,
                 [&scene, uv](RE_Render *rr) { drawSceneObjects(scene, rr, uv); });
}

void
drawWithDepth(RE_Render *r, bool depth, const std::function<void()> &draw)
{
    const bool was = r->isZbuffer() != 0;
    if (was != depth)
        r->enableZbuffer(depth ? 1 : 0);
    draw();
    if (was != depth)
        r->enableZbuffer(was ? 1 : 0);
}

GUI_ViewRender *
newViewRender(bool uv)
{
    if (uv)
        return new GUI_ViewRender2D;
    return new GUI_ViewRender3D;
}
} // namespace vantrel

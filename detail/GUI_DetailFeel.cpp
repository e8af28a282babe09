#include "detail/GUI_DetailFeel.h"

#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender2D.h"
#include "detail/GUI_DetailRender3D.h"

GUI_DetailRender *
GUI_DetailFeel::getCurrentRender() const
{
    if (!myLook)
        return nullptr;
    if (myCurrent2D)
        return myLook->getRender2D();
    return myLook->getRender3D();
}

void
GUI_DetailFeel::render(RE_Render *r, short x, short y, short w, short h)
{
    if (GUI_DetailRender *renderer = getCurrentRender())
        renderer->render(r, x, y, w, h, nullptr);
}

#include "host/UI/BM_Viewport.h"

#include "host/UI/BM_SceneManager.h"

BM_Viewport::BM_Viewport(BM_SceneManager &manager, const char *name, int displayMode)
    : OPUI_TabMenuParent<BM_ViewportBase>(name, displayMode), myManager(manager)
{
    myManager.addViewport(this);
}

BM_Viewport::~BM_Viewport()
{
    myManager.removeViewport(this);
}

#include "detail/GUI_DetailRender2D.h"

#include "host/RE/RE_Render.h"

GUI_DetailRender2D::GUI_DetailRender2D() = default;

GUI_DetailRender2D::GUI_DetailRender2D(const GUI_DetailRender2D &src)
    : GUI_DetailRender(src)
{
    copyFrom(src);
}

GUI_DetailRender2D &
GUI_DetailRender2D::operator=(const GUI_DetailRender2D &src)
{
    if (this != &src)
    {
        GUI_DetailRender::operator=(src);
        deleteObjectCache(nullptr);
        copyFrom(src);
    }
    return *this;
}

// Copies everything but the cached display objects, which stay with the
// renderer that built them: a copy starts with an empty cache.
void
GUI_DetailRender2D::copyFrom(const GUI_DetailRender2D &src)
{
    myStableFrames = 0;
    myGeoId = src.myGeoId;
    myCacheIds[0] = myCacheIds[1] = -1;
    for (int kind = 0; kind < NUM_CACHE_KINDS; ++kind)
        myCacheOptions[kind] = src.myCacheOptions[kind];
    myGeoVersion = -1;
    myVertexAttribMode = src.myVertexAttribMode;
    myGeoIdx = src.myGeoIdx;
    myVisiblePrimitives = src.myVisiblePrimitives;
}

GUI_DetailRender2D::~GUI_DetailRender2D()
{
    deleteObjectCache(RE_Render::getMainRender());
}

void
GUI_DetailRender2D::render(RE_Render *, short, short, short, short, void *)
{
    // Drawing is not written yet: nothing is drawn.
}

void
GUI_DetailRender2D::pickRender(RE_Render *, short, short, short, short, void *)
{
    // Picking is not written yet: nothing is picked.
}

void
GUI_DetailRender2D::pickRenderSimple(RE_Render *, short, short, short, short,
                                     void *)
{
    // Picking is not written yet: nothing is picked.
}

int
GUI_DetailRender2D::getBoundingBox(UT_BoundingBox &, const char *, int) const
{
    // Bounds are not written yet: no handle has a box.
    return 0;
}

const GU_PrimGroupClosure *
GUI_DetailRender2D::visibilityRestriction() const
{
    return myVisiblePrimitives.isValid() ? &myVisiblePrimitives : nullptr;
}

void
GUI_DetailRender2D::deleteObjectCache(RE_Render *r)
{
    r = cacheReleaseContext(r);
    if (!r)
        return;

    r->lockContextForRender();
    for (int &id : myCacheIds)
    {
        if (id >= 0)
        {
            r->deleteObject(id);
            id = -1;
        }
    }
    myGeoVersion = -1;
    myStableFrames = 0;
    r->unlockContextAfterRender();
}

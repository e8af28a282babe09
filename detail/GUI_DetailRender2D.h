#ifndef GUI_DetailRender2D_h
#define GUI_DetailRender2D_h

#include "host/UT/SYS_Visibility.h"

#include "detail/GUI_DetailRender.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_PrimGroupClosure.h"

class UT_BoundingBox;

// Draws the texture coordinates of one detail look in texture-space
// viewports, and keeps up to two cached display objects of what it drew
// (one for wire-only options, one for the rest).
//
// Drawing, picking and bounds are not written yet: render and the pick
// operations draw and pick nothing, and getBoundingBox finds no box. The
// cache bookkeeping is complete.
class VANTREL_API GUI_DetailRender2D : public GUI_DetailRender
{
public:
    static constexpr int NUM_CACHE_KINDS = 2;

    GUI_DetailRender2D();
    GUI_DetailRender2D(const GUI_DetailRender2D &src);
    GUI_DetailRender2D &operator=(const GUI_DetailRender2D &src);
    ~GUI_DetailRender2D() override;

    const char *className() const override { return "GUI_DetailRender2D"; }
    void render(RE_Render *r, short x, short y, short w, short h,
                void *data) override;
    void pickRender(RE_Render *r, short x, short y, short w, short h,
                    void *data) override;
    void pickRenderSimple(RE_Render *r, short x, short y, short w, short h,
                          void *data) override;
    virtual int getBoundingBox(UT_BoundingBox &box, const char *attrib_name,
                               int vertex) const;

    // Releases both cached display objects through r, or the main render
    // context when r is null. Does nothing before a context with a native
    // context exists.
    virtual void deleteObjectCache(RE_Render *r);

    // The primitives of the group "2d_visible_primitives" as last
    // refreshed, or null when the geometry had no such group.
    const GU_PrimGroupClosure *visibilityRestriction() const;

private:
    void copyFrom(const GUI_DetailRender2D &src);

    int myStableFrames = 0;
    int myGeoId = -1;
    int myCacheIds[NUM_CACHE_KINDS] = {-1, -1};
    GUI_DisplayOption myCacheOptions[NUM_CACHE_KINDS];
    int myGeoVersion = -1;
    int myVertexAttribMode = 0;
    int myGeoIdx = -1;
    GU_PrimGroupClosure myVisiblePrimitives;
};

#endif

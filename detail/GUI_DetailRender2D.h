#ifndef GUI_DetailRender2D_h
#define GUI_DetailRender2D_h

#include "host/UT/SYS_Visibility.h"

#include "detail/GUI_DetailRender.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_PrimGroupClosure.h"

class GR_DisplayOption;
class GU_Detail;
class UT_BoundingBox;

// Draws the texture coordinates of one detail look in texture-space
// viewports: each polygon's uv outline as wire, polygons whose uv winding
// is reversed filled in the back-face colour when the record asks, and the
// component selection over them. The uvs come from the point or the vertex
// texture attribute, as "drawvertexattrib2d" of the library-wide options
// says; only the primitives of the group "2d_visible_primitives" are drawn,
// picked and bounded when the geometry has that group.
//
// Handle 0 is cached: once its geometry stays unchanged for the
// display-list threshold of draws, what it drew is recorded into a display
// object (one for wire-only options, one for the rest) and replayed.
//
// Every temporary change to the library-wide options is undone before a
// drawing or picking call returns.
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

    // The handle being drawn, picked or bounded; -1 outside those loops.
    int getGeoIdx() const { return myGeoIdx; }
    // The cached display object of a cache kind (0 wire only, 1 other),
    // or -1.
    int getCacheId(int kind) const;

    // The caching environment settings as the 2D renderer read them, once
    // per process and apart from the 3D renderer's.
    static bool isCachingDisabled();
    static int getDisplayListThreshold();

    // Forces the bits of the records' flag words that the selection mask
    // asks for in texture space (point markers, hulls), saving what they
    // were; restore puts them back. Either record may be null.
    static void applySelectionMask(GR_DisplayOption *primary,
                                   GR_DisplayOption *selection, unsigned mask);
    static void restoreSelectionMask(GR_DisplayOption *primary,
                                     GR_DisplayOption *selection, unsigned mask);

private:
    void copyFrom(const GUI_DetailRender2D &src);

    void renderSingle(RE_Render *r);
    void pickRenderSingle(RE_Render *r);
    int getBoundingBoxSingle(UT_BoundingBox &box, const char *attrib_name,
                             int vertex) const;
    // Counts the unchanged draws of handle 0; whether it may be cached.
    bool updateStableFrames(RE_Render *r, const GU_Detail &gdp);
    int getCacheIndex(RE_Render &r, float &lod, GR_DisplayOption *primary,
                      GR_DisplayOption *selection, int &kind);
    bool validCacheExists() const;
    void draw(RE_Render &r, int vertex, float lod, GR_DisplayOption *selection,
              GR_DisplayOption *primary, bool noSelection);
    void drawWireFrame(RE_Render &r, int vertex, float lod,
                       const GR_DisplayOption *option, bool noSelection);
    void drawFilledBackFaces(RE_Render &r, int vertex, const GR_DisplayOption *option,
                             bool noSelection);
    void setWireColor(GR_DisplayOption *option);

    int myStableFrames = 0;
    int myGeoId = -1;
    int myCacheIds[NUM_CACHE_KINDS] = {-1, -1};
    GUI_DisplayOption myCacheOptions[NUM_CACHE_KINDS];
    int myGeoVersion = -1;
    int myVertexAttribMode = 0;
    // Bounding is const but walks the handles and refreshes the closure.
    mutable int myGeoIdx = -1;
    mutable GU_PrimGroupClosure myVisiblePrimitives;
};

#endif

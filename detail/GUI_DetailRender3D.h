#ifndef GUI_DetailRender3D_h
#define GUI_DetailRender3D_h

#include "host/UT/SYS_Visibility.h"

#include "detail/GUI_DetailRender.h"
#include "detail/GUI_DetailRender3DFlags.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_HighQualityPass.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/UT/UT_IntArray.h"
#include "host/UT/UT_PtrArray.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Vector3.h"

#include <algorithm>
#include <memory>
#include <vector>

class GR_DisplayOption;
class GU_Detail;
class RE_Displace;
class RE_Light;
class RE_Material;
class UT_BoundingBox;
class UT_Matrix3;

// Draws the geometry of one detail look in 3D viewports, one detail
// handle after another under the look's per-handle transforms, and keeps
// per handle the cached display objects of what it drew: an object whose
// geometry stays unchanged for the display-list threshold of draws is
// recorded once and replayed afterwards, one cached object per level of
// detail and kind of drawing (wire or shaded, first or second pass, x-ray
// pass, move mode). It also picks the geometry and reports its bounds.
//
// Every temporary change to the library-wide options and to the render
// context is undone before a drawing, picking or bounding call returns.
class VANTREL_API GUI_DetailRender3D : public GUI_DetailRender
{
public:
    // Cache slots per detail handle: 10 levels of detail times 4 kinds
    // (wire and shaded, in normal and second pass), then the x-ray slot and
    // the move-mode slot.
    static constexpr int NUM_CACHE_SLOTS = 42;
    static constexpr int NUM_CACHE_KINDS = 4;

    GUI_DetailRender3D();
    GUI_DetailRender3D(const GUI_DetailRender3D &src);
    GUI_DetailRender3D &operator=(const GUI_DetailRender3D &src);
    ~GUI_DetailRender3D() override;

    const char *className() const override { return "GUI_DetailRender3D"; }
    void render(RE_Render *r, short x, short y, short w, short h,
                void *data) override;
    void pickRender(RE_Render *r, short x, short y, short w, short h,
                    void *data) override;
    void pickRenderSimple(RE_Render *r, short x, short y, short w, short h,
                          void *data) override;
    virtual int getBoundingBox(UT_BoundingBox &box, const UT_Matrix3 *rot) const;

    // Material and displacement are shared: the renderer holds one
    // reference to each. A new material drops the cached drawing.
    RE_Material *getREMaterial() const { return myMaterial; }
    void setREMaterial(RE_Render *r, RE_Material *material);
    RE_Displace *getREDisplace() const { return myDisplace; }
    void setREDisplace(RE_Displace *displace);
    void setMaterialXform(const UT_Matrix4 &xform) { myMaterialXform = xform; }

    // The lights are the caller's and must outlive their use. A count
    // below 1 means no lights.
    void setLightArray(RE_Light *const *lights, int count);
    RE_Light *const *getLightArray() const { return myLights; }
    int getNumLights() const { return myNumLights; }

    // The object transform. Returns false for a transform that cannot be
    // drawn: while VANTREL_CHECK_XFORM is above 0, one whose 3x3 block lies
    // within that distance of zero.
    bool setXform(const UT_Matrix4 &xform);
    const UT_Matrix4 &getXform() const { return myXform; }
    // Whether the transform mirrors, so polygons draw with reversed winding.
    bool getReverseWinding() const { return myReverseWinding; }
    void setPivot(const UT_Vector3 &pivot) { myPivot = pivot; }

    const GUI_DetailRender3DFlags &getFlags() const { return myFlags; }
    void setAllowShadingOpenCurves(bool on) { myFlags.allowShadingOpenCurves(on); }
    void setDisplayAsSubdiv(bool on) { myFlags.displayAsSubdiv(on); }
    void setUseGlobalLightXform(bool on) { myFlags.useGlobalLightXform(on); }
    bool getUseGlobalLightXform() const { return myFlags.useGlobalLightXform(); }

    // The primitives of the group "3d_hidden_primitives" as last
    // refreshed, or null when the geometry had no such group.
    const GU_PrimGroupClosure *hiddenGeometry() const;
    int getLastRenderTime() const { return myLastRenderTime; }
    // The handle being drawn, picked or bounded; -1 outside those loops.
    int getGeoIdx() const { return myGeoIdx; }
    // The level of detail of the library-wide options.
    float getValidLOD() const;

    // Whether the object is lit: the look's switch, and with a material
    // also the material's.
    int drawLit() const;
    // The draw category of the record the look draws its whole object
    // with; 0 when it has none.
    int getNonSelShadingMode() const;

    // Whether any cache slot holds an object for the handle being drawn;
    // for any other handle.
    bool validCacheExists() const;
    bool validCacheExistsForOtherDetail() const;

    // Forces the bits of the records' flag words that the selection mask
    // asks for, saving what they were; restore puts the saved bits back.
    // Either record may be null.
    static void applySelectionMask(GR_DisplayOption *primary,
                                   GR_DisplayOption *selection, unsigned mask);
    static void restoreSelectionMask(GR_DisplayOption *primary,
                                     GR_DisplayOption *selection, unsigned mask);

    // Library-wide light settings ----------------------------------------
    // The headlight lights every object that has no lights of its own. It
    // shines from its position toward the viewer's focus, in the camera's
    // space, so it follows the camera.
    static UT_Vector3 getGlobalLightPos();
    static void setGlobalLightPos(const UT_Vector3 &pos);
    static void setGlobalLightXform(const UT_Matrix4 &xform);
    static void setGlobalHighQualityPass(GR_HighQualityPass pass);
    static GR_HighQualityPass getGlobalHighQualityPass();
    static void setGlobalHighQualityDepthInit(bool on);
    static bool getGlobalHighQualityDepthInit();
    static void setGlobalHighQualityLights(const UT_PtrArray<RE_Light *> &lights);
    static void clearGlobalHighQualityLights();
    static bool isHeadlight(const RE_Light *light);
    static RE_Light *getHeadlight();

    // The environment settings that control caching, read once per
    // process: whether caching is off, and the number of unchanged draws
    // after which an object is cached.
    static bool isCachingDisabled();
    static int getDisplayListThreshold();

protected:
    virtual int getBoundingBoxSingle(UT_BoundingBox &box, const UT_Matrix3 *rot) const;
    virtual void renderSingle(RE_Render *r);
    virtual void pickRenderSingle(RE_Render *r);

private:
    // Sizes the per-handle bookkeeping for the look's current number of
    // handles, dropping every cached object when that number changed.
    virtual void prepareObjectCache(RE_Render *r);
    void copyFrom(const GUI_DetailRender3D &src);
    void resizeCache(int handles);
    void keepUnreleasedCache(int handles);

    // The render road's pieces ---------------------------------------------
    struct RoadState;
    // The cache slot to draw into or replay from, with the cache kind and
    // the level-of-detail value to draw with.
    int getCacheIndex(RE_Render *r, float &lod, GU_Detail *gdp,
                      const GR_DisplayOption *primary,
                      const GR_DisplayOption *selection, int &kind);
    // Counts the unchanged draws of the handle; whether it may be cached.
    bool updateStableFrames(RE_Render *r, const GU_Detail &gdp,
                            bool cacheable);
    // Keeps, drops or refuses the handle's cached objects before a draw;
    // returns the new useCache.
    bool checkCache(RE_Render *r, int slot, int kind, bool picking,
                    bool useCache);
    bool relaxedFor(int kind) const;
    GUI_DisplayOption &cacheOptions(int kind) const;
    static std::shared_ptr<GUI_DisplayOption> snapshotOptions(GUI_DisplayOption &global);
    // Draws into the slot (recording it when useCache) or replays it.
    void drawOrReplay(RE_Render *r, RoadState &road, int slot, GU_Detail *gdp);
    void finishRoad(RE_Render *r, RoadState &road, bool measured);
    static bool belongsToChosenDopnet(const GU_Detail &gdp);

    // Lights -----------------------------------------------------------------
    void defineLights(RE_Render *r, int on, bool denormalize, bool normalized);
    void setLights(RE_Render *r, int on);
    bool setHighQualityLightState(RE_Render *r, int on);
    void lightsOff(RE_Render *r);

    // Drawing one geometry -------------------------------------------------
    void draw(RE_Render &r, float lod, GU_Detail *gdp,
              GR_DisplayOption *selection, GR_DisplayOption *primary,
              bool noSelection);
    void drawWithOption(RE_Render &r, float lod, GU_Detail *gdp,
                        const GR_DisplayOption *option, bool noSelection);
    void drawWireFrame(RE_Render &r, float lod, GU_Detail *gdp,
                       const GR_DisplayOption *option, bool noSelection);
    void drawBoundBox(RE_Render &r, GU_Detail *gdp,
                      const GR_DisplayOption *option, bool noSelection);
    void drawShaded(RE_Render &r, float lod, GU_Detail *gdp,
                    const GR_DisplayOption *option, bool noSelection);
    void drawDepthOnly(RE_Render &r, float lod, GU_Detail *gdp,
                       RE_Material *material, const GR_DisplayOption *option);
    int drawLayers(RE_Render &r, float lod, GU_Detail *gdp,
                   RE_Material *material, const GR_DisplayOption *option,
                   bool noSelection, float time, const UT_Matrix4 &xform);
    void setupShadedDraw(RE_Render &r);
    void cleanupShadedDraw(RE_Render &r);
    void setWireColor(const GR_DisplayOption *option);
    bool getIsFullySelectedDetail() const;

    // Axes and names --------------------------------------------------------
    void renderAxes(RE_Render *r);
    void renderObjectName(RE_Render *r, GU_Detail *gdp, bool fullNames);
    void renderPivotLabel(RE_Render *r);

public:
    // Releases the cached display objects of handle index (all handles
    // when index < 0) through r, or the main render context when r is
    // null. Does nothing before a context with a native context exists.
    // Virtual so a derived renderer can watch the drops; declared last so
    // that the drawing operations keep their places in the table of
    // virtual operations.
    virtual void deleteObjectCache(RE_Render *r, int index);

private:
    GUI_DetailRender3DFlags myFlags;
    RE_Material *myMaterial = nullptr;
    RE_Displace *myDisplace = nullptr;
    UT_Matrix4 myMaterialXform;
    UT_Matrix4 myXform;
    UT_Vector3 myPivot;
    // What the cache knows of each handle, kept together so that the
    // per-object checks of a frame touch one place in memory.
    struct HandleCache
    {
        int geoId = -1;        // geometry drawn last
        int geoVersion = -1;   // its change counter then
        int stableFrames = 0;  // frames drawn unchanged, up to the threshold
        int cachedSlots = 0;   // slots holding a cached object
        // The cached display object of each slot, or -1.
        int slots[NUM_CACHE_SLOTS];
        HandleCache() { std::fill(slots, slots + NUM_CACHE_SLOTS, -1); }
    };
    std::vector<HandleCache> myHandles;
    // Filled slots over all handles, so that asking whether another handle
    // has a cached object does not visit every slot's array.
    int myCachedTotal = 0;
    // The options each kind of cached object was built under. Snapshots are
    // shared between renderers while the options stay the same, so that
    // checking thousands of objects compares against one snapshot in cache
    // rather than thousands of copies scattered in memory. Never changed
    // once made; null until a kind is first built.
    std::shared_ptr<GUI_DisplayOption> myCacheOptions[NUM_CACHE_KINDS];
    RE_Light *const *myLights = nullptr;
    int myNumLights = 0;
    int myTextureVersion = -1;
    int myLastRenderTime = 0;
    bool myMovingOverride = false;
    bool myZeroXform = false;
    bool myReverseWinding = false;
    // Rebuilt by bounding too, which is const.
    mutable GU_PrimGroupClosure myHiddenGeometry;
    mutable int myGeoIdx = -1;
};

#endif

// The 2D renderer's per-frame road: which handle to draw, whether to record
// it into a cached display object, replay one, or draw directly, with the
// selection mask and timing around the draw.

#include "detail/GUI_DetailRender2D.h"

#include "detail/GUI_CacheSettings.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailWriteLock.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_Performance.h"
#include "host/UT/UT_String.h"

namespace
{
// The 2D renderer's own copy, so that its first draw reads the settings
// (and says that caching is off) apart from the 3D renderer.
GUI_CacheSettings the2DCacheSettings;
}

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
// renderer that built them: a copy starts with an empty cache, and an
// assigned renderer keeps the objects it could not release (no context at
// the time) until its next draw sees the geometry version change.
void
GUI_DetailRender2D::copyFrom(const GUI_DetailRender2D &src)
{
    myStableFrames = 0;
    myGeoId = src.myGeoId;
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

bool
GUI_DetailRender2D::isCachingDisabled()
{
    return the2DCacheSettings.isCachingDisabled();
}

int
GUI_DetailRender2D::getDisplayListThreshold()
{
    return the2DCacheSettings.getDisplayListThreshold();
}

int
GUI_DetailRender2D::getCacheId(int kind) const
{
    return kind >= 0 && kind < NUM_CACHE_KINDS ? myCacheIds[kind] : -1;
}

const GU_PrimGroupClosure *
GUI_DetailRender2D::visibilityRestriction() const
{
    return myVisiblePrimitives.isValid() ? &myVisiblePrimitives : nullptr;
}

bool
GUI_DetailRender2D::validCacheExists() const
{
    return myCacheIds[0] >= 0 || myCacheIds[1] >= 0;
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

void
GUI_DetailRender2D::render(RE_Render *r, short, short, short, short, void *)
{
    drawEachHandle(r, myGeoIdx, false, [&] { renderSingle(r); });
}

void
GUI_DetailRender2D::pickRender(RE_Render *r, short, short, short, short, void *)
{
    if (r)
        pickEachHandle(*r, myGeoIdx, [&] { pickRenderSingle(r); });
}

void
GUI_DetailRender2D::pickRenderSimple(RE_Render *r, short, short, short, short, void *)
{
    if (r)
        drawEachHandle(r, myGeoIdx, true, [&] { renderSingle(r); });
}

bool
GUI_DetailRender2D::updateStableFrames(RE_Render *r, const GU_Detail &gdp)
{
    // Both settings are read on the first draw, cacheable or not, so the
    // message that caching is off appears whatever the scene holds.
    const bool disabled = isCachingDisabled();
    const int threshold = getDisplayListThreshold();
    // One cache serves the look, so only the first handle may fill it.
    if (!gdp.getCacheable() || myGeoIdx != 0)
        return false;
    if (gdp.getUniqueId() != myGeoId)
    {
        deleteObjectCache(r);
        myGeoId = gdp.getUniqueId();
    }
    if (gdp.getChangeCount() != myGeoVersion)
    {
        deleteObjectCache(r);
        myGeoVersion = gdp.getChangeCount();
    }
    else if (myStableFrames < threshold)
        ++myStableFrames;
    return !disabled && myStableFrames >= threshold &&
           r->getDisplayObjectSuppression() == 0;
}

int
GUI_DetailRender2D::getCacheIndex(RE_Render &, float &, GR_DisplayOption *primary,
                                  GR_DisplayOption *selection, int &kind)
{
    const bool a = primary && primary->drawCategory() != GR_DRAW_WIRE;
    const bool b = selection && selection->drawCategory() != GR_DRAW_WIRE;
    kind = a == b ? int(a) : 1;
    return kind;
}

void
GUI_DetailRender2D::renderSingle(RE_Render *r)
{
    GUI_DetailLook *look = getDetailLook();
    if (!r || !look || myGeoIdx < 0)
        return;
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    const bool picking = r->isPicking();
    UT_Performance *perf = UTgetPerformance();
    const bool timing = perf->isRecordingObjectDrawEvents() && !picking;

    const bool visible = isVisible(global);
    GUI_DetailWriteLock lock(getDetailHandle(myGeoIdx));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp || !visible)
        return;

    GR_DisplayOption *primary = nullptr, *selection = nullptr;
    bool noSelection = false;
    getDisplayOptions(primary, selection, noSelection);

    bool useCache = updateStableFrames(r, *gdp);

    if (timing)
    {
        UT_String path;
        look->getDetailDescriptivePath(path, myGeoIdx);
        perf->startEvent(useCache ? "drawlist" : "draw    ", nullptr, path.nonNullOrNull(), -1);
    }

    const unsigned mask = global.getSelectMask();
    const bool maskApplied = global.applySelectMask() && isPickingOn() && !isTemplated() &&
                             !ignoreSelection() && !isGuide() && mask != 0;
    if (maskApplied)
        applySelectionMask(primary, selection, mask);

    float lod = 1.0f;
    int kind = 0;
    const int slot = getCacheIndex(*r, lod, primary, selection, kind);
    const int vertexMode = global.drawVertexAttrib2D() ? 1 : 0;
    if (validCacheExists() &&
        !(useCache && myCacheOptions[kind].gdpOptionsEqual(global, false, false) &&
          myVertexAttribMode == vertexMode))
        deleteObjectCache(r);
    // Cached objects may be replayed while picking, never built.
    if (picking)
        useCache = false;

    ++r->getFrameStats().objectsDrawn;
    if (myCacheIds[slot] < 0)
    {
        const int id = useCache ? r->startObjectDefine() : -1;
        draw(*r, vertexMode, 1.0f, selection, primary, noSelection);
        if (id >= 0)
        {
            r->endObjectDefine();
            myCacheIds[slot] = id;
            myCacheOptions[kind].copyGdpOptions(global);
            myVertexAttribMode = vertexMode;
        }
    }
    if (myCacheIds[slot] >= 0)
    {
        if (picking)
            GUI_DetailLook::setPickDisplayListUsedFlag(true);
        r->drawObject(myCacheIds[slot]);
    }

    if (maskApplied)
        restoreSelectionMask(primary, selection, mask);
    if (timing)
        perf->stopEvent(1);
}

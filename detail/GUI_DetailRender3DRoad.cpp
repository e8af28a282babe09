// The per-frame road of the 3D renderer: which handle to draw, whether to
// record it into a cached display object, replay one, or draw directly,
// and everything set up around the draw (move mode, selection mask, lights,
// winding, object transform, timing) and undone after it.

#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailWriteLock.h"
#include "host/GR/GR_Detail.h"
#include "host/GU/GU_Detail.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Render.h"
#include "host/RE/RE_Shader.h"
#include "host/TIL/TIL_TextureCache.h"
#include "host/UT/UT_Performance.h"
#include "host/UT/UT_StopWatch.h"
#include "host/UT/UT_String.h"

#include <cstring>

// What renderSingle set up and must undo, whichever way it leaves.
struct GUI_DetailRender3D::RoadState
{
    GR_DisplayOption *primary = nullptr;
    GR_DisplayOption *selection = nullptr;
    bool noSelection = false;
    GR_ShadingMode savedModes[GUI_NUM_DETAIL_TYPES] = {};
    unsigned mask = 0;
    bool maskApplied = false;
    bool picking = false;
    bool timing = false;
    bool eventStarted = false;
    bool watching = false;
    UT_StopWatch watch;
    bool useCache = false;
    bool bypass = false;
    bool cacheOk = true;
    float lod = 1.0f;
    int kind = 0;
};

void
GUI_DetailRender3D::render(RE_Render *r, short, short, short, short, void *)
{
    if (!getDetailLook())
        return;
    prepareObjectCache(r);
    drawEachHandle(r, myGeoIdx, false, [&] { renderSingle(r); });
}

bool
GUI_DetailRender3D::belongsToChosenDopnet(const GU_Detail &gdp)
{
    const char *path = GUI_DetailLook::getGlobalChosenDopnetPath();
    if (!path || !*path)
        return false;
    const GB_Attribute *names = gdp.primitiveAttribs().find("dopobject", GB_ATTRIB_STRING);
    if (!names)
        names = gdp.detailAttribs().find("dopobject", GB_ATTRIB_STRING);
    if (!names || names->getNumStrings() < 1)
        return false;
    const char *first = names->getTableString(0);
    const size_t length = std::strlen(path);
    return first && std::strncmp(first, path, length) == 0 && first[length] == ':';
}

bool
GUI_DetailRender3D::updateStableFrames(RE_Render *r, const GU_Detail &gdp,
                                       bool cacheable)
{
    // Both settings are read on the first draw, cacheable or not, so the
    // message that caching is off appears whatever the scene holds.
    const bool disabled = isCachingDisabled();
    const int threshold = getDisplayListThreshold();
    if (!cacheable)
        return false;
    const int i = myGeoIdx;
    if (gdp.getUniqueId() == myHandles[i].geoId && gdp.getChangeCount() == myHandles[i].geoVersion)
    {
        if (myHandles[i].stableFrames < threshold)
            ++myHandles[i].stableFrames;
    }
    else
    {
        deleteObjectCache(r, i);
        myHandles[i].geoId = gdp.getUniqueId();
        myHandles[i].geoVersion = gdp.getChangeCount();
    }
    return !disabled && myHandles[i].stableFrames >= threshold &&
           r->getDisplayObjectSuppression() == 0;
}

int
GUI_DetailRender3D::getCacheIndex(RE_Render *r, float &lod, GU_Detail *gdp,
                                  const GR_DisplayOption *primary,
                                  const GR_DisplayOption *selection, int &kind)
{
    const GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    const GR_CommonDispOption &common = global.common();
    if (myMovingOverride)
    {
        kind = 3;
        lod = common.getLOD();
        return 41;
    }
    if (global.isXrayPass())
    {
        kind = 2;
        lod = common.getLOD();
        return 40;
    }
    const bool a = primary && primary->drawCategory() != GR_DRAW_WIRE;
    const bool b = selection && selection->drawCategory() != GR_DRAW_WIRE;
    kind = a == b ? int(a) : 1;
    const int base = kind + (common.getDrawStateBit(GR_DRAWSTATE_SECOND_PASS) ? 2 : 0);

    r->pushMatrix();
    r->multiplyMatrix(myXform);
    int level = GR_Detail::queryNewLOD(gdp, *r, common.getLOD(), lod);
    r->popMatrix();
    // Ten levels have slots; a drawer proposing more gets the coarsest.
    level = level < 0 ? 0 : (level > 9 ? 9 : level);
    return base + 4 * level;
}

GUI_DisplayOption &
GUI_DetailRender3D::cacheOptions(int kind) const
{
    // A kind never built compares as freshly made options did.
    static GUI_DisplayOption theUnbuilt;
    return myCacheOptions[kind] ? *myCacheOptions[kind] : theUnbuilt;
}

std::shared_ptr<GUI_DisplayOption>
GUI_DetailRender3D::snapshotOptions(GUI_DisplayOption &global)
{
    // The last snapshot is handed out again while the options it holds
    // match in everything a cache check compares.
    static std::shared_ptr<GUI_DisplayOption> theLast;
    if (!theLast || !theLast->gdpOptionsEqual(global, true, false))
    {
        theLast = std::make_shared<GUI_DisplayOption>();
        theLast->copyGdpOptions(global);
    }
    return theLast;
}

bool
GUI_DetailRender3D::relaxedFor(int kind) const
{
    if (kind == 0 || kind == 2)
        return true;
    if (kind == 1)
        return !myFlags.needsSecondPass() &&
               !GUI_DetailLook::globalDispOption().common().getOption(
                   GR_COMMON_BLOCK_CACHE_SECOND);
    return false;
}

bool
GUI_DetailRender3D::checkCache(RE_Render *r, int slot, int kind, bool picking,
                               bool useCache)
{
    const int i = myGeoIdx;
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    auto stillValid = [&](bool relaxed) {
        return cacheOptions(kind).gdpOptionsEqual(global, true, relaxed) &&
               myTextureVersion >= TIL_TextureCache::getVersion();
    };

    if (validCacheExists())
    {
        const bool relaxed = picking && useCache && relaxedFor(kind);
        if (!useCache)
        {
            deleteObjectCache(r, i);
            return false;
        }
        if (!stillValid(relaxed))
        {
            deleteObjectCache(r, -1);
            return false;
        }
        if (r->isSmartObjectDirty(myHandles[i].slots[slot]))
        {
            deleteObjectCache(r, i);
            return false;
        }
        return true;
    }
    if (useCache && validCacheExistsForOtherDetail())
    {
        const bool relaxed = picking && relaxedFor(kind);
        if (!stillValid(relaxed))
        {
            deleteObjectCache(r, -1);
            return false;
        }
    }
    return useCache;
}

void
GUI_DetailRender3D::renderSingle(RE_Render *r)
{
    const int i = myGeoIdx;
    GUI_DetailLook *look = getDetailLook();
    if (!r || !look || i < 0 || i >= int(myHandles.size()))
        return;
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    GR_CommonDispOption &common = global.common();

    RoadState road;
    road.picking = r->isPicking();
    UT_Performance *perf = UTgetPerformance();
    road.timing = perf->isRecordingObjectDrawEvents() && !road.picking;

    const bool visible = isVisible(global);
    GUI_DetailWriteLock lock(getDetailHandle(i));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp || myZeroXform || !visible)
        return;
    if (belongsToChosenDopnet(*gdp))
        return;

    // Move mode: a slow object is drawn in the move shading while the
    // viewport moves.
    for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
        road.savedModes[k] = global[GUI_DetailType(k)].shadingMode();
    if (global.currentlyMoving() && myLastRenderTime >= global.moveThreshold())
    {
        myMovingOverride = true;
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
            global[GUI_DetailType(k)].shadingMode(GR_ShadingMode(global.moveMode()));
    }

    getDisplayOptions(road.primary, road.selection, road.noSelection);
    GR_DisplayOption *primary = road.primary;
    GR_DisplayOption *selection = road.selection;
    const bool shaderReq = (primary && primary->useShaders()) ||
                           (selection && selection->useShaders());
    const bool shaded = (primary && primary->isShaded()) ||
                        (selection && selection->isShaded());

    const bool blockA = common.getOption(GR_COMMON_BLOCK_CACHE_FIRST) &&
                        gdp->getCacheBlockCount(0) != 0;
    const bool blockB = common.getOption(GR_COMMON_BLOCK_CACHE_SECOND) &&
                        gdp->getCacheBlockCount(1) != 0;
    if (common.getOption(GR_COMMON_SHADE_OPEN_CURVES) && shaded)
        common.setDrawStateBit(GR_DRAWSTATE_SHADE_OPEN_CURVES,
                               myFlags.allowShadingOpenCurves());
    common.setOption(GR_COMMON_DISPLAY_AS_SUBDIV, myFlags.displayAsSubdiv());

    const bool cacheable = gdp->getCacheable() && !blockA && !blockB && !shaderReq &&
                           !common.getDrawStateBit(GR_DRAWSTATE_SHADE_OPEN_CURVES) &&
                           !look->getIsDetailTempSelected(i);
    road.useCache = updateStableFrames(r, *gdp, cacheable);

    // In the second pass only objects that asked for it draw.
    if (common.getDrawStateBit(GR_DRAWSTATE_SECOND_PASS) && !myFlags.needsSecondPass())
    {
        finishRoad(r, road, false);
        return;
    }

    road.mask = global.getSelectMask();
    if (global.applySelectMask() && isPickingOn() && !isTemplated() &&
        !ignoreSelection() && !isGuide() && road.mask != 0)
    {
        applySelectionMask(primary, selection, road.mask);
        road.maskApplied = true;
    }

    if (global.moveModeOn() && !myMovingOverride)
    {
        road.watch.start();
        road.watching = true;
    }

    if (road.timing)
    {
        UT_String path;
        look->getDetailDescriptivePath(path, i);
        const char *name = global.isXrayPass()
                               ? (road.useCache ? "xray drawlist" : "xray draw    ")
                               : (road.useCache ? "drawlist" : "draw    ");
        perf->startEvent(name, nullptr, path.nonNullOrNull(), -1);
        road.eventStarted = true;
    }

    const int slot = getCacheIndex(r, road.lod, gdp, primary, selection, road.kind);
    road.useCache = checkCache(r, slot, road.kind, road.picking, road.useCache);
    // Cached objects may be replayed while picking, never built.
    if (road.picking)
        road.useCache = false;

    // Lights.
    const GR_HighQualityPass pass = getGlobalHighQualityPass();
    const bool highQualityLights = drawLit() && pass >= GR_HQ_PASS_1 && pass <= GR_HQ_DEPTH;
    const bool savedSpecular = r->isSpecular();
    if (shaded)
    {
        if (savedSpecular != global.drawSpecular())
            r->setSpecular(global.drawSpecular());
        if (highQualityLights)
        {
            const bool any = setHighQualityLightState(r, true);
            if (!any && !getGlobalHighQualityDepthInit() &&
                (pass == GR_HQ_PASS_2 || pass == GR_HQ_PASS_3))
            {
                if (r->isSpecular() != savedSpecular)
                    r->setSpecular(savedSpecular);
                finishRoad(r, road, false);
                return;
            }
        }
        else
            defineLights(r, true, false, false);
    }

    road.bypass = !(pass == GR_HQ_NONE ||
                    (pass == GR_HQ_PASS_3 && getGlobalHighQualityDepthInit()));
    if (road.bypass)
        road.useCache = false;

    const bool savedWinding = r->getReverseWinding();
    if (savedWinding != myReverseWinding)
        r->setReverseWinding(myReverseWinding);
    r->pushMatrix();
    r->multiplyMatrix(getDetailXform(i));

    OP_Node *sop = getSop();
    const bool footprint = sop && isFootprinted() && sop->hasRefOutputs(true);
    if (footprint)
        r->pushLineStyle(RE_LINE_DASHED);

    drawOrReplay(r, road, slot, gdp);

    if (footprint)
        r->popLineStyle();
    if (getShowAxes())
        renderAxes(r);
    if (global.showObjectNames())
        renderObjectName(r, gdp, global.showFullNames());
    if (savedWinding != myReverseWinding)
        r->setReverseWinding(savedWinding);
    r->popMatrix();

    if (shaded)
    {
        if (r->isSpecular() != savedSpecular)
            r->setSpecular(savedSpecular);
        if (highQualityLights)
            setHighQualityLightState(r, false);
        else
            lightsOff(r);
    }
    if (getShowAxes())
        renderPivotLabel(r);
    finishRoad(r, road, true);
}

void
GUI_DetailRender3D::drawOrReplay(RE_Render *r, RoadState &road, int slot,
                                 GU_Detail *gdp)
{
    const int i = myGeoIdx;
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    ++r->getFrameStats().objectsDrawn;
    if (myHandles[i].slots[slot] < 0 || road.bypass)
    {
        const int id = road.useCache ? r->startSmartObjectDefine() : -1;
        if (road.kind == 1 && !global.common().getDrawStateBit(GR_DRAWSTATE_SECOND_PASS) &&
            i == 0)
            myFlags.needsSecondPass(false);
        draw(*r, road.lod, gdp, road.selection, road.primary, road.noSelection);
        if (id >= 0)
        {
            road.cacheOk = r->endSmartObjectDefine();
            myHandles[i].slots[slot] = id;
            ++myHandles[i].cachedSlots;
            ++myCachedTotal;
            myCacheOptions[road.kind] = snapshotOptions(global);
            myTextureVersion = TIL_TextureCache::getVersion();
            // Drawn from the cache from now on: the arrays it was drawn from
            // are built again only if it must draw uncached.
            if (road.cacheOk)
                GR_Detail::releaseDrawData(*gdp);
        }
    }

    const int id = myHandles[i].slots[slot];
    if (id < 0 || road.bypass)
        return;
    if (road.picking)
        GUI_DetailLook::setPickDisplayListUsedFlag(true);
    for (int shaderId : r->getShadersUsedBySmartObject(id))
        if (RE_Shader *shader = RE_Shader::getShader(shaderId))
            r->bindBuiltInUniforms(shader, 1);
    // Objects whose transforms stayed as long as caching waits are drawn
    // together with the rest of their run.
    r->setBatchStableRuns(getDisplayListThreshold());
    r->drawObject(id);
    if (!road.cacheOk)
        r->deletePendingShadersFromSmartObjectCreation();
}

void
GUI_DetailRender3D::finishRoad(RE_Render *, RoadState &road, bool measured)
{
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    global.common().setDrawStateBit(GR_DRAWSTATE_SHADE_OPEN_CURVES, false);
    if (road.maskApplied)
        restoreSelectionMask(road.primary, road.selection, road.mask);
    if (myMovingOverride)
    {
        myMovingOverride = false;
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
            global[GUI_DetailType(k)].shadingMode(road.savedModes[k]);
    }
    else if (measured && road.watching)
        myLastRenderTime = int(road.watch.stop() * 1000.0);
    if (road.eventStarted)
        UTgetPerformance()->stopEvent(1);
}

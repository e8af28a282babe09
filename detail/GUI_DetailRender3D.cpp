#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_DetailLook.h"
#include "host/RE/RE_Displace.h"
#include "host/RE/RE_Material.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_EnvControl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// 1: zero-transform checking is off and that has been said; 0: it is on
// and that has been said. Messages go out only when this changes.
int theZeroXformMessageState = 1;
const char *theCheckXformHint = "(setenv VANTREL_CHECK_XFORM)";
}

GUI_DetailRender3D::GUI_DetailRender3D() = default;

GUI_DetailRender3D::GUI_DetailRender3D(const GUI_DetailRender3D &src)
    : GUI_DetailRender(src)
{
    copyFrom(src);
    resizeCache(int(src.myHandles.size()));
}

GUI_DetailRender3D &
GUI_DetailRender3D::operator=(const GUI_DetailRender3D &src)
{
    if (this == &src)
        return *this;
    GUI_DetailRender::operator=(src);
    deleteObjectCache(nullptr, -1);
    setREMaterial(nullptr, src.myMaterial);
    setREDisplace(src.myDisplace);
    copyFrom(src);
    keepUnreleasedCache(int(src.myHandles.size()));
    return *this;
}

// Copies everything but the cached display objects, which stay with the
// renderer that built them, so each is deleted once. The material and
// displacement references must already be settled by the caller (a copy
// constructor takes its own).
void
GUI_DetailRender3D::copyFrom(const GUI_DetailRender3D &src)
{
    if (myMaterial != src.myMaterial)
    {
        myMaterial = src.myMaterial;
        if (myMaterial)
            myMaterial->upRef();
    }
    if (myDisplace != src.myDisplace)
    {
        myDisplace = src.myDisplace;
        if (myDisplace)
            myDisplace->bumpRefCount(1);
    }
    myFlags = src.myFlags;
    myMaterialXform = src.myMaterialXform;
    myXform = src.myXform;
    myPivot = src.myPivot;
    for (int kind = 0; kind < NUM_CACHE_KINDS; ++kind)
        myCacheOptions[kind] = src.myCacheOptions[kind];
    myLights = src.myLights;
    myNumLights = src.myNumLights;
    myTextureVersion = src.myTextureVersion;
    myLastRenderTime = src.myLastRenderTime;
    myMovingOverride = src.myMovingOverride;
    myZeroXform = src.myZeroXform;
    myReverseWinding = src.myReverseWinding;
    myHiddenGeometry = src.myHiddenGeometry;
    myGeoIdx = src.myGeoIdx;
}

// After an assignment: the cache takes the source's size, but objects that
// could not be released (no context at the time) stay recorded, and their
// handles forget the geometry they drew, so the next draw releases them.
void
GUI_DetailRender3D::keepUnreleasedCache(int handles)
{
    int keep = handles;
    for (int i = 0; i < int(myHandles.size()); ++i)
    {
        HandleCache &handle = myHandles[i];
        handle.geoId = handle.geoVersion = -1;
        handle.stableFrames = 0;
        for (int id : handle.slots)
            if (id >= 0)
                keep = std::max(keep, i + 1);
    }
    resizeCache(keep);
}

GUI_DetailRender3D::~GUI_DetailRender3D()
{
    if (myMaterial)
        myMaterial->downRef();
    if (myDisplace)
        myDisplace->bumpRefCount(-1);
    deleteObjectCache(RE_Render::getMainRender(), -1);
}

void
GUI_DetailRender3D::setREMaterial(RE_Render *r, RE_Material *material)
{
    if (material == myMaterial)
        return;
    deleteObjectCache(r, -1);
    if (material)
        material->upRef();
    if (myMaterial)
        myMaterial->downRef();
    myMaterial = material;
}

void
GUI_DetailRender3D::setREDisplace(RE_Displace *displace)
{
    if (displace == myDisplace)
        return;
    if (displace)
        displace->bumpRefCount(1);
    if (myDisplace)
        myDisplace->bumpRefCount(-1);
    myDisplace = displace;
}

void
GUI_DetailRender3D::setLightArray(RE_Light *const *lights, int count)
{
    if (count < 1 || !lights)
    {
        myLights = nullptr;
        myNumLights = 0;
        return;
    }
    myLights = lights;
    myNumLights = count;
}

bool
GUI_DetailRender3D::setXform(const UT_Matrix4 &xform)
{
    myXform = xform;
    // A NaN determinant is not below 0, so it does not mirror.
    myReverseWinding = myXform.determinant3() < 0.0f;

    // Read afresh each time: the check may be switched while the program runs.
    float eps = UT_EnvControl::readFloat("VANTREL_CHECK_XFORM", 0.0f);
    if (eps > 0.0f && theZeroXformMessageState == 1)
    {
        std::fprintf(stderr, "checking zero xforms %g. %s\n", double(eps),
                     theCheckXformHint);
        theZeroXformMessageState = 0;
    }
    else if (eps <= 0.0f && theZeroXformMessageState == 0)
    {
        theZeroXformMessageState = 1;
        std::fprintf(stderr, "disabling checking zero xforms. %s\n",
                     theCheckXformHint);
    }

    myZeroXform = false;
    if (eps > 0.0f)
    {
        // Only the 3x3 block counts: a translation alone draws nothing.
        myZeroXform = true;
        for (int row = 0; row < 3 && myZeroXform; ++row)
            for (int col = 0; col < 3; ++col)
            {
                float v = myXform(row, col);
                if (!(v >= -eps && v <= eps))
                {
                    myZeroXform = false;
                    break;
                }
            }
    }
    return !myZeroXform;
}

const GU_PrimGroupClosure *
GUI_DetailRender3D::hiddenGeometry() const
{
    return myHiddenGeometry.isValid() ? &myHiddenGeometry : nullptr;
}

float
GUI_DetailRender3D::getValidLOD() const
{
    return GUI_DetailLook::globalDispOption().common().getLOD();
}

bool
GUI_DetailRender3D::validCacheExists() const
{
    if (myGeoIdx < 0 || myGeoIdx >= int(myHandles.size()))
        return false;
    return myHandles[myGeoIdx].cachedSlots > 0;
}

bool
GUI_DetailRender3D::validCacheExistsForOtherDetail() const
{
    if (int(myHandles.size()) < 2)
        return false;
    const int own = myGeoIdx >= 0 && myGeoIdx < int(myHandles.size()) ? myHandles[myGeoIdx].cachedSlots : 0;
    return myCachedTotal > own;
}

void
GUI_DetailRender3D::resizeCache(int handles)
{
    myHandles.resize(handles < 0 ? 0 : size_t(handles));
    // Slots that kept their objects (no context to release them) still count.
    myCachedTotal = 0;
    for (HandleCache &handle : myHandles)
    {
        handle.cachedSlots = 0;
        for (int id : handle.slots)
            if (id >= 0)
                ++handle.cachedSlots;
        myCachedTotal += handle.cachedSlots;
    }
}

void
GUI_DetailRender3D::prepareObjectCache(RE_Render *r)
{
    int handles = getDetailLook() ? getDetailLook()->getNumDetailHandles() : 0;
    if (handles == int(myHandles.size()))
        return;
    deleteObjectCache(r, -1);
    resizeCache(handles);
}

void
GUI_DetailRender3D::deleteObjectCache(RE_Render *r, int index)
{
    r = cacheReleaseContext(r);
    if (!r)
        return;

    r->lockContextForRender();
    int first = index < 0 ? 0 : index;
    int last = index < 0 ? int(myHandles.size()) : index + 1;
    for (int i = first; i < last && i < int(myHandles.size()); ++i)
    {
        for (int &id : myHandles[i].slots)
        {
            if (id >= 0)
            {
                r->deleteSmartObject(id);
                id = -1;
            }
        }
        myCachedTotal -= myHandles[i].cachedSlots;
        myHandles[i].cachedSlots = 0;
        myHandles[i].stableFrames = 0;
        myHandles[i].geoId = -1;
        myHandles[i].geoVersion = -1;
    }
    r->unlockContextAfterRender();
}

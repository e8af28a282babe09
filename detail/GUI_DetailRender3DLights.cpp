// Lights of the 3D renderer (the headlight, object lights, high-quality
// pass lights) and the library-wide settings that control caching.

#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_CacheSettings.h"

#include "host/RE/RE_Light.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_EnvControl.h"

#include <algorithm>
#include <cstdio>

namespace
{
UT_Matrix4 theGlobalLightXform;
GR_HighQualityPass theHighQualityPass = GR_HQ_NONE;
bool theHighQualityDepthInit = false;
UT_PtrArray<RE_Light *> *theHighQualityLights = nullptr;

// The 3D renderer's own copy of the caching settings.
GUI_CacheSettings theCacheSettings;

// The headlight comes from above and to the right of the viewer.
const UT_Vector3 theDefaultHeadlightPos(0.35f, 0.55f, 1.0f);
} // namespace

RE_Light *
GUI_DetailRender3D::getHeadlight()
{
    // Never deleted: render contexts may still refer to it at exit.
    static RE_Light *theHeadlight = [] {
        RE_Light *light = new RE_Light("_ui3d_HeadLight_");
        light->setFlag(RE_Light::RE_LIGHT_INFINITE, true);
        light->setColor(1.0f, 1.0f, 1.0f);
        light->setPosition(theDefaultHeadlightPos);
        light->setDirection(-theDefaultHeadlightPos);
        return light;
    }();
    return theHeadlight;
}

bool
GUI_DetailRender3D::isHeadlight(const RE_Light *light)
{
    return light == getHeadlight();
}

UT_Vector3
GUI_DetailRender3D::getGlobalLightPos()
{
    return getHeadlight()->getPosition();
}

void
GUI_DetailRender3D::setGlobalLightPos(const UT_Vector3 &pos)
{
    getHeadlight()->setDirection(-pos);
    getHeadlight()->setPosition(pos);
}

void
GUI_DetailRender3D::setGlobalLightXform(const UT_Matrix4 &xform)
{
    theGlobalLightXform = xform;
}

void
GUI_DetailRender3D::setGlobalHighQualityPass(GR_HighQualityPass pass)
{
    theHighQualityPass = pass;
}

GR_HighQualityPass
GUI_DetailRender3D::getGlobalHighQualityPass()
{
    return theHighQualityPass;
}

void
GUI_DetailRender3D::setGlobalHighQualityDepthInit(bool on)
{
    theHighQualityDepthInit = on;
}

bool
GUI_DetailRender3D::getGlobalHighQualityDepthInit()
{
    return theHighQualityDepthInit;
}

void
GUI_DetailRender3D::setGlobalHighQualityLights(const UT_PtrArray<RE_Light *> &lights)
{
    if (!theHighQualityLights)
        theHighQualityLights = new UT_PtrArray<RE_Light *>;
    *theHighQualityLights = lights;
}

void
GUI_DetailRender3D::clearGlobalHighQualityLights()
{
    if (theHighQualityLights)
        theHighQualityLights->clear();
}

bool
GUI_DetailRender3D::isCachingDisabled()
{
    return theCacheSettings.isCachingDisabled();
}

int
GUI_DetailRender3D::getDisplayListThreshold()
{
    return theCacheSettings.getDisplayListThreshold();
}

// The headlight is placed in the camera's own space, so it lights what the
// viewer faces from wherever the camera stands.
static void
placeHeadlight(RE_Render *r, bool on)
{
    if (!on)
    {
        r->setLightState(GUI_DetailRender3D::getHeadlight(), false);
        return;
    }
    r->pushMatrix();
    if (r->getMatrixMode() != RE_MATRIX_VIEWING)
        r->matrixMode(RE_MATRIX_VIEWING);
    r->loadIdentityMatrix();
    r->setLightState(GUI_DetailRender3D::getHeadlight(), true);
    r->popMatrix();
}

void
GUI_DetailRender3D::defineLights(RE_Render *r, int on, bool denormalize,
                                 bool normalized)
{
    RE_Light *headlight = getHeadlight();
    if (on)
    {
        if (!r->isLightDefined(headlight))
            r->defineLight(headlight, normalized);
        for (int k = 0; k < myNumLights; ++k)
            if (myLights[k] && !r->isLightDefined(myLights[k]))
                r->defineLight(myLights[k], normalized);
    }
    else if (denormalize && normalized)
    {
        if (r->isLightDefined(headlight))
            r->deNormalizeLightDefinition(headlight);
        for (int k = 0; k < myNumLights; ++k)
            if (r->isLightDefined(myLights[k]))
                r->deNormalizeLightDefinition(myLights[k]);
    }
    if (denormalize)
        return;

    if (!myLights)
    {
        placeHeadlight(r, on != 0);
        return;
    }
    const bool moved = on && myFlags.useGlobalLightXform();
    if (moved)
    {
        r->pushMatrix();
        r->multiplyMatrix(theGlobalLightXform);
    }
    for (int k = 0; k < myNumLights; ++k)
        r->setLightState(myLights[k], on != 0);
    if (moved)
        r->popMatrix();
}

void
GUI_DetailRender3D::setLights(RE_Render *r, int on)
{
    r->toggleLighting(on != 0);
}

bool
GUI_DetailRender3D::setHighQualityLightState(RE_Render *r, int on)
{
    if (!theHighQualityLights || theHighQualityLights->entries() == 0)
        return false;
    bool any = false;
    for (int k = 0; k < theHighQualityLights->entries(); ++k)
    {
        RE_Light *light = (*theHighQualityLights)(k);
        if (!light)
            continue;
        const bool ours = isHeadlight(light) ||
                          std::find(myLights, myLights + myNumLights, light) !=
                              myLights + myNumLights;
        if (!ours)
            continue;
        if (on && isHeadlight(light))
            placeHeadlight(r, true);
        else
            r->setLightState(light, on != 0);
        any = true;
    }
    return any;
}

void
GUI_DetailRender3D::lightsOff(RE_Render *r)
{
    if (!myLights)
    {
        placeHeadlight(r, false);
        return;
    }
    for (int k = 0; k < myNumLights; ++k)
        r->setLightState(myLights[k], false);
}

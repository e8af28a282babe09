// Mapping between window positions and the world for GUI_SceneFeel.

#include "scene/GUI_SceneFeel.h"

#include "host/RE/RE_Render.h"
#include "host/UI/UI_Event.h"
#include "host/UI/UI_Value.h"
#include "host/UT/UT_Plane.h"
#include "scene/GUI_MapRetry.h"
#include "view/GUI_ViewState.h"

#include <cmath>

namespace
{
// What every position maps to when there is no way to map it.
const UT_Vector3 theFailFirst(0.0f, 0.0f, 1.0f);
const UT_Vector3 theFailSecond(0.0f, 0.0f, 0.0f);

bool
isFiniteDifference(float a, float b)
{
    return std::isfinite(double(a - b));
}

// One try of the mapping: mapWorld succeeded and the ray it gives has a
// finite direction.
bool
tryMap(RE_Render &r, float wx, float wy, const short vp[4], const UT_Matrix4 &projection,
       const UT_Matrix4 &transform, UT_Vector3 &first, UT_Vector3 &second)
{
    float p[6];
    if (r.mapWorld(wx, wy, vp[0], vp[1], vp[2], vp[3], projection, transform, p[0], p[1], p[2],
                   p[3], p[4], p[5]) != 0)
        return false;
    if (!isFiniteDifference(p[0], p[3]) || !isFiniteDifference(p[1], p[4]) ||
        !isFiniteDifference(p[2], p[5]))
        return false;
    first.assign(p[0], p[1], p[2]);
    second.assign(p[3], p[4], p[5]);
    return true;
}
} // namespace

void
GUI_SceneFeel::mappingMatrices(UT_Matrix4 &projection, UT_Matrix4 &transform)
{
    if (!myUseViewMatrices)
    {
        projection = myCachedProjection;
        transform = myCachedTransform;
        return;
    }
    GUI_ViewParameter &main = getViewStateRef().getViewParameterRef();
    projection = main.getProjectionMatrix();
    main.updateTransformMatrix();
    transform = main.getTransformMatrix();
}

void
GUI_SceneFeel::privateMapToWorld(float x, float y, UT_Vector3 &first, UT_Vector3 &second)
{
    RE_Render *r = getRender();
    if (!r)
    {
        first = theFailFirst;
        second = theFailSecond;
        return;
    }
    r->lockContextForRender();
    UT_Matrix4 projection, transform;
    mappingMatrices(projection, transform);
    short vp[4];
    getViewStateRef().getViewParameterRef().getViewport(vp[0], vp[1], vp[2], vp[3]);
    const float wx = float(vp[0]) + x;
    const float wy = float(vp[2]) + y;

    bool ok = tryMap(*r, wx, wy, vp, projection, transform, first, second);
    UT_Matrix4 jittered = transform;
    for (int i = 0; !ok && i < theMapRetries; ++i)
    {
        GUIjitterMapTransform(i, transform, jittered);
        ok = tryMap(*r, wx, wy, vp, projection, jittered, first, second);
    }
    if (!ok)
    {
        first = theFailFirst;
        second = theFailSecond;
    }
    r->unlockContextAfterRender();
}

void
GUI_SceneFeel::mapToWorld(float x, float y, UT_Vector3 &dir, UT_Vector3 &orig)
{
    UT_Vector3 first, second;
    privateMapToWorld(x, y, first, second);
    dir = first - second;
    dir.normalize();
    orig = first;
}

void
GUI_SceneFeel::mapToWorld(float x, float y, UT_Vector3 &dir)
{
    UT_Vector3 orig;
    mapToWorld(x, y, dir, orig);
}

void
GUI_SceneFeel::mapToWorldPoint(float x, float y, UT_Vector3 &p)
{
    UT_Vector3 dir, orig;
    mapToWorld(x, y, dir, orig);
    p = orig + dir * 10.0f;
}

int
GUI_SceneFeel::mapToPlane(float x, float y, const UT_Plane &plane, UT_Vector3 &hit)
{
    UT_Vector3 dir, orig;
    mapToWorld(x, y, dir, orig);
    return plane.intersectLine(orig, dir, hit);
}

int
GUI_SceneFeel::mapToLine(float x, float y, const UT_Vector3 &p, const UT_Vector3 &v,
                         UT_Vector3 &res)
{
    UT_Vector3 dir, orig;
    mapToWorld(x, y, dir, orig);
    return res.lineIntersect(p, v, orig, dir);
}

int
GUI_SceneFeel::mapToSegment(float x, float y, const UT_Vector3 &a, const UT_Vector3 &b,
                            UT_Vector3 &res)
{
    UT_Vector3 dir, orig;
    mapToWorld(x, y, dir, orig);
    switch (res.segLineIntersect(a, b, orig, dir))
    {
    case -3: return 2;
    case -2: return 1;
    case 0: return 0;
    default: return -1;
    }
}

void
GUI_SceneFeel::mapToScreen(const UT_Vector3 &p, float &sx, float &sy)
{
    RE_Render *r = getRender();
    if (!r)
    {
        sx = sy = 0.0f;
        return;
    }
    r->lockContextForRender();
    UT_Matrix4 projection, transform;
    mappingMatrices(projection, transform);
    short x1, x2, y1, y2;
    getViewStateRef().getViewParameterRef().getViewport(x1, x2, y1, y2);
    beginDraw();
    const int failed = r->mapScreen(p, x1, x2, y1, y2, projection, transform, sx, sy);
    endDraw();
    if (failed == 0)
        setRelative(&sx, &sy, 0, nullptr);
    else
        sx = sy = 0.0f;
    r->unlockContextAfterRender();
}

UI_Event *
GUI_SceneFeel::mapEvent(UI_Event *ev, const UT_Plane &plane)
{
    if (!ev || !ev->getValue())
        return nullptr;
    float buf[3];
    ev->getValue()->getValue(buf, 2);
    UT_Vector3 hit;
    if (mapToPlane(buf[0], buf[1], plane, hit) != 0)
        return nullptr;
    buf[0] = hit.x(), buf[1] = hit.y(), buf[2] = hit.z();
    ev->getValue()->setValue(buf, 3);
    return ev;
}

UI_Event *
GUI_SceneFeel::mapEvent(UI_Event *ev, const UT_Vector3 &p, const UT_Vector3 &v)
{
    if (!ev || !ev->getValue())
        return nullptr;
    float buf[3];
    ev->getValue()->getValue(buf, 2);
    UT_Vector3 res;
    if (mapToLine(buf[0], buf[1], p, v, res) != 0)
        return nullptr;
    buf[0] = res.x(), buf[1] = res.y(), buf[2] = res.z();
    ev->getValue()->setValue(buf, 3);
    return ev;
}

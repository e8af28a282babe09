// Loading the camera into a render context: viewport, projection and
// transform; and scrolling, which measures world units per pixel through it.

#include "view/GUI_ViewParameter.h"

#include "host/RE/RE_Render.h"
#include "host/UT/UT_ErrorManager.h"
#include "host/UT/UT_Finite.h"

#include <algorithm>
#include <cmath>

void
GUI_ViewParameter::setViewport(RE_Render *r, short x, short y, short width, short height)
{
    myViewportX1 = x;
    myViewportX2 = static_cast<short>(x + width - 1);
    myViewportY1 = y;
    myViewportY2 = static_cast<short>(y + height - 1);
    // With no context the camera only records its viewport.
    if (!r)
        return;

    short mask_x1, mask_x2, mask_y1, mask_y2;
    r->getScreenMask2DS(mask_x1, mask_x2, mask_y1, mask_y2);
    r->viewport2DS(myViewportX1, myViewportX2, myViewportY1, myViewportY2);

    // Drawing must stay inside both the old mask and the new viewport.
    r->screenMask2DS(std::max(mask_x1, myViewportX1), std::min(mask_x2, myViewportX2),
                     std::max(mask_y1, myViewportY1), std::min(mask_y2, myViewportY2));
}

void
GUI_ViewParameter::setProjection(RE_Render *r)
{
    const float view_w = float(myViewX2 - myViewX1 + 1);
    const float view_h = float(myViewY2 - myViewY1 + 1);

    // Working limits, kept usable for the projection without changing the
    // stored ones.
    float n = myNear;
    float f = myFar;
    if (n <= 0.0f)
    {
        f = (f - n) + 0.01f;
        n = 0.01f;
    }
    if (f - n < 0.01f)
        f = n + 0.01f;

    const bool ortho = myFlag.ortho();
    const float w = getFrustumWidth(n, myAperture, myFocalLength, myOrthoWidth, ortho);
    const float h = w * view_h / view_w;

    const float cx = w * myWinX;
    const float cy = h * myWinY;
    const float hw = w * myWinSizeX * 0.5f;
    const float hh = h * myWinSizeY * 0.5f;
    float left = cx - hw;
    float right = cx + hw;
    float bottom = cy - hh;
    float top = cy + hh;

    // The view area shows exactly the window; the margins around it show
    // more of the scene at the same scale.
    if (myViewX1 > myViewportX1)
        left -= 2.0f * hw * float(myViewX1 - myViewportX1) / view_w;
    if (myViewX2 < myViewportX2)
        right += 2.0f * hw * float(myViewportX2 - myViewX2) / view_w;
    if (myViewY1 > myViewportY1)
        bottom -= 2.0f * hh * float(myViewY1 - myViewportY1) / view_h;
    if (myViewY2 < myViewportY2)
        top += 2.0f * hh * float(myViewportY2 - myViewY2) / view_h;

    updateTransformMatrix();

    // A zero focal length or view size, or non-finite stored values, give no
    // usable frustum: keep the last good projection and transform rather
    // than hand the context NaNs, and say so once per call.
    const float frustum[6] = {left, right, bottom, top, n, f};
    const bool frustum_ok = UTisFinite(frustum, 6) && right > left && top > bottom &&
                            (ortho || n > 0.0f);
    if (!frustum_ok || !UTisFinite(myTransform))
    {
        UTaddWarning("GUI", 1, "The camera has no finite projection; the last good one is kept.");
        return;
    }

    if (ortho)
        r->ortho3DW(left, right, bottom, top, n, f);
    else
        r->window3DW(left, right, bottom, top, n, f);

    // While picking, the context's projection is narrowed to the pick
    // region; keep the last full one.
    if (!r->isPicking())
        myProjection = r->getAMatrix(RE_MATRIX_PROJECTION_ALT);

    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadMatrix(myTransform);

    myLastNear = n;
    myLastFar = f;
    myLastWinCenterX = cx;
    myLastWinCenterY = cy;
    myLastWinWidth = 2.0f * hw;
    myLastWinHeight = 2.0f * hh;
    myLastFrustumWidth = w;
    myLastFrustumHeight = h;
}

void
GUI_ViewParameter::viewToViewportProjectionBounds(float &l, float &r, float &b, float &t) const
{
    const float view_w = float(getViewWidth());
    const float view_h = float(getViewHeight());
    const float dx = r - l;
    const float dy = t - b;

    if (short margin = getLeftMargin())
        l -= float(margin) * dx / view_w;
    if (short margin = getRightMargin())
        r += float(margin) * dx / view_w;
    if (short margin = getBottomMargin())
        b -= float(margin) * dy / view_h;
    if (short margin = getTopMargin())
        t += float(margin) * dy / view_h;
}

void
GUI_ViewParameter::scroll(RE_Render *r, float dx, float dy)
{
    UT_Rect<UT_InclusiveRectImpl> rect(myViewportX1, myViewportY1, myViewportX2, myViewportY2);
    internalScroll(r, dx, dy, rect, false);
}

void
GUI_ViewParameter::scroll(RE_Render *r, float dx, float dy,
                          const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    internalScroll(r, dx, dy, rect, true);
}

void
GUI_ViewParameter::internalScroll(RE_Render *r, float dx, float dy,
                                  const UT_Rect<UT_InclusiveRectImpl> &rect, bool measure_y)
{
    float ux, uy;
    if (myFlag.ortho())
    {
        // Measure one pixel on the near plane with the matrices the picture
        // was drawn with.
        auto nearPoint = [&](float x, float y) {
            UT_Vector3 near_point, far_point;
            r->mapWorld(x, y, static_cast<short>(rect.x1()), static_cast<short>(rect.x2()),
                        static_cast<short>(rect.y1()), static_cast<short>(rect.y2()),
                        myProjection, myTransform,
                        near_point.x(), near_point.y(), near_point.z(),
                        far_point.x(), far_point.y(), far_point.z());
            return near_point;
        };
        const float px = float(rect.x1());
        const float py = float(rect.y1());
        const UT_Vector3 origin = nearPoint(px, py);
        ux = origin.distance(nearPoint(px + 1.0f, py));
        uy = measure_y ? origin.distance(nearPoint(px, py + 1.0f)) : ux;
    }
    else
    {
        // The homed box's width per pixel, scaled by how far the camera now
        // is from the pivot compared with the homing distance.
        const float per_pixel = myHomeWidthInPixels
                                    ? myHomePixelWidth
                                    : myHomeAdjBoxWidth / float(rect.x2() - rect.x1() + 1);
        ux = uy = std::max(myWinSizeX, myWinSizeY) * per_pixel *
                  (getDistanceToBoxCenter(1) / myHomeDistance);
    }

    // A zero home distance or a degenerate projection would send the camera
    // to no finite place: stay.
    if (!std::isfinite(ux * dx) || !std::isfinite(uy * dy))
        return;
    if (myScrollStyle)
    {
        myT[0] -= ux * dx;
        myT[1] -= uy * dy;
    }
    else
    {
        // Pan in view space and carry the pivot along, so later tumbles
        // turn about the point now in the middle.
        UT_Matrix3 rot(myRotation);
        UT_Matrix3 inverse_rot(rot);
        (void)rot.invert(inverse_rot);
        UT_Vector3 move(ux * dx, uy * dy, 0.0f);
        move *= inverse_rot;
        for (int i = 0; i < 3; ++i)
        {
            myP[i] -= move[i];
            myT[i] -= move[i];
        }
    }
    markStale(GUI_ViewFlag::STALE_XFORMS);
}

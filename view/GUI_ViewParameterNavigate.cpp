// Camera navigation: tumbling, rotating, dollying, zooming and homing.
// Scrolling lives with the projection code because it maps through the
// render context.

#include "view/GUI_ViewParameter.h"

#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Finite.h"
#include "host/UT/UT_XformOrder.h"

#include <algorithm>
#include <cmath>

namespace
{
// Angles as the nearest floats (or, where noted, the float just below).
const float theTwoPi = 6.2831855f;
const float theThirdPi = 1.0471976f;
const float theHalfPi = 1.5707964f;
const float theHalfPiBelow = 1.5707963f;
const float thePi = 3.1415927f;
const float theQuarterPi = 0.7853982f;
const float theSixthPi = 0.5235988f;
const float theDegToRad = 0.017453292f;
const float theRadToDeg = 57.295776f;
const float theRadToDegDrag = 57.29578f;

// The steepest tilt an Euler tumble allows: the largest float below 90.
const double theTiltLimit = 89.99999;
const float theTiltClamp = 89.999992f;

// Homing leaves a tenth of the fit as margin around the box.
const float theHomeMargin = 1.111111f;

// The zoomed 2D window stays within these sizes, so that every extreme of
// zooming can be left again by zooming back.
const float theMinWindowSize = 0.001f;
const float theMaxWindowSize = 1000.0f;
// The same for the ortho width, which is in world units.
const float theMinOrthoWidth = 1e-6f;
const float theMaxOrthoWidth = 1e12f;

float
clampZoomed(float value, float lo, float hi)
{
    return !(value > lo) ? lo : (value > hi ? hi : value);
}

// Gram-Schmidt on the rows of the upper-left 3x3, in double.
void
orthonormalize(UT_Matrix4 &m)
{
    double row[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            row[r][c] = m(r, c);
    for (int r = 0; r < 3; ++r)
    {
        for (int k = 0; k < r; ++k)
        {
            const double d = row[r][0] * row[k][0] + row[r][1] * row[k][1] + row[r][2] * row[k][2];
            for (int c = 0; c < 3; ++c)
                row[r][c] -= d * row[k][c];
        }
        const double len = std::sqrt(row[r][0] * row[r][0] + row[r][1] * row[r][1] +
                                     row[r][2] * row[r][2]);
        if (!(len > 0.0))
            return; // degenerate: nothing sensible to restore
        for (int c = 0; c < 3; ++c)
            row[r][c] /= len;
    }
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m(r, c) = float(row[r][c]);
}

// Scale, then rotate, then translate; rotations about z, y, then x.
UT_XformOrder
eulerOrder()
{
    UT_XformOrder order;
    order.reorder(1, 5);
    return order;
}
} // namespace

void
GUI_ViewParameter::dotumble(float dx, float dy, int end_of_drag)
{
    switch (myTumbleStyle)
    {
    case 0:
    case 1:
        incrementtrackball(dx, dy, end_of_drag);
        break;
    case 2:
        eulertumble(dx, dy, end_of_drag);
        break;
    default:
        break;
    }
}

bool
GUI_ViewParameter::acceptRotation(const UT_Matrix4 &rotation)
{
    if (!UTisFinite(rotation))
        return false;
    myRotation = rotation;
    orthonormalize(myRotation);
    return true;
}

void
GUI_ViewParameter::applyTrackballTurn(UT_Matrix4 &rotation, float a, float b, bool undo)
{
    // A drag across the whole viewport turns by 2*pi/3 per 2*pi of drag,
    // about the axis in the screen plane perpendicular to the drag.
    UT_Vector3 axis_vector = undo ? UT_Vector3(b, -a, 0.0f) : UT_Vector3(-b, a, 0.0f);
    float angle = std::sqrt(a * a + b * b) * theThirdPi;
    UT_Matrix4 turn(1.0f);
    turn.rotate(axis_vector, angle, 1);
    rotation *= turn;
}

void
GUI_ViewParameter::trackball(float dx, float dy)
{
    // A zero-width viewport or a non-finite drag gives no rotation.
    float k = theTwoPi / float(getViewportWidth());
    UT_Matrix4 rotation = myRotation;
    applyTrackballTurn(rotation, dx * k, dy * k, false);
    if (acceptRotation(rotation))
        markStale(GUI_ViewFlag::STALE_ROTATION);
}

void
GUI_ViewParameter::incrementtrackball(float dx, float dy, int end_of_drag)
{
    // The whole drag is one rotation from its total: undo the total so far,
    // then apply the new total. Summing per-step rotations would drift.
    // A step that would not give a finite rotation (a zero-width viewport,
    // a non-finite drag) is skipped whole, the drag's total included.
    float width = float(getViewportWidth());
    const float acc_x = myTrackballAccumX + dx;
    const float acc_y = myTrackballAccumY + dy;
    UT_Matrix4 rotation = myRotation;
    applyTrackballTurn(rotation, myTrackballAccumX / width * theTwoPi,
                       myTrackballAccumY / width * theTwoPi, true);
    applyTrackballTurn(rotation, acc_x / width * theTwoPi, acc_y / width * theTwoPi, false);
    if (acceptRotation(rotation))
    {
        myTrackballAccumX = acc_x;
        myTrackballAccumY = acc_y;
        markStale(GUI_ViewFlag::STALE_ROTATION);
    }

    if (end_of_drag || myTumbleStyle)
    {
        myTrackballAccumX = 0.0f;
        myTrackballAccumY = 0.0f;
    }
}

void
GUI_ViewParameter::eulertumble(float dx, float dy, int)
{
    if (std::fabs(dx) <= 0.00001f && std::fabs(dy) <= 0.00001f)
        return;

    updateRXYZValues();

    UT_Matrix3 home;
    eulerFrame(home);

    // Angles are taken relative to the home orientation.
    UT_Matrix3 home_t = home.transposedCopy();
    UT_Matrix4 relative = myRotation;
    relative.leftMult(UT_Matrix4(home_t));
    const UT_XformOrder order = eulerOrder();
    UT_Vector3 r, s, tr;
    relative.explode(order, r, s, tr, nullptr);

    // 360 degrees per viewport width.
    float width = float(getViewportWidth());
    float ddx = dx / width * theTwoPi * theRadToDegDrag;
    float ddy = dy / width * theTwoPi * theRadToDegDrag;

    float x = myRx - ddy;
    float y = myRy + ddx;
    float z = myRz;
    // Stop short of straight up or down, where the angles degenerate.
    if (double(x) > theTiltLimit)
        x = theTiltClamp;
    if (double(x) < -theTiltLimit)
        x = -theTiltClamp;

    UT_Matrix4 rotation(home);
    rotation.xform(order, tr.x(), tr.y(), tr.z(), x, y, z, s.x(), s.y(), s.z(),
                   0.0f, 0.0f, 0.0f, 0);
    // A zero-width viewport or a non-finite drag leaves everything as it was.
    if (!std::isfinite(x) || !std::isfinite(y) || !UTisFinite(rotation))
        return;
    myRx = x;
    myRy = y;
    myRotation = rotation;
    markStale(GUI_ViewFlag::STALE_XFORMS);
}

void
GUI_ViewParameter::eulerFrame(UT_Matrix3 &frame) const
{
    // The three-quarter and custom views are tumbled in world angles; the
    // axis views in angles about their own orientation.
    if (myHomeAxis == GUI_HOME_THREE_QUARTER || myHomeAxis == GUI_HOME_CUSTOM)
        frame = 1.0f;
    else
        homeRotation(myHomeAxis, frame);
}

void
GUI_ViewParameter::updateRXYZValues()
{
    if (!myFlag.rxyzStale())
        return;

    UT_Matrix3 home;
    eulerFrame(home);
    home.transpose();

    UT_Matrix4 relative(home);
    relative *= myRotation;
    UT_Vector3 r, s, tr;
    relative.explode(eulerOrder(), r, s, tr, nullptr);
    myRx = r.x() * theRadToDeg;
    myRy = r.y() * theRadToDeg;
    myRz = r.z() * theRadToDeg;
    myFlag.rxyzStale(false);
}

void
GUI_ViewParameter::rotate(UT_Axis3::axis a, float degrees)
{
    UT_Matrix4 rotation = myRotation;
    rotation.rotate(a, degrees * theDegToRad);
    if (acceptRotation(rotation))
        markStale(GUI_ViewFlag::STALE_ROTATION);
}

void
GUI_ViewParameter::rotate(UT_Vector3 axis_vector, float degrees)
{
    UT_Matrix4 rotation = myRotation;
    rotation.rotate(axis_vector, degrees * theDegToRad, 1);
    if (acceptRotation(rotation))
        markStale(GUI_ViewFlag::STALE_ROTATION);
}

void
GUI_ViewParameter::homeRotation(axis a, UT_Matrix3 &rot) const
{
    rot = 1.0f;
    switch (a)
    {
    case GUI_HOME_THREE_QUARTER:
        rot.rotate(UT_Axis3::YAXIS, -theQuarterPi);
        rot.rotate(UT_Axis3::XAXIS, theSixthPi);
        break;
    case GUI_HOME_CUSTOM:
        rot = myCustomHomeRot;
        break;
    case GUI_HOME_ALONG_X:
    case GUI_HOME_RIGHT:
        rot.rotate(UT_Axis3::YAXIS, -theHalfPi);
        break;
    case GUI_HOME_ALONG_Y:
        rot.rotate(UT_Axis3::XAXIS, theHalfPi);
        rot.rotate(UT_Axis3::ZAXIS, theHalfPi);
        break;
    case GUI_HOME_TOP:
        rot.rotate(UT_Axis3::XAXIS, theHalfPiBelow);
        break;
    case GUI_HOME_BACK:
        rot.rotate(UT_Axis3::YAXIS, thePi);
        break;
    case GUI_HOME_LEFT:
        rot.rotate(UT_Axis3::YAXIS, theHalfPi);
        break;
    case GUI_HOME_BOTTOM:
        rot.rotate(UT_Axis3::XAXIS, -theHalfPiBelow);
        break;
    case GUI_HOME_ALONG_Z:
    case GUI_HOME_FRONT:
    default:
        break;
    }
}

void
GUI_ViewParameter::homeRotation(axis a)
{
    UT_Matrix3 rot;
    homeRotation(a, rot);
    myRotation = rot;
    markStale(GUI_ViewFlag::STALE_ROTATION);
}

float
GUI_ViewParameter::getDistanceToBoxCenter(int floor_to_radius) const
{
    UT_Vector3 d(myP[0] - myT[0], myP[1] - myT[1], myP[2] - myT[2]);
    float dist = d.length();
    // Never report less than a tenth of the homed size, so that speeds
    // derived from it stay usable right at the pivot.
    const double floor_dist = double(myHomeRadius) * 0.1;
    if (floor_to_radius && double(dist) < floor_dist)
        return float(floor_dist);
    return dist;
}

void
GUI_ViewParameter::dolly(float dz)
{
    float dist = getDistanceToBoxCenter(1);
    float width = float(getViewportWidth());
    float speed = (1.0f / width <= myHomeDistance / dist) ? dist : width / myHomeDistance;

    // Move along the line from the eye through the window's centre.
    UT_Vector3 dir(myLastWinCenterX, myLastWinCenterY, myLastNear);
    dir.normalize();
    float step = 2.0f * speed / width * dz;
    float t[3];
    for (int i = 0; i < 3; ++i)
        t[i] = myT[i] - dir[i] * step;
    // A zero home distance or viewport width, or a direction never set by a
    // projection, would move the camera to no finite place: stay.
    if (!UTisFinite(t, 3))
        return;
    std::copy(t, t + 3, myT);
    markStale(GUI_ViewFlag::STALE_XFORMS);
}

void
GUI_ViewParameter::zoom(float dz, GUI_ZoomItem item)
{
    internalZoom(dz, item, getViewportWidth());
}

void
GUI_ViewParameter::zoom(float dz, GUI_ZoomItem item, const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    internalZoom(dz, item, rect.x2() - rect.x1() + 1);
}

void
GUI_ViewParameter::internalZoom(float dz, GUI_ZoomItem item, int width)
{
    float k = 2.0f * dz / float(width);
    float factor = k > 0.0f ? 1.0f / (k + 1.0f) : 1.0f - k;
    if (!std::isfinite(factor) || !(factor > 0.0f))
        return;
    // Clamped on both sides so that zooming far in or out can always be
    // undone by zooming the other way.
    if (item != GUI_ZOOM_WINDOW)
    {
        myOrthoWidth = clampZoomed(myOrthoWidth * factor, theMinOrthoWidth, theMaxOrthoWidth);
    }
    else
    {
        myWinSizeX = clampZoomed(myWinSizeX * factor, theMinWindowSize, theMaxWindowSize);
        myWinSizeY = clampZoomed(myWinSizeY * factor, theMinWindowSize, theMaxWindowSize);
    }
    markStale(GUI_ViewFlag::STALE_XFORMS);
}

void
GUI_ViewParameter::boxZoom(short x1, short y1, short x2, short y2)
{
    float kx = 1.0f / float(std::max(getViewportWidth() - 1, 1));
    float ky = 1.0f / float(std::max(getViewportHeight() - 1, 1));

    float l, r, b, t;
    getScreenWindow(l, r, b, t);

    int box_w = std::abs(x2 - x1);
    int box_h = std::abs(y2 - y1);
    float scale;
    if (box_w < 5 && box_h < 5)
        scale = 0.5f; // a click zooms in 2x
    else
        scale = std::max(box_w * kx, box_h * ky);
    if (x1 > x2)
        scale = 1.0f / scale; // dragged right to left: zoom out

    float cx = l + (r - l) * float(x1 + x2) * kx * 0.5f;
    float cy = b + (t - b) * float(y1 + y2) * ky * 0.5f;
    float half_w = scale * 0.5f * (r - l);
    float half_h = scale * 0.5f * (t - b);
    float win_x, win_y, size_x, size_y;
    convertScreenToViewWindow(cx - half_w, cx + half_w, cy - half_h, cy + half_h,
                              win_x, win_y, size_x, size_y);
    const float window[4] = {win_x, win_y, size_x, size_y};
    if (!UTisFinite(window, 4))
        return;
    myWinX = win_x;
    myWinY = win_y;
    myWinSizeX = clampZoomed(size_x, theMinWindowSize, theMaxWindowSize);
    myWinSizeY = clampZoomed(size_y, theMinWindowSize, theMaxWindowSize);
}

void
GUI_ViewParameter::applyHomeFarRule()
{
    float far_dist = myHomeDistance + 1000.0f * myHomeRadius;
    if (far_dist < 0.0f)
        far_dist = -far_dist;
    if (far_dist == 0.0f)
        far_dist = 10000.0f;
    myFar = far_dist;
}

void
GUI_ViewParameter::homeToBox(short view_width, short view_height, UT_BoundingBox &box,
                             const UT_Matrix3 *rot, bool around_origin, bool half_distance)
{
    myWinX = myWinY = 0.0f;
    myWinSizeX = myWinSizeY = 1.0f;

    float box_w, box_h;
    if (around_origin)
    {
        myP[0] = myP[1] = myP[2] = 0.0f;
        box_w = (box.xmin() + box.xmax()) / 2.0f < 0.0f ? -2.0f * box.xmin() : 2.0f * box.xmax();
        box_h = (box.ymin() + box.ymax()) / 2.0f < 0.0f ? -2.0f * box.ymin() : 2.0f * box.ymax();
    }
    else
    {
        myP[0] = (box.xmin() + box.xmax()) / 2.0f;
        myP[1] = (box.ymin() + box.ymax()) / 2.0f;
        myP[2] = (box.zmin() + box.zmax()) / 2.0f;
        box_w = box.xmax() - box.xmin();
        box_h = box.ymax() - box.ymin();
    }
    float box_d = 2.0f * (box.zmax() - myP[2]);
    box_w = std::max(box_w, 0.01f);
    box_h = std::max(box_h, 0.01f);
    box_d = std::max(box_d, 0.01f);

    float front_z = myP[2] + box_d * 0.5f;
    myT[0] = myP[0];
    myT[1] = myP[1];
    myT[2] = front_z;

    // Fit the box's width or height, whichever the view's shape makes
    // the limit.
    float aspect = float(view_width) / float(view_height);
    float fit_w = (box_w / box_h < aspect) ? aspect * box_h : box_w;

    // Keep the lens usable: at most 1000 times longer than it is wide.
    if (myFocalLength / myAperture > 1000.0f)
    {
        if (myFocalLength < 1000.0f)
            myAperture = myFocalLength * 0.001f;
        else
            myFocalLength = myAperture * 1000.0f;
    }

    float dist = fit_w / myAperture * myFocalLength;
    if (dist < 0.1f)
        dist = 0.1f;
    dist *= theHomeMargin;
    if (half_distance)
        dist *= 0.5f;
    myT[2] = front_z + dist;

    myOrthoWidth = theHomeMargin * fit_w;
    myHomeRadius = UT_Vector3(fit_w, box_h, box_d).length();
    myHomeDistance = UT_Vector3(myP[0] - myT[0], myP[1] - myT[1], myP[2] - myT[2]).length();
    // The frustum's width at the homing distance.
    myHomeAdjBoxWidth = getFrustumWidth(dist, myAperture, myFocalLength, myOrthoWidth,
                                        myFlag.ortho());
    myHomeOrthoWidth = myOrthoWidth;
    myHomeWidthInPixels = false;

    if (myAdjustLimits)
        applyHomeFarRule();

    if (rot)
    {
        // The box was measured in the rotated frame: bring the pivot back
        // to world space and keep the camera's offset from it.
        UT_Matrix3 to_world = rot->transposedCopy();
        UT_Vector3 offset(myT[0] - myP[0], myT[1] - myP[1], myT[2] - myP[2]);
        UT_Vector3 pivot(myP[0], myP[1], myP[2]);
        pivot *= to_world;
        for (int i = 0; i < 3; ++i)
        {
            myP[i] = pivot[i];
            myT[i] = pivot[i] + offset[i];
        }
        myRotation = *rot;
    }
    else
    {
        myRotation = 1.0f;
    }
    markStale(GUI_ViewFlag::STALE_ALL_INIT);
}

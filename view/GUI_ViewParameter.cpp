#include "view/GUI_ViewParameter.h"

#include <cmath>

int GUI_ViewParameter::myTumbleStyle = 0;
int GUI_ViewParameter::myScrollStyle = 0;
GUI_ViewParameter::axis GUI_ViewParameter::myDefaultHomingStyle =
    GUI_ViewParameter::GUI_HOME_THREE_QUARTER;

namespace
{
// The default lens: a 45 degree horizontal field of view.
const float theDefaultFocal = 50.0f;
const float theDefaultAperture = 41.4214f;

const float theMinWindowSize = 0.001f;
const float theMinNear = 0.001f;
const float theDefaultFar = 10000.0f;
} // namespace

GUI_ViewParameter::GUI_ViewParameter()
    : myOrthoWidth(1.0f),
      myFocalLength(theDefaultFocal),
      myAperture(theDefaultAperture),
      myClearAmount(1.0f),
      myFogSwitch(0),
      myFogColor{0.1f, 0.1f, 0.1f},
      myFogWeight(1.0f),
      myWinRoll(0.0f),
      myNear(0.1f),
      myFar(theDefaultFar),
      myAdjustLimits(true),
      myResX(1.0f),
      myResY(1.0f),
      myAspectRatio(4.0f / 3.0f),
      myPixelAspect(1.0f),
      myLastNear(0.1f),
      myLastFar(theDefaultFar),
      myLastWinCenterX(0.0f),
      myLastWinCenterY(0.0f),
      myLastWinWidth(theDefaultAperture),
      myLastWinHeight(theDefaultAperture),
      myLastFrustumWidth(theDefaultAperture),
      myLastFrustumHeight(theDefaultAperture),
      myT{0.0f, 0.0f, 1.0f},
      myP{0.0f, 0.0f, 0.0f},
      myTrackballAccumX(0.0f),
      myTrackballAccumY(0.0f),
      myRx(0.0f),
      myRy(0.0f),
      myRz(0.0f),
      myRotation(1.0f),
      myTransform(1.0f),
      myItransform(1.0f),
      myProjection(1.0f),
      myTransformCallback(nullptr),
      myTransformCallbackData(nullptr),
      myHomeDistance(5.0f),
      myHomePixelWidth(1.0f),
      myHomeAdjBoxWidth(1.0f),
      myHomeOrthoWidth(1.0f),
      myHomeRadius(1.0f),
      myHomeWidthInPixels(false),
      myHomeAxis(myDefaultHomingStyle),
      myCustomHomeRot(1.0f),
      myWinX(0.0f),
      myWinY(0.0f),
      myWinSizeX(1.0f),
      myWinSizeY(1.0f),
      myViewportX1(0),
      myViewportX2(100),
      myViewportY1(0),
      myViewportY2(100),
      myViewX1(0),
      myViewX2(100),
      myViewY1(0),
      myViewY2(100)
{
    // The custom view starts as the three-quarter view.
    homeRotation(GUI_HOME_THREE_QUARTER, myCustomHomeRot);
}

void
GUI_ViewParameter::resetFOV()
{
    myFocalLength = theDefaultFocal;
    myAperture = theDefaultAperture;
}

void
GUI_ViewParameter::setFogColor(float r, float g, float b)
{
    myFogColor[0] = r;
    myFogColor[1] = g;
    myFogColor[2] = b;
}

void
GUI_ViewParameter::setLimits(float near_dist, float far_dist)
{
    // Written so that a NaN near passes through unchanged.
    myNear = near_dist < theMinNear ? theMinNear : near_dist;
    myFar = far_dist <= 0.0f ? theDefaultFar : far_dist;
}

void
GUI_ViewParameter::getLimits(float *near_dist, float *far_dist) const
{
    if (near_dist)
        *near_dist = myNear;
    if (far_dist)
        *far_dist = myFar;
}

void
GUI_ViewParameter::setWindow(float x, float y, float size_x, float size_y)
{
    myWinX = x;
    myWinY = y;
    // "!(size > min)" also catches NaN.
    myWinSizeX = !(size_x > theMinWindowSize) ? theMinWindowSize : size_x;
    myWinSizeY = !(size_y > theMinWindowSize) ? theMinWindowSize : size_y;
}

void
GUI_ViewParameter::getWindow(float &x, float &y, float &size_x, float &size_y) const
{
    x = myWinX;
    y = myWinY;
    size_x = myWinSizeX;
    size_y = myWinSizeY;
}

void
GUI_ViewParameter::setScreenWindow(float l, float r, float b, float t)
{
    convertScreenToViewWindow(l, r, b, t, myWinX, myWinY, myWinSizeX, myWinSizeY);
}

void
GUI_ViewParameter::getScreenWindow(float &l, float &r, float &b, float &t) const
{
    convertViewToScreenWindow(myWinX, myWinY, myWinSizeX, myWinSizeY, l, r, b, t);
}

void
GUI_ViewParameter::convertScreenToViewWindow(float l, float r, float b, float t,
                                             float &x, float &y,
                                             float &size_x, float &size_y)
{
    size_x = r - l;
    size_y = t - b;
    x = l - (1.0f - size_x) * 0.5f;
    y = b - (1.0f - size_y) * 0.5f;
}

void
GUI_ViewParameter::convertViewToScreenWindow(float x, float y,
                                             float size_x, float size_y,
                                             float &l, float &r, float &b, float &t)
{
    l = (1.0f - size_x) * 0.5f + x;
    b = (1.0f - size_y) * 0.5f + y;
    r = l + size_x;
    t = b + size_y;
}

void
GUI_ViewParameter::setRotateMatrix(const UT_Matrix3 &rot)
{
    myRotation = rot;
    markStale(GUI_ViewFlag::STALE_ROTATION);
}

void
GUI_ViewParameter::getRotationValues(float &rx, float &ry, float &rz)
{
    updateRXYZValues();
    rx = myRx;
    ry = myRy;
    rz = myRz;
}

void
GUI_ViewParameter::updateTransformMatrix()
{
    if (!myFlag.xformStale())
        return;
    // Turn about the pivot, then move the camera: (x - p) * R + p - t.
    myTransform = 1.0f;
    myTransform.translate(-myP[0], -myP[1], -myP[2]);
    myTransform *= myRotation;
    myTransform.translate(myP[0] - myT[0], myP[1] - myT[1], myP[2] - myT[2]);
    myFlag.xformStale(false);
}

void
GUI_ViewParameter::updateItransformMatrix()
{
    if (!myFlag.ixformStale())
        return;
    updateTransformMatrix();
    // A singular transform leaves the previous inverse in place.
    (void)myTransform.invert(myItransform);
    myFlag.ixformStale(false);
}

const UT_Matrix4 &
GUI_ViewParameter::getTransformMatrix()
{
    updateTransformMatrix();
    return myTransform;
}

const UT_Matrix4 &
GUI_ViewParameter::getItransformMatrix()
{
    updateItransformMatrix();
    return myItransform;
}

void
GUI_ViewParameter::getTransformMatrix(UT_DMatrix4 &out, float time)
{
    if (myTransformCallback)
    {
        myTransformCallback(out, time, myTransformCallbackData);
        return;
    }
    updateTransformMatrix();
    out = myTransform;
}

void
GUI_ViewParameter::forceTransformMatrix(const UT_DMatrix4 &xform)
{
    myTransform = xform;
    myFlag.xformStale(false);
    UT_DMatrix4 inverse(xform);
    (void)xform.invert(inverse);
    myItransform = inverse;
    myFlag.ixformStale(false);
}

void
GUI_ViewParameter::setTransformCallback(TransformCallback cb, void *data)
{
    myTransformCallback = cb;
    myTransformCallbackData = data;
}

void
GUI_ViewParameter::getViewport(short &x1, short &x2, short &y1, short &y2) const
{
    x1 = myViewportX1;
    x2 = myViewportX2;
    y1 = myViewportY1;
    y2 = myViewportY2;
}

void
GUI_ViewParameter::getViewportSize(int &width, int &height) const
{
    width = myViewportX2 - myViewportX1 + 1;
    height = myViewportY2 - myViewportY1 + 1;
}

void
GUI_ViewParameter::setView(short x, short y, short width, short height)
{
    myViewX1 = x;
    myViewX2 = static_cast<short>(x + width - 1);
    myViewY1 = y;
    myViewY2 = static_cast<short>(y + height - 1);
}

void
GUI_ViewParameter::getView(short &x1, short &x2, short &y1, short &y2) const
{
    x1 = myViewX1;
    x2 = myViewX2;
    y1 = myViewY1;
    y2 = myViewY2;
}

float
GUI_ViewParameter::getFrustumWidth(float near_dist, float aperture, float focal,
                                   float ortho_width, bool ortho)
{
    return ortho ? ortho_width : aperture / focal * near_dist;
}

void
GUI_ViewParameter::getFrustumCenter(float width, float aspect, float win_x, float win_y,
                                    float win_size_x, float win_size_y,
                                    float &center_x, float &center_y,
                                    float &half_width, float &half_height)
{
    float height = width / aspect;
    center_x = win_x * width;
    center_y = win_y * height;
    half_width = win_size_x * width * 0.5f;
    half_height = win_size_y * height * 0.5f;
}

void
GUI_ViewParameter::getLastLimits(float &near_dist, float &far_dist) const
{
    near_dist = myLastNear;
    far_dist = myLastFar;
}

void
GUI_ViewParameter::getLastWindowCenter(float &x, float &y) const
{
    x = myLastWinCenterX;
    y = myLastWinCenterY;
}

void
GUI_ViewParameter::getLastWindowSize(float &w, float &h) const
{
    w = myLastWinWidth;
    h = myLastWinHeight;
}

void
GUI_ViewParameter::getLastFrustumSize(float &w, float &h) const
{
    w = myLastFrustumWidth;
    h = myLastFrustumHeight;
}

void
GUI_ViewParameter::setHomeAxis(axis a)
{
    myHomeAxis = a;
    markStale(GUI_ViewFlag::RXYZ_STALE);
}

void
GUI_ViewParameter::setCustomHomeRot(UT_Matrix3 &rot)
{
    myCustomHomeRot = rot;
}

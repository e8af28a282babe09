#ifndef GUI_ViewParameter_h
#define GUI_ViewParameter_h

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Axis3.h"
#include "host/UT/UT_DMatrix4.h"
#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Rect.h"
#include "host/UT/UT_Vector3.h"
#include "view/GUI_ViewFlag.h"

#include <iosfwd>

class RE_Render;
class UT_BoundingBox;
class UT_IStream;

// The camera of one viewport: orientation, translation and pivot, the lens,
// a 2D window that pans and zooms inside the lens's frustum, clipping
// distances, the viewport and inner view rectangles in pixels, and the
// values the last homing produced. The world-to-view transform and its
// inverse are built lazily from these; setProjection loads the projection
// and the transform into a render context.
//
// A world point x maps to (x - pivot) * rotation + pivot - translate in view
// space, where the camera looks down -z.
class VANTREL_API GUI_ViewParameter
{
public:
    // Orientations that homing starts from (see homeRotation).
    enum axis : int
    {
        GUI_HOME_THREE_QUARTER = 0, // turned 45 degrees and looking down 30
        GUI_HOME_CUSTOM = 1,        // the custom home rotation
        GUI_HOME_ALONG_X = 2,       // looking down -x
        GUI_HOME_ALONG_Y = 3,       // looking down -y, x pointing up
        GUI_HOME_ALONG_Z = 4,       // looking down -z
        GUI_HOME_FRONT = 5,         // looking down -z
        GUI_HOME_RIGHT = 6,         // looking down -x
        GUI_HOME_TOP = 7,           // looking down -y
        GUI_HOME_BACK = 8,          // looking down +z
        GUI_HOME_LEFT = 9,          // looking down +x
        GUI_HOME_BOTTOM = 10        // looking down +y
    };

    // What zoom changes: the 2D window, or the orthographic width.
    enum GUI_ZoomItem : int
    {
        GUI_ZOOM_WINDOW = 0,
        GUI_ZOOM_ORTHO_WIDTH = 1
    };

    // Supplies the transform at a time, replacing the camera's own.
    typedef void (*TransformCallback)(UT_DMatrix4 &xform, float time, void *data);

    GUI_ViewParameter();
    GUI_ViewParameter(const GUI_ViewParameter &other) = default;
    GUI_ViewParameter &operator=(const GUI_ViewParameter &other) = default;

    const char *className() const { return "GUI_ViewParameter"; }

    // ---- Flags
    int getOrthoFlag() const { return myFlag.ortho() ? 1 : 0; }
    void setOrthoFlag(int on) { myFlag.ortho(on & 1); }
    int getApplyAspectFlag() const { return myFlag.applyAspect() ? 1 : 0; }
    void setApplyAspectFlag(int on) { myFlag.applyAspect(on & 1); }
    void setWindowAffectRotoscope(int on) { myFlag.rotoTracksWindow(on & 1); }
    int rotoscopeTracksWindowVals() const { return myFlag.rotoTracksWindow() ? 1 : 0; }
    int initialized() const { return myFlag.initialized() ? 1 : 0; }
    const GUI_ViewFlag &getFlag() const { return myFlag; }

    // ---- Lens, clipping and picture
    float getOrthoWidth() const { return myOrthoWidth; }
    void setOrthoWidth(float w) { myOrthoWidth = w; }
    float getFocalLength() const { return myFocalLength; }
    void setFocalLength(float f) { myFocalLength = f; }
    float getAperture() const { return myAperture; }
    void setAperture(float a) { myAperture = a; }
    // Back to the constructor's lens: focal 50, aperture 41.4214.
    void resetFOV();

    float getClearAmount() const { return myClearAmount; }
    void setClearAmount(float a) { myClearAmount = a; }
    int getFogSwitch() const { return myFogSwitch; }
    void setFogSwitch(int on) { myFogSwitch = on; }
    const float *getFogColor() const { return myFogColor; }
    void setFogColor(float r, float g, float b);
    float getFogWeight() const { return myFogWeight; }
    void setFogWeight(float w) { myFogWeight = w; }
    float getWinRoll() const { return myWinRoll; }
    void setWinRoll(float roll) { myWinRoll = roll; }

    // Near below 0.001 is stored as 0.001; far of 0 or less as 10000.
    void setLimits(float near_dist, float far_dist);
    void getLimits(float *near_dist, float *far_dist) const;
    float getNear() const { return myNear; }
    float getFar() const { return myFar; }
    void setAdjustLimits(bool on) { myAdjustLimits = on; }
    bool getAdjustLimits() const { return myAdjustLimits; }

    void setRes(float x, float y) { myResX = x; myResY = y; }
    void getRes(float &x, float &y) const { x = myResX; y = myResY; }
    void setAspectRatio(float a) { myAspectRatio = a; }
    float getAspectRatio() const { return myAspectRatio; }
    void setPixelAspect(float a) { myPixelAspect = a; }
    float getPixelAspect() const { return myPixelAspect; }

    // ---- The 2D window: centre offset and size in units of the frustum.
    // Sizes of 0.001 or less (or NaN) are stored as 0.001.
    void setWindow(float x, float y, float size_x, float size_y);
    void getWindow(float &x, float &y, float &size_x, float &size_y) const;
    float getWinX() const { return myWinX; }
    float getWinY() const { return myWinY; }
    float getWinSizeX() const { return myWinSizeX; }
    float getWinSizeY() const { return myWinSizeY; }
    // The same window as an extent in a frame where the frustum spans 0..1.
    void setScreenWindow(float l, float r, float b, float t);
    void getScreenWindow(float &l, float &r, float &b, float &t) const;
    static void convertScreenToViewWindow(float l, float r, float b, float t,
                                          float &x, float &y, float &size_x, float &size_y);
    static void convertViewToScreenWindow(float x, float y, float size_x, float size_y,
                                          float &l, float &r, float &b, float &t);

    // ---- Translate, pivot, rotation
    void setTx(float v) { myT[0] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    void setTy(float v) { myT[1] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    void setTz(float v) { myT[2] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    void setPx(float v) { myP[0] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    void setPy(float v) { myP[1] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    void setPz(float v) { myP[2] = v; markStale(GUI_ViewFlag::STALE_XFORMS); }
    float getTx() const { return myT[0]; }
    float getTy() const { return myT[1]; }
    float getTz() const { return myT[2]; }
    float getPx() const { return myP[0]; }
    float getPy() const { return myP[1]; }
    float getPz() const { return myP[2]; }

    void setRotateMatrix(const UT_Matrix3 &rot);
    const UT_Matrix4 &getRotateMatrix() const { return myRotation; }

    // Euler angles of the rotation relative to the home axis, in degrees.
    void getRotationValues(float &rx, float &ry, float &rz);

    // ---- Transform and projection
    // Rebuild the transform or its inverse if stale.
    void updateTransformMatrix();
    void updateItransformMatrix();
    const UT_Matrix4 &getTransformMatrix();
    const UT_Matrix4 &getItransformMatrix();
    const UT_Matrix4 &getProjectionMatrix() const { return myProjection; }

    // The transform at a time: from the callback when one is set, else the
    // camera's own.
    void getTransformMatrix(UT_DMatrix4 &out, float time);
    // Replaces the transform and inverse until the next change of t, p or
    // the rotation rebuilds them.
    void forceTransformMatrix(const UT_DMatrix4 &xform);
    void setTransformCallback(TransformCallback cb, void *data);

    // ---- Pixel rectangles (inclusive x1, x2, y1, y2)
    // Sets the viewport, loads it into the context and clips the context's
    // screen mask to it.
    void setViewport(RE_Render *r, short x, short y, short width, short height);
    void getViewport(short &x1, short &x2, short &y1, short &y2) const;
    void getViewportSize(int &width, int &height) const;
    short getViewportWidth() const { return static_cast<short>(myViewportX2 - myViewportX1 + 1); }
    short getViewportHeight() const { return static_cast<short>(myViewportY2 - myViewportY1 + 1); }

    void setView(short x, short y, short width, short height);
    void getView(short &x1, short &x2, short &y1, short &y2) const;
    int getViewWidth() const { return myViewX2 - myViewX1 + 1; }
    int getViewHeight() const { return myViewY2 - myViewY1 + 1; }

    short getLeftMargin() const { return static_cast<short>(myViewX1 - myViewportX1); }
    short getRightMargin() const { return static_cast<short>(myViewportX2 - myViewX2); }
    short getBottomMargin() const { return static_cast<short>(myViewY1 - myViewportY1); }
    short getTopMargin() const { return static_cast<short>(myViewportY2 - myViewY2); }

    // Loads the projection for the 2D window, widened so that the margins
    // around the view area show more of the scene, then the transform.
    void setProjection(RE_Render *r);
    // Widens bounds given for the view area to the whole viewport.
    void viewToViewportProjectionBounds(float &l, float &r, float &b, float &t) const;

    static float getFrustumWidth(float near_dist, float aperture, float focal,
                                 float ortho_width, bool ortho);
    static void getFrustumCenter(float width, float aspect, float win_x, float win_y,
                                 float win_size_x, float win_size_y,
                                 float &center_x, float &center_y,
                                 float &half_width, float &half_height);

    // What the last setProjection used.
    void getLastLimits(float &near_dist, float &far_dist) const;
    void getLastWindowCenter(float &x, float &y) const;
    void getLastWindowSize(float &w, float &h) const;
    void getLastFrustumSize(float &w, float &h) const;

    // ---- Homing values
    float getLastHomeRadius() const { return myHomeRadius; }
    float getHomeDistance() const { return myHomeDistance; }
    float getHomePixelWidth() const { return myHomePixelWidth; }
    float getHomeAdjustedBoxWidth() const { return myHomeAdjBoxWidth; }
    float getHomeOrthoWidth() const { return myHomeOrthoWidth; }
    bool getHomeWidthInPixels() const { return myHomeWidthInPixels; }
    void setHomeAxis(axis a);
    axis getHomeAxis() const { return myHomeAxis; }
    void setCustomHomeRot(UT_Matrix3 &rot);
    const UT_Matrix3 &getCustomHomeRot() const { return myCustomHomeRot; }

    // ---- Class-wide styles
    static void setTumbleStyleFlag(int style) { myTumbleStyle = style; }
    static int getTumbleStyleFlag() { return myTumbleStyle; }
    static void setScrollStyleFlag(int style) { myScrollStyle = style; }
    static int getScrollStyleFlag() { return myScrollStyle; }
    static void setDefaultHomingStyleFlag(axis a) { myDefaultHomingStyle = a; }
    static axis getDefaultHomingStyleFlag() { return myDefaultHomingStyle; }

    // ---- Navigation; drags are in pixels, angles in degrees.
    // Tumbles in the class-wide style: 0 one rotation per drag, 1 one per
    // step, 2 Euler angles about the home axis.
    void dotumble(float dx, float dy, int end_of_drag);
    void trackball(float dx, float dy);
    void incrementtrackball(float dx, float dy, int end_of_drag);
    void eulertumble(float dx, float dy, int unused);
    void rotate(UT_Axis3::axis a, float degrees);
    void rotate(UT_Vector3 axis_vector, float degrees);
    void homeRotation(axis a, UT_Matrix3 &rot) const;
    void homeRotation(axis a);
    // Moves the camera along the line through the centre of the window.
    void dolly(float dz);
    void scroll(RE_Render *r, float dx, float dy);
    void scroll(RE_Render *r, float dx, float dy, const UT_Rect<UT_InclusiveRectImpl> &rect);
    void zoom(float dz, GUI_ZoomItem item);
    void zoom(float dz, GUI_ZoomItem item, const UT_Rect<UT_InclusiveRectImpl> &rect);
    // Zooms the 2D window to a dragged box, in pixels from the viewport's
    // lower-left corner; a click zooms in 2x, a right-to-left drag zooms out.
    void boxZoom(short x1, short y1, short x2, short y2);
    // Places the camera so that the box fills the view, seen from the
    // given rotation (or straight on when none).
    void homeToBox(short view_width, short view_height, UT_BoundingBox &box,
                   const UT_Matrix3 *rot, bool around_origin, bool half_distance);

    // ---- Text form
    // 0 when the stream is good afterwards, -1 otherwise.
    int save(std::ostream &os, char separator) const;
    bool load(UT_IStream &is);
    bool oldLoad(UT_IStream &is, int version);

private:
    void markStale(uint32_t bits) { myFlag.set(bits); }
    void updateRXYZValues();
    // The orientation the Euler angles are measured from.
    void eulerFrame(UT_Matrix3 &frame) const;
    float getDistanceToBoxCenter(int floor_to_radius) const;
    void internalScroll(RE_Render *r, float dx, float dy,
                        const UT_Rect<UT_InclusiveRectImpl> &rect, bool measure_y);
    void internalZoom(float dz, GUI_ZoomItem item, int width);
    // Turns rotation by the trackball rotation for a drag of (a, b) radians.
    static void applyTrackballTurn(UT_Matrix4 &rotation, float a, float b, bool undo);
    // Takes rotation as R when it is finite, made orthonormal again so that
    // the rounding of many small steps cannot add up to a shear; returns
    // false (R unchanged) otherwise.
    bool acceptRotation(const UT_Matrix4 &rotation);
    // The far distance that homing picks when adjust limits is on.
    void applyHomeFarRule();

    float myOrthoWidth;
    float myFocalLength;
    float myAperture;
    float myClearAmount;
    int myFogSwitch;
    float myFogColor[3];
    float myFogWeight;
    float myWinRoll;
    float myNear;
    float myFar;
    bool myAdjustLimits;
    float myResX, myResY;
    float myAspectRatio;
    float myPixelAspect;
    float myLastNear, myLastFar;
    float myLastWinCenterX, myLastWinCenterY;
    float myLastWinWidth, myLastWinHeight;
    float myLastFrustumWidth, myLastFrustumHeight;
    GUI_ViewFlag myFlag;
    float myT[3];
    float myP[3];
    float myTrackballAccumX, myTrackballAccumY;
    float myRx, myRy, myRz;
    UT_Matrix4 myRotation;
    UT_Matrix4 myTransform;
    UT_Matrix4 myItransform;
    UT_Matrix4 myProjection;
    TransformCallback myTransformCallback;
    void *myTransformCallbackData;
    float myHomeDistance;
    float myHomePixelWidth;
    float myHomeAdjBoxWidth;
    float myHomeOrthoWidth;
    float myHomeRadius;
    bool myHomeWidthInPixels;
    axis myHomeAxis;
    UT_Matrix3 myCustomHomeRot;
    float myWinX, myWinY;
    float myWinSizeX, myWinSizeY;
    short myViewportX1, myViewportX2, myViewportY1, myViewportY2;
    short myViewX1, myViewX2, myViewY1, myViewY2;

    static int myTumbleStyle;
    static int myScrollStyle;
    static axis myDefaultHomingStyle;
};

#endif

#ifndef GUI_SceneFeel_h
#define GUI_SceneFeel_h

#include "host/UI/BM_Viewport.h"
#include "host/UI/DD_Source.h"
#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_Axis3.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Pointers.h"
#include "host/UT/UT_Rect.h"
#include "host/UT/UT_Vector3.h"
#include "view/GUI_ViewParameter.h"

class BM_SceneManager;
class GUI_DetailFeel;
class GUI_SceneLook;
class GUI_ViewState;
class RE_Render;
class UI_Event;
class UT_BoundingBox;
class UT_Matrix3;
class UT_Plane;

// The interactive window of one viewport: it holds the objects shown (as
// detail feels, which it deletes when it dies), maps window positions to
// world rays and points and world points back to the window, and applies
// the camera operations of the mouse to the viewport's three cameras.
//
// Its look must be a GUI_SceneLook (set with setLook before any view
// operation); the view state is reached through it. Window positions are
// pixels relative to the viewport's lower left corner.
class VANTREL_API GUI_SceneFeel : public BM_Viewport, public DD_Source
{
public:
    GUI_SceneFeel(BM_SceneManager &manager, const char *name);
    ~GUI_SceneFeel() override;

    const char *className() const override { return "GUI_SceneFeel"; }

    // ---- Objects ----------------------------------------------------------
    UT_Pointers &getDetails() const { return myDetails; }
    // The scene feel deletes the feel at its own end unless it is removed
    // before.
    void addDetailFeel(GUI_DetailFeel *feel);
    // 1 when the feel was in the list (it is not deleted), 0 otherwise.
    int removeDetailFeel(GUI_DetailFeel *feel);
    // Draws the object at (x, y) over the feel's current size.
    void renderDetail(RE_Render *r, short x, short y, GUI_DetailFeel &feel);
    // Publishes this viewport's display options to the detail looks.
    void updateGlobalDetailState() const;

    // ---- View state ---------------------------------------------------------
    GUI_SceneLook &getSceneLook() const;
    GUI_ViewState &getViewStateRef() const;
    void getView(short &x1, short &x2, short &y1, short &y2) const;
    short getViewWidth() const;
    short getViewHeight() const;
    void setOrthoFlag(int on);
    void setRotateMatrix(const UT_Matrix3 &rot);
    void setLimits(float near_dist, float far_dist);

    // ---- Camera operations, on all three cameras ----------------------------
    void doRotate(UT_Axis3::axis axis, float degrees);
    void doRotate(UT_Vector3 axis, float degrees);
    void doTrackball(float dx, float dy, int end_of_drag);
    void doScroll(float dx, float dy);
    void doScroll(float dx, float dy, const UT_Rect<UT_InclusiveRectImpl> &rect);
    void doDolly(float dz);
    void doZoom(float dz, GUI_ViewParameter::GUI_ZoomItem item);
    void doZoom(float dz, GUI_ViewParameter::GUI_ZoomItem item,
                const UT_Rect<UT_InclusiveRectImpl> &rect);
    // Homes onto box (resetting the lens first when homeResetsFOV says
    // so); with the camera's adjust-limits flag on, the near and far
    // distances homing chose become the no-camera limits.
    void doHome(UT_BoundingBox &box, const UT_Matrix3 *rot, bool around_origin,
                bool half_distance);

    // ---- Frozen matrices ------------------------------------------------------
    // From cacheViewMatrices until flushViewMatrices, mapping uses the main
    // camera's projection and transform as they were at the cache, so a
    // drag maps consistently while it moves the camera.
    void cacheViewMatrices();
    void flushViewMatrices();
    bool usesViewMatrices() const { return myUseViewMatrices; }

    // ---- Clipping without a camera ------------------------------------------
    void getNoCamNearFarLimits(float &near_dist, float &far_dist) const;
    // Near below 0.001 is kept as 0.001; far of 0 or less as 1000.
    void setNoCamNearFarLimits(float near_dist, float far_dist);
    // Gives the main camera the no-camera limits; false when it already
    // had them (within 0.00001).
    bool useNoCamNearFarLimits();

    // ---- Mapping ----------------------------------------------------------------
    // The world ray under (x, y): unit direction and origin. A window with
    // no render context gives dir (0, 0, 1) and orig (0, 0, 1).
    void mapToWorld(float x, float y, UT_Vector3 &dir, UT_Vector3 &orig);
    void mapToWorld(float x, float y, UT_Vector3 &dir);
    // The point ten units along the ray.
    void mapToWorldPoint(float x, float y, UT_Vector3 &p);
    // Where the ray meets the plane; 0 when it does (hit set).
    int mapToPlane(float x, float y, const UT_Plane &plane, UT_Vector3 &hit);
    // The point of the line (p, v) closest to the ray; 0 when found.
    int mapToLine(float x, float y, const UT_Vector3 &p, const UT_Vector3 &v, UT_Vector3 &res);
    // The point of segment a-b closest to the ray: 0 inside the segment,
    // 1 clamped to a, 2 clamped to b, -1 when the ray runs along it.
    int mapToSegment(float x, float y, const UT_Vector3 &a, const UT_Vector3 &b,
                     UT_Vector3 &res);
    // The window position of world point p in the feel's own pixels; (0, 0)
    // when it cannot be placed or there is no render context.
    void mapToScreen(const UT_Vector3 &p, float &sx, float &sy);

    // The event's value holds a window position (two floats); on success it
    // is replaced by the world point (three floats) and the event is
    // returned. Null, with the value untouched, when the ray misses.
    virtual UI_Event *mapEvent(UI_Event *ev, const UT_Vector3 &p, const UT_Vector3 &v);
    virtual UI_Event *mapEvent(UI_Event *ev, const UT_Plane &plane);
    // True: homing puts the lens back to its default first.
    virtual bool homeResetsFOV() const { return true; }

    // The number of tries the mapping makes after the first fails.
    static const int theMapRetries = 300;

private:
    // The two world points under (x, y), retrying with a jittered
    // transform when the mapping degenerates.
    void privateMapToWorld(float x, float y, UT_Vector3 &first, UT_Vector3 &second);
    // The projection and transform mapping uses now.
    void mappingMatrices(UT_Matrix4 &projection, UT_Matrix4 &transform);

    mutable UT_Pointers myDetails;
    bool myUseViewMatrices;
    UT_Matrix4 myCachedProjection;
    UT_Matrix4 myCachedTransform;
    float myNoCamNear;
    float myNoCamFar;
};

#endif

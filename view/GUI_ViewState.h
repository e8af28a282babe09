#ifndef GUI_ViewState_h
#define GUI_ViewState_h

#include "host/UT/SYS_Visibility.h"

#include "display/GUI_DisplayOption.h"
#include "host/UT/UT_Axis3.h"
#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Rect.h"
#include "host/UT/UT_Vector3.h"
#include "view/GUI_SnapshotImage.h"
#include "view/GUI_ViewParameter.h"
#include <iosfwd>
#include <string>

class GUI_ExternalDefaultCB;
class RE_Render;
class TIL_TextureMap;
class UT_BoundingBox;
class UT_Plane;
class UT_String;
class UT_StringArray;

// What one viewport shows the scene with: its display options, three
// cameras and a snapshot image. The main camera is the one drawn; the other
// two follow the main camera's navigation and are set up only when a caller
// names them.
//
// Every new view state starts from the library-wide defaults, read once per
// process from the default viewport settings file ("display.pref" on the
// search path) and written by saveAsDefault.
class VANTREL_API GUI_ViewState
{
public:
    enum GUI_ViewType
    {
        GUI_VIEW_MAIN = 0,
        GUI_VIEW_SECOND = 1,
        GUI_VIEW_THIRD = 2
    };

    GUI_ViewState();
    // Copies everything, the snapshot included, without going back to the
    // defaults.
    GUI_ViewState(const GUI_ViewState &src) = default;
    ~GUI_ViewState() = default;

    // Copies the display options and cameras; this view state keeps its own
    // snapshot.
    GUI_ViewState &operator=(const GUI_ViewState &src);

    const char *className() const { return "GUI_ViewState"; }

    GUI_DisplayOption &getDisplayOptionRef() { return myDisplayOptions; }
    const GUI_DisplayOption &getDisplayOptionRef() const { return myDisplayOptions; }

    GUI_ViewParameter &getViewParameterRef() { return myViews[GUI_VIEW_MAIN]; }
    const GUI_ViewParameter &getViewParameterRef() const { return myViews[GUI_VIEW_MAIN]; }
    // Any index other than the second or third gives the main camera.
    GUI_ViewParameter &getViewParameter(GUI_ViewType type) { return myViews[viewIndex(type)]; }
    const GUI_ViewParameter &getViewParameter(GUI_ViewType type) const
    {
        return myViews[viewIndex(type)];
    }

    // Makes the second and third cameras exact copies of the main one.
    void syncViewsWithMain();

    // ---- The main camera
    void setViewport(RE_Render *r, short x, short y, short width, short height);
    void getViewport(short &x1, short &x2, short &y1, short &y2) const;
    void getView(short &x1, short &x2, short &y1, short &y2) const;
    short getViewWidth() const;
    short getViewHeight() const;
    void setProjection(RE_Render *r);
    const UT_Matrix4 &getTransformMatrix();
    const UT_Matrix4 &getItransformMatrix();
    const UT_Matrix4 &getProjectionMatrix() const;
    const UT_Matrix4 &getRotateMatrix() const;
    void setRotateMatrix(const UT_Matrix3 &rot);
    int initialized() const;
    void setOrthoFlag(int on);
    int getOrthoFlag() const;
    void setApplyAspectFlag(int on);
    int getApplyAspectFlag() const;
    void setAspectRatio(float aspect);
    float getAspectRatio() const;
    void setLimits(float near_dist, float far_dist);
    void boxZoom(short x1, short y1, short x2, short y2);

    // ---- The camera of one index (any other index: the main camera)
    void setViewport(GUI_ViewType type, RE_Render *r, short x, short y, short width,
                     short height);
    void setProjection(GUI_ViewType type, RE_Render *r);

    // ---- Navigation, applied to each camera in turn with its own values
    void rotate(UT_Axis3::axis axis, float degrees);
    void rotate(UT_Vector3 axis, float degrees);
    void trackball(float dx, float dy);
    void dotumble(float dx, float dy, int end_of_drag);
    void scroll(RE_Render *r, float dx, float dy);
    void scroll(RE_Render *r, float dx, float dy, const UT_Rect<UT_InclusiveRectImpl> &rect);
    void dolly(float dz);
    void zoom(float dz, GUI_ViewParameter::GUI_ZoomItem item);
    void zoom(float dz, GUI_ViewParameter::GUI_ZoomItem item,
              const UT_Rect<UT_InclusiveRectImpl> &rect);
    void homeToBox(short view_width, short view_height, UT_BoundingBox &box,
                   const UT_Matrix3 *rot, bool around_origin, bool half_distance);

    // The primitive mask kept in the common drawing record.
    void setPrimitiveMask(unsigned int mask);
    unsigned int getPrimitiveMask() const;

    // ---- Snapshot; the image is only referred to, never freed here.
    void setSnapshotImage(TIL_TextureMap *image) { mySnapshot.setImage(image); }
    TIL_TextureMap *getSnapshotImage() const { return mySnapshot.getImage(); }
    void setSnapshotImageFrame(int frame) { mySnapshot.setFrame(frame); }
    int getSnapshotImageFrame() const { return mySnapshot.getFrame(); }
    void setSnapshotAlpha(float alpha) { mySnapshot.setBlendAlpha(alpha); }
    float getSnapshotAlpha() const { return mySnapshot.getBlendAlpha(); }
    void setHideSnapshotAtSourceFrame(bool hide) { mySnapshot.setHideAtSourceFrame(hide); }
    bool getHideSnapshotAtSourceFrame() const { return mySnapshot.getHideAtSourceFrame(); }

    // Takes a plane given in view coordinates of the main camera into world
    // coordinates.
    void alignPlaneWithView(UT_Plane *plane);

    // ---- Defaults
    // The callback is not owned.
    static void setExternalDefaultCB(GUI_ExternalDefaultCB *cb) { externalDefaultValues = cb; }
    static GUI_ExternalDefaultCB *getExternalDefaultCB() { return externalDefaultValues; }

    // Reads the default viewport settings file the first time it is
    // called in the process; later calls do nothing.
    static void ensureDefaultsLoaded();
    // Changes the settings file's name: for saving at once, for loading
    // only when nothing was loaded yet.
    static void overridePrefFile(const char *name);
    // The defaults' clipping distances; 0.001 and 1000 when the settings
    // file was bad.
    static void getDefaultNearFarLimits(float &near_dist, float &far_dist);

    // Copies the defaults' display options, the user options they enable
    // and the defaults' clipping distances and adjust-limits flag into this
    // view state. Nothing happens when there are no defaults.
    void resetToDefaults();
    // Makes this view state's display options the defaults and writes the
    // settings file, reporting through the host error list.
    void saveAsDefault();

    // The settings file's content, read into or written from this view
    // state: the display option block, the main camera's near, far and
    // adjust-limits entries (read into all three cameras) and the entries
    // of the callback, when one is given. A failed read returns false and
    // says in *failed which entry failed. Writing stops at the first check
    // that finds the host error list at error severity, and then returns
    // false.
    bool loadDefaultSettings(UT_IStream &is, GUI_ExternalDefaultCB *cb, std::string *failed);
    bool saveDefaultSettings(std::ostream &os, GUI_ExternalDefaultCB *cb) const;

private:
    static int viewIndex(GUI_ViewType type)
    {
        return (type == GUI_VIEW_SECOND || type == GUI_VIEW_THIRD) ? int(type) : 0;
    }

    static UT_String &prefFileName();

    GUI_DisplayOption myDisplayOptions;
    GUI_ViewParameter myViews[3];
    GUI_SnapshotImage mySnapshot;

    // The default view state, owned here; null after a bad settings file.
    static GUI_ViewState *defaultValues;
    static GUI_ExternalDefaultCB *externalDefaultValues;
    // One list per GUI_DetailType: the user options the settings file
    // enabled.
    static UT_StringArray *defaultEnabledUserOptions;
    static bool ourDefaultsLoaded;
};

#endif

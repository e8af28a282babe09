#ifndef VANTREL_VIEW_ViewCamera_h
#define VANTREL_VIEW_ViewCamera_h

#include <functional>

class GUI_ViewParameter;
class GUI_ViewState;
class RE_Render;
class UT_BoundingBox;
class UT_Matrix3;
struct ViewOptions;

// Loads or homes the view state's cameras onto the scene, applies the
// navigation the options ask for, and leaves the main camera's viewport and
// projection loaded in r. False, with a message, when a camera file cannot
// be read.
bool setUpCamera(GUI_ViewState &state, RE_Render *r, const ViewOptions &opts,
                 const UT_BoundingBox &scene);

// Loads the camera's viewport, view area, projection and transform into r.
void loadCamera(GUI_ViewParameter &cam, RE_Render *r, int width, int height);

// Runs home (which homes the state's cameras onto framed) unless framed's
// size is not finite, and undoes it when a camera number came out not
// finite (a camera file could not hold it). False, with a message, when
// the cameras stay as they were.
bool homeSafely(GUI_ViewState &state, const UT_BoundingBox &framed,
                const std::function<void()> &home);

// False, with a message, when the file cannot be written.
bool saveCamera(const GUI_ViewParameter &cam, const char *path);

#endif

#ifndef VANTREL_VIEW_ViewUV_h
#define VANTREL_VIEW_ViewUV_h

#include "facade/ViewWords.h"

class GUI_ViewState;
class RE_Render;
class UT_BoundingBox;
class ViewScene;
struct ViewOptions;

// Texture space is seen from the front and homed on the unit square.
using vantrel::theUVHomeAxis;
using vantrel::uvHomeBox;

// Sets the view state up for the texture-space view of the scene's uvs:
// point or vertex uvs as --uv-attrib says (without it, when
// "autodetectattribtype2d" is on, vertex uvs if any object has them, else
// point uvs), an orthographic camera homed as above, and the navigation
// the options ask for. Says on standard error when no object has uvs of
// the chosen kind; the frame then shows only the decorations. False, with
// a message, when a camera file cannot be read.
bool setUpUVView(GUI_ViewState &state, RE_Render *r, const ViewOptions &opts,
                 const ViewScene &scene);

#endif

#ifndef VANTREL_VIEW_ViewFrame_h
#define VANTREL_VIEW_ViewFrame_h

class GUI_SceneLook;
class GUI_ViewState;
class RE_Render;
class ViewScene;
struct ViewOptions;
namespace vantrel
{
class QuadViews;
}

// What the headless frame and the window share before drawing: the mesh
// loaded into the scene, the drawing and composition options applied, and
// the camera homed on the scene (or the uv view on the unit square); in
// the four views, the state's camera is the perspective view's. Says
// what went wrong on standard error and returns false.
bool setUpScene(ViewScene &scene, GUI_ViewState &state, RE_Render *r, const ViewOptions &opts);

// Composes the frame through the scene look (its view state holds the
// camera and options), then prints the frame's statistics and the pick
// records when the options ask for them.
void drawFrame(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r,
               const ViewOptions &opts);

// The same for the four views: the pick region lies in the view under its
// middle.
void drawQuadFrame(const ViewScene &scene, vantrel::QuadViews &quad, RE_Render *r,
                   const ViewOptions &opts);

#endif

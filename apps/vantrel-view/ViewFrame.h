#ifndef VANTREL_VIEW_ViewFrame_h
#define VANTREL_VIEW_ViewFrame_h

class GUI_ViewState;
class RE_Render;
class ViewScene;
struct ViewOptions;

// Draws the scene's objects through their looks with the view state's
// options (camera already loaded in r), then prints the frame's
// statistics and the pick records when the options ask for them.
void drawFrame(const ViewScene &scene, GUI_ViewState &state, RE_Render *r,
               const ViewOptions &opts);

#endif

#ifndef VANTREL_VIEW_ViewFrame_h
#define VANTREL_VIEW_ViewFrame_h

class GUI_SceneLook;
class RE_Render;
class ViewScene;
struct ViewOptions;

// Composes the frame through the scene look (its view state holds the
// camera and options), then prints the frame's statistics and the pick
// records when the options ask for them.
void drawFrame(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r,
               const ViewOptions &opts);

#endif

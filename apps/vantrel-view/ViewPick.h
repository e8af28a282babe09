#ifndef VANTREL_VIEW_ViewPick_h
#define VANTREL_VIEW_ViewPick_h

#include <cstdio>

class GUI_SceneLook;
class RE_Render;
class ViewScene;

// Picks the objects under the w x h window region whose top left pixel is
// (x, y), counted from the top left as image viewers show it, in a pick
// pass of the scene look over its view, and prints one line per record:
// object name, handle, primitive number and nearest depth (0 near to 1
// far). With uv set, the objects are picked by their uvs in texture space.
// Returns the number of records.
int pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
              int h, std::FILE *out, bool uv = false);

#endif

#ifndef VANTREL_VIEW_ViewPick_h
#define VANTREL_VIEW_ViewPick_h

#include <cstdio>

class GUI_DisplayOption;
class RE_Render;
class ViewScene;

// Picks the objects under window pixel (x, y), counted from the top left
// as image viewers show it, with the camera loaded in r, and prints one
// line per record: object name, handle, primitive number and nearest
// depth (0 near to 1 far). Returns the number of records.
int pickScene(const ViewScene &scene, const GUI_DisplayOption &options, RE_Render *r,
              int x, int y, std::FILE *out);

#endif

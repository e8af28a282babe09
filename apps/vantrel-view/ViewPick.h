#ifndef VANTREL_VIEW_ViewPick_h
#define VANTREL_VIEW_ViewPick_h

#include "facade/WindowScene.h"

#include <cstdio>

class GUI_SceneLook;
class RE_Render;
class ViewScene;

// Picks as vantrel::pickHits and prints one line per record: object name, handle,
// primitive number and nearest depth. Returns the number of records.
int pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
              int h, std::FILE *out, bool uv = false);

#endif

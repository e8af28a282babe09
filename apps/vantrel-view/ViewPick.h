#ifndef VANTREL_VIEW_ViewPick_h
#define VANTREL_VIEW_ViewPick_h

#include <cstdio>
#include <vector>

class GUI_SceneLook;
class RE_Render;
class ViewScene;

// One pick record: the object's index in the scene (-1 when unknown), the
// handle and primitive named under it (-1 when none) and the nearest depth
// (0 near to 1 far).
struct ViewPickHit
{
    int object = -1;
    int handle = -1;
    int prim = -1;
    double depth = 1.0;
};

// The records of a pick pass of the scene look over its view, for the
// w x h window region whose top left pixel is (x, y), counted from the top
// left as image viewers show it. With uv set, the objects are picked by
// their uvs in texture space.
std::vector<ViewPickHit> pickHits(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r,
                                  int x, int y, int w, int h, bool uv = false);

// The object nearest the eye among the hits; -1 when there is none.
int nearestObject(const std::vector<ViewPickHit> &hits);

// The record of what was drawn last: in texture space, where nothing has
// depth, the last object and within it the last primitive lies on top.
// An index into hits; -1 when no record names an object.
int topmostHit(const std::vector<ViewPickHit> &hits);

// Picks as pickHits and prints one line per record: object name, handle,
// primitive number and nearest depth. Returns the number of records.
int pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
              int h, std::FILE *out, bool uv = false);

#endif

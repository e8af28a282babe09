#pragma once

#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_BoundingBox.h"

#include <cstddef>
#include <string>
#include <vector>

class GUI_DetailLook;
class GUI_DisplayOption;
class GUI_SceneLook;
struct GU_MeshPart;
class RE_Render;

namespace vantrel
{
// The objects an interactive window shows and picks, in drawing order: the
// look of each (which holds its flags, selection among them) and the name
// it is known by. The demo's scene and a viewport's objects both give it.
class VANTREL_API WindowScene
{
public:
    virtual ~WindowScene() = default;
    virtual size_t objectCount() const = 0;
    virtual GUI_DetailLook &objectLook(size_t index) const = 0;
    virtual std::string objectName(size_t index) const = 0;

    // Takes the parts of mesh files dropped on the window as objects, in
    // place of those shown (replace) or beside them; the new objects are
    // those from index first on. False, with why, when the scene takes no
    // files (then nothing changed).
    virtual bool adoptParts(std::vector<GU_MeshPart> &parts, bool replace, size_t &first,
                            std::string &why);
};

// The union of the boxes the looks report under the options (guides count
// only while shown); invalid when no look reports one. Publishes the
// options to the looks.
// The objects from index first on only, when first is given.
VANTREL_API UT_BoundingBox sceneBounds(const WindowScene &scene, const GUI_DisplayOption &options,
                                       size_t first = 0);

// How far along x parts that come in beside a scene showing shown are
// moved so that they stand clear of it, a tenth of the larger size apart
// (0 when either is empty).
VANTREL_API float besideOffset(const UT_BoundingBox &shown, const std::vector<GU_MeshPart> &parts);

// One pick record: the object's index in the scene (-1 when unknown), the
// handle and primitive named under it (-1 when none) and the nearest depth
// (0 near to 1 far).
struct VANTREL_API PickHit
{
    int object = -1;
    int handle = -1;
    int prim = -1;
    double depth = 1.0;
};

// The records of a pick pass of the scene look over its camera's viewport,
// for the w x h region whose top left pixel is (x, y), counted from the top
// left of that viewport as image viewers show it. Hidden objects are not picked. With uv
// set, the objects are picked by their uvs in texture space.
VANTREL_API std::vector<PickHit> pickHits(const WindowScene &scene, GUI_SceneLook &look,
                                          RE_Render *r, int x, int y, int w, int h,
                                          bool uv = false);

// The object nearest the eye among the hits; -1 when there is none.
VANTREL_API int nearestObject(const std::vector<PickHit> &hits);

// The record of what was drawn last: in texture space, where nothing has
// depth, the last object and within it the last primitive lies on top.
// An index into hits; -1 when no record names an object.
VANTREL_API int topmostHit(const std::vector<PickHit> &hits);
} // namespace vantrel

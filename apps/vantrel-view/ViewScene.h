#ifndef VANTREL_VIEW_ViewScene_h
#define VANTREL_VIEW_ViewScene_h

#include "detail/GUI_DetailLook.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix4.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class GUI_DisplayOption;
class RE_Render;

// One object of the demo: its geometry, the look the viewport shows it
// through, and where it stands in the world.
struct ViewObject
{
    std::string name;
    GU_DetailHandle geometry;
    std::unique_ptr<GUI_DetailLook> look;
    UT_Matrix4 xform;
};

// What the demo shows: the built-in scene (a box, a selected sphere and a
// templated torus, all with uvs) or one mesh read from a file.
class ViewScene
{
public:
    ViewScene();

    // Replaces the scene with the mesh in an OBJ file. False, with the
    // reason in error, when it cannot be read.
    bool loadMesh(const std::string &path, std::string &error);

    const UT_BoundingBox &getBounds() const { return myBounds; }
    const std::vector<std::unique_ptr<ViewObject>> &objects() const { return myObjects; }

    // Clears the frame to the options' background colour, publishes the
    // options to the looks, and draws every visible object's edges in the
    // wire colour of the option record its look chooses. behind, when
    // given, draws what lies behind the objects once the frame is cleared.
    void draw(RE_Render *r, const GUI_DisplayOption &options,
              const std::function<void()> &behind = nullptr) const;

private:
    ViewObject &add(const std::string &name, GU_Detail *gdp, const UT_Vector3 &where);
    void updateBounds();

    std::vector<std::unique_ptr<ViewObject>> myObjects;
    UT_BoundingBox myBounds;
};

#endif

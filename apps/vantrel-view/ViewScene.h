#ifndef VANTREL_VIEW_ViewScene_h
#define VANTREL_VIEW_ViewScene_h

#include "detail/GUI_DetailLook.h"
#include "facade/WindowScene.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/OP/OP_Node.h"
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
    // The node the object stands for; labels show its name.
    std::unique_ptr<OP_Node> node;
    GU_DetailHandle geometry;
    std::unique_ptr<GUI_DetailLook> look;
    UT_Matrix4 xform;
};

// What the demo shows: the built-in scene (a box, a selected sphere and a
// templated, ghosted torus, all with uvs) or the parts of a mesh file.
class ViewScene : public vantrel::WindowScene
{
public:
    ViewScene();

    size_t objectCount() const override { return myObjects.size(); }
    GUI_DetailLook &objectLook(size_t index) const override { return *myObjects[index]->look; }
    std::string objectName(size_t index) const override { return myObjects[index]->name; }

    // Replaces the scene with the parts of a mesh file (OBJ, PLY, STL or
    // glTF), one object each, named as the file names them. False, with
    // the reason in error and the scene unchanged, when it cannot be read.
    bool loadMesh(const std::string &path, std::string &error);
    // Dropped files: beside the scene, the parts are moved along x to stand
    // clear of what is shown.
    bool adoptParts(std::vector<GU_MeshPart> &parts, bool replace, size_t &first,
                    std::string &why) override;

    const std::vector<std::unique_ptr<ViewObject>> &objects() const { return myObjects; }

    // The union of the boxes the looks report under the options (guides
    // count only while shown). Publishes the options to the looks.
    UT_BoundingBox getBounds(const GUI_DisplayOption &options) const;

    // Whether any object's geometry has texture coordinates on its
    // vertices (vertex set) or on its points.
    bool hasUVs(bool vertex) const;

    // Repeats the objects on a grid of columns along x and rows along -z,
    // spaced a little wider than the scene: the copies share the
    // originals' geometry and are named after them with their column and
    // row ("box 2,1"); they are neither selected nor templated.
    void repeat(int columns, int rows);

    // Shows every look's axes.
    void showAxes(bool on);

    // Has every look's renderer draw its object with the depth test on,
    // with the options the scene look published.
    void draw(RE_Render *r) const;
    // Has every look's 2D renderer draw its object's uvs.
    void drawUVs(RE_Render *r) const;

private:
    ViewObject &add(const std::string &name, GU_Detail *gdp, const UT_Vector3 &where);
    // The box of every object's geometry where it stands.
    UT_BoundingBox geometryBounds() const;

    std::vector<std::unique_ptr<ViewObject>> myObjects;
};

#endif

#include "apps/vantrel-view/ViewScene.h"

#include "facade/FrameCompose.h"

#include "detail/GUI_DetailRender2D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"

#include <algorithm>
#include <string>


ViewScene::ViewScene()
{
    GU_Detail *box = new GU_Detail;
    box->buildBox(UT_Vector3(1.0f, 1.0f, 1.0f));
    add("box", box, UT_Vector3(-1.6f, 0.5f, 0.0f));

    GU_Detail *sphere = new GU_Detail;
    sphere->buildSphere(0.6f, 12, 24);
    add("sphere", sphere, UT_Vector3(0.0f, 0.6f, 0.0f)).look->setObjSelection(1);

    GU_Detail *torus = new GU_Detail;
    torus->buildTorus(0.5f, 0.2f, 12, 24);
    GUI_DetailLook &torusLook = *add("torus", torus, UT_Vector3(1.6f, 0.2f, 0.0f)).look;
    torusLook.setTemplate(1);
    torusLook.setObjGhost(1);
}

ViewObject &
ViewScene::add(const std::string &name, GU_Detail *gdp, const UT_Vector3 &where)
{
    auto object = std::make_unique<ViewObject>();
    object->name = name;
    object->node = std::make_unique<OP_Node>(name.c_str());
    object->geometry = GU_DetailHandle(gdp);
    object->look = std::make_unique<GUI_DetailLook>(&object->geometry);
    object->look->setObject(object->node.get());
    object->xform.translate(where.x(), where.y(), where.z());
    object->look->setXform(object->xform);
    myObjects.push_back(std::move(object));
    return *myObjects.back();
}

void
ViewScene::repeat(int columns, int rows)
{
    if (myObjects.empty() || columns * rows <= 1)
        return;
    const UT_BoundingBox bounds = geometryBounds();
    const float step = 1.25f * std::max(bounds.sizeX(), bounds.sizeZ());
    const size_t originals = myObjects.size();
    myObjects.reserve(originals * size_t(columns) * size_t(rows));
    for (int row = 0; row < rows; ++row)
        for (int column = row ? 0 : 1; column < columns; ++column)
            for (size_t i = 0; i < originals; ++i)
            {
                const ViewObject &original = *myObjects[i];
                auto copy = std::make_unique<ViewObject>();
                copy->name =
                    original.name + " " + std::to_string(column) + "," + std::to_string(row);
                copy->node = std::make_unique<OP_Node>(copy->name.c_str());
                copy->geometry = original.geometry;
                copy->look = std::make_unique<GUI_DetailLook>(&copy->geometry);
                copy->look->setObject(copy->node.get());
                copy->xform = original.xform;
                copy->xform.translate(step * float(column), 0.0f, -step * float(row));
                copy->look->setXform(copy->xform);
                myObjects.push_back(std::move(copy));
            }
}

bool
ViewScene::loadMesh(const std::string &path, std::string &error)
{
    std::vector<GU_MeshPart> parts;
    if (!GU_Detail::loadParts(path.c_str(), parts, &error))
        return false;
    // Each part is an object of its own, so that picking names it.
    size_t first = 0;
    return adoptParts(parts, true, first, error);
}

bool
ViewScene::adoptParts(std::vector<GU_MeshPart> &parts, bool replace, size_t &first,
                      std::string &why)
{
    if (parts.empty())
    {
        why = "the file holds nothing to show";
        return false;
    }
    const UT_Vector3 offset(replace ? 0.0f : vantrel::besideOffset(geometryBounds(), parts), 0.0f,
                            0.0f);
    if (replace)
        myObjects.clear();
    first = myObjects.size();
    for (GU_MeshPart &part : parts)
        add(part.name, part.detail.release(), offset);
    parts.clear();
    return true;
}

UT_BoundingBox
ViewScene::geometryBounds() const
{
    UT_BoundingBox bounds;
    for (const auto &object : myObjects)
    {
        const GU_Detail *gdp = object->geometry.readLock();
        UT_BoundingBox box;
        if (gdp && gdp->getBBox(box, object->xform, nullptr, nullptr, false))
            bounds.enlargeBounds(box);
        if (gdp)
            object->geometry.unlock(gdp);
    }
    return bounds;
}

UT_BoundingBox
ViewScene::getBounds(const GUI_DisplayOption &options) const
{
    return vantrel::sceneBounds(*this, options);
}

bool
ViewScene::hasUVs(bool vertex) const
{
    for (const auto &object : myObjects)
    {
        const GU_Detail *gdp = object->geometry.readLock();
        const bool has =
            gdp && gdp->findTextureAttribute(vertex ? GB_ATTRIB_VERTEX : GB_ATTRIB_POINT) >= 0;
        if (gdp)
            object->geometry.unlock(gdp);
        if (has)
            return true;
    }
    return false;
}

void
ViewScene::showAxes(bool on)
{
    for (const auto &object : myObjects)
        object->look->setShowAxes(on ? 1 : 0);
}

void
ViewScene::draw(RE_Render *r) const
{
    vantrel::drawWithDepth(r, true, [&] {
        for (const auto &object : myObjects)
            object->look->render(r, 0, 0, 0, 0, nullptr);
    });
}

void
ViewScene::drawUVs(RE_Render *r) const
{
    vantrel::drawWithDepth(r, false, [&] {
        for (const auto &object : myObjects)
            object->look->getRender2D()->render(r, 0, 0, 0, 0, nullptr);
    });
}

#include "apps/vantrel-view/ViewScene.h"

#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"

namespace
{
// The kind of object whose record the look chose, found by identity in the
// published option set.
int
chosenKind(const GR_DisplayOption *record)
{
    const GUI_DisplayOption &published = GUI_DetailLook::globalDispOption();
    for (int k = GUI_NON_SELECTED; k <= GUI_CURRENT_SELECTED; ++k)
        if (record == &published[GUI_DetailType(k)])
            return k;
    return GUI_NON_SELECTED;
}

// The record the look chose says what kind of object it is drawn as; a
// selected object shows in the selected wire colour.
const UT_Color &
wireColorFor(const GUI_DetailLook &look, int kind, const GR_CommonDispOption &common)
{
    if (kind == GUI_TEMPLATE)
        return common.templateWireColor();
    if (kind == GUI_CURRENT_NON_SELECTED || kind == GUI_CURRENT_SELECTED)
        return common.currentObjectColor();
    if (look.isObjSelection())
        return common.selectedWireColor();
    return look.useWireColor() ? look.getWireColor() : common.defaultWireColor();
}

// Every edge of every primitive as a line; polygons close back to their
// first vertex. The library's geometry renderer takes this over once it
// draws.
void
drawEdges(RE_Render *r, const GU_Detail &gdp)
{
    const float *pos = gdp.getPositions();
    const int *points = gdp.getVertexPoints();
    const int *starts = gdp.getPrimVertexOffsets();
    r->beginLines();
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        const int first = starts[prim];
        const int end = starts[prim + 1];
        const int last = gdp.isPrimClosed(prim) ? end : end - 1;
        for (int v = first; v < last; ++v)
        {
            const float *a = pos + 3 * points[v];
            const float *b = pos + 3 * points[v + 1 < end ? v + 1 : first];
            r->vertex3DW(a[0], a[1], a[2]);
            r->vertex3DW(b[0], b[1], b[2]);
        }
    }
    r->endLines();
}
} // namespace

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
    add("torus", torus, UT_Vector3(1.6f, 0.2f, 0.0f)).look->setTemplate(1);

    updateBounds();
}

ViewObject &
ViewScene::add(const std::string &name, GU_Detail *gdp, const UT_Vector3 &where)
{
    auto object = std::make_unique<ViewObject>();
    object->name = name;
    object->geometry = GU_DetailHandle(gdp);
    object->look = std::make_unique<GUI_DetailLook>(&object->geometry);
    object->xform.translate(where.x(), where.y(), where.z());
    object->look->setXform(object->xform);
    myObjects.push_back(std::move(object));
    return *myObjects.back();
}

bool
ViewScene::loadMesh(const std::string &path, std::string &error)
{
    GU_Detail *gdp = new GU_Detail;
    if (!gdp->load(path.c_str(), &error))
    {
        delete gdp;
        return false;
    }
    myObjects.clear();
    add("mesh", gdp, UT_Vector3());
    updateBounds();
    return true;
}

void
ViewScene::updateBounds()
{
    myBounds.initBounds();
    for (const auto &object : myObjects)
    {
        const GU_Detail *gdp = object->geometry.readLock();
        UT_BoundingBox box;
        if (gdp && gdp->getBBox(box, object->xform))
            myBounds.enlargeBounds(box);
        object->geometry.unlock(gdp);
    }
}

void
ViewScene::draw(RE_Render *r, const GUI_DisplayOption &options,
                const std::function<void()> &behind) const
{
    const GR_CommonDispOption &common = options.common();
    float bg[3];
    common.backgroundColor().getRGB(&bg[0], &bg[1], &bg[2]);
    r->setClearColor(bg[0], bg[1], bg[2]);
    r->clear();

    // The looks choose their records from the library-wide option set.
    GUI_DetailLook::setGlobalDispOption(options);
    if (behind)
        behind();

    r->pushLineWidth(1.5f);
    for (const auto &object : myObjects)
    {
        const GUI_DetailLook &look = *object->look;
        if (!look.isVisible(options))
            continue;
        GR_DisplayOption *primary = nullptr;
        GR_DisplayOption *selection = nullptr;
        bool no_selection = false;
        look.getDisplayOptions(primary, selection, no_selection);
        if (!primary)
            continue;

        const GU_Detail *gdp = object->geometry.readLock();
        if (gdp)
        {
            r->pushMatrix();
            r->multiplyMatrix(object->xform);
            r->setColor(wireColorFor(look, chosenKind(primary), common));
            drawEdges(r, *gdp);
            r->popMatrix();
        }
        object->geometry.unlock(gdp);
    }
    r->popLineWidth();
}

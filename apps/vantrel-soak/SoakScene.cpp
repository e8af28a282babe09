#include "apps/vantrel-soak/SoakScene.h"

#include "decor/GUI_ViewRender3D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_ShadingMode.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

#include <cmath>

namespace
{
// Room for a few thousand pick records of three names.
const long thePickBufferSize = 16384;

struct OptionChoice
{
    GR_ShadingMode shading;
    bool names;
    bool sphereSelected;
    bool torusTemplated;
};

// One choice per hundred frames, in turn; each differs from the one before
// in what the looks draw, so their cached objects are dropped and built
// again. The last one, in force when the run is measured, has the row of
// boxes drawn together.
const OptionChoice theChoices[] = {
    {GR_SHADE_SMOOTH, false, true, false},
    {GR_SHADE_HIDDEN_LINE, true, false, false},
    {GR_SHADE_FLAT_WIRE, false, false, true},
    {GR_SHADE_WIRE, true, true, true},
};
static_assert(sizeof(theChoices) / sizeof(theChoices[0]) * 100 == SoakScene::theOptionPeriod,
              "the option period covers every choice once");
} // namespace

SoakScene::SoakScene(RE_Render *r, short width, short height)
    : myRender(r), myWidth(width), myHeight(height), myPickBuffer(thePickBufferSize)
{
    GU_Detail *box = new GU_Detail;
    box->buildBox(UT_Vector3(1.0f, 1.0f, 1.0f));
    add("box", box, -1.6f, 0.5f);
    GU_Detail *sphere = new GU_Detail;
    sphere->buildSphere(0.6f, 12, 24);
    add("sphere", sphere, 0.0f, 0.6f);
    GU_Detail *torus = new GU_Detail;
    torus->buildTorus(0.5f, 0.2f, 12, 24);
    add("torus", torus, 1.6f, 0.2f);
    GU_Detail *small = new GU_Detail;
    small->buildBox(UT_Vector3(0.12f, 0.12f, 0.12f));
    myRowGeometry = GU_DetailHandle(small);
    for (int i = 0; i < theRowSize; ++i)
        myRow.push_back(std::make_unique<GUI_DetailLook>(&myRowGeometry));
    moveRow(0);

    UT_BoundingBox bounds(-2.5f, -0.5f, -1.0f, 2.5f, 1.5f, 1.0f);
    myState.homeToBox(myWidth, myHeight, bounds, nullptr, false, false);
    myLook = std::make_unique<GUI_SceneLook>(new GUI_ViewRender3D, &myState);
    changeOptions(0);
}

SoakScene::~SoakScene()
{
    // The looks release their cached objects while the context is alive.
    myObjects.clear();
    myRow.clear();
    myLook.reset();
}

SoakScene::Object &
SoakScene::add(const char *name, GU_Detail *gdp, float x, float y)
{
    auto object = std::make_unique<Object>();
    object->node = std::make_unique<OP_Node>(name);
    object->geometry = gdp;
    object->handle = GU_DetailHandle(gdp);
    object->look = std::make_unique<GUI_DetailLook>(&object->handle);
    object->look->setObject(object->node.get());
    UT_Matrix4 xform;
    xform.translate(x, y, 0.0f);
    object->look->setXform(xform);
    myObjects.push_back(std::move(object));
    return *myObjects.back();
}

void
SoakScene::changeGeometry(int step)
{
    switch (step % 3)
    {
    case 0:
    {
        // The sphere at another resolution: new point and polygon counts.
        const int rows = 8 + step % 7;
        GU_Detail &sphere = *myObjects[1]->geometry;
        sphere.clearAndDestroy();
        sphere.buildSphere(0.6f, rows, 2 * rows);
        break;
    }
    case 1:
    {
        // The torus bent up and down in place: same counts, new positions.
        GU_Detail &torus = *myObjects[2]->geometry;
        for (int i = 0; i < torus.getNumPoints(); ++i)
        {
            UT_Vector3 p = torus.getPos(i);
            p.y() = 0.1f * std::sin(float(step) * 0.7f + p.x() * 4.0f);
            torus.setPos(i, p);
        }
        break;
    }
    default:
    {
        // A new box geometry behind the same handle: a new identity.
        GU_Detail *box = new GU_Detail;
        const float size = 0.8f + 0.05f * float(step % 9);
        box->buildBox(UT_Vector3(size, 1.0f, size));
        myObjects[0]->geometry = box;
        myObjects[0]->handle.allocateAndSet(box);
        break;
    }
    }
}

void
SoakScene::changeOptions(int choice)
{
    const OptionChoice &c = theChoices[choice % (sizeof(theChoices) / sizeof(theChoices[0]))];
    GUI_DisplayOption &options = myState.getDisplayOptionRef();
    options[GUI_NON_SELECTED].shadingMode(c.shading);
    options[GUI_SELECTED].shadingMode(c.shading);
    options.showObjectNames(c.names);
    myObjects[1]->look->setObjSelection(c.sphereSelected ? 1 : 0);
    myObjects[2]->look->setTemplate(c.torusTemplated ? 1 : 0);
}

void
SoakScene::compose()
{
    RE_Render *r = myRender;
    myLook->setView(r, 0, 0, myWidth, myHeight);
    myLook->renderBackground(r, 0, 0, myWidth, myHeight);
    myLook->doPreRender(r, 0, 0, myWidth, myHeight, GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
    const bool depth = r->isZbuffer() != 0;
    r->enableZbuffer(1);
    for (const auto &object : myObjects)
        object->look->render(r, 0, 0, 0, 0, nullptr);
    for (const auto &look : myRow)
        look->render(r, 0, 0, 0, 0, nullptr);
    r->enableZbuffer(depth ? 1 : 0);
    myLook->doPostRender(r, 0, 0, myWidth, myHeight, false);
    myLook->renderOverrideRaster(r, 0, 0, myWidth, myHeight);
}

void
SoakScene::pick(int step)
{
    RE_Render *r = myRender;
    // A point pick and a region pick in turn, across the middle row.
    const short size = step % 2 ? 1 : short(myHeight / 4);
    const short px = short((step * 37) % (myWidth - size));
    const short py = short(myHeight / 2 - size / 2);
    myLook->beginPicking(r, myPickBuffer.data(), long(myPickBuffer.size()), 0, 0, myWidth,
                         myHeight, px, py, size, size);
    myLook->pickRender(r, 0, 0, myWidth, myHeight, nullptr);
    for (size_t i = 0; i < myObjects.size(); ++i)
    {
        if (!myObjects[i]->look->isPickable())
            continue;
        r->pushPickId(int(i));
        myObjects[i]->look->pickRender(r, 0, 0, myWidth, myHeight, nullptr);
        r->popPickId();
    }
    const int records = myLook->endPicking(r, myPickBuffer.data());
    if (records > 0)
        myPickRecords += records;
}

void
SoakScene::moveRow(int frame)
{
    // Every box at its place along the row; two of them, a different pair
    // each frame, lifted by an amount that differs from frame to frame.
    for (int i = 0; i < theRowSize; ++i)
    {
        const bool moving = i == frame % theRowSize || i == (frame + theRowSize / 2) % theRowSize;
        UT_Matrix4 xform;
        xform.rotate(UT_Axis3::YAXIS, 0.1f * float(i));
        xform.translate(-2.3f + 0.2f * float(i),
                        -0.35f + (moving ? 0.02f * float(frame % 5 + 1) : 0.0f), 0.6f);
        myRow[size_t(i)]->setXform(xform);
    }
}

void
SoakScene::drawFrame(int frame)
{
    moveRow(frame);
    if (frame > 0 && frame % 100 == 0)
        changeOptions(frame / 100);
    if (frame > 0 && frame % 10 == 0)
        changeGeometry(frame / 10);
    compose();
    myRender->flush(1);
    if (frame % 10 == 5)
        pick(frame / 10);
}

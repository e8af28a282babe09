#include "facade/WindowScene.h"

#include "detail/GUI_DetailLook.h"
#include "host/GU/GU_Detail.h"
#include "detail/GUI_DetailRender2D.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"

#include <algorithm>

namespace
{
// Room for a few thousand records of three names.
const long theBufferSize = 16384;
const double theMaxDepth = 4294967295.0;
} // namespace

namespace vantrel
{
bool
WindowScene::adoptParts(std::vector<GU_MeshPart> &, bool, size_t &, std::string &why)
{
    why = "this window does not take files";
    return false;
}

float
besideOffset(const UT_BoundingBox &shown, const std::vector<GU_MeshPart> &parts)
{
    UT_BoundingBox incoming;
    for (const GU_MeshPart &part : parts)
    {
        UT_BoundingBox box;
        if (part.detail && part.detail->getBBox(&box, nullptr, nullptr, false))
            incoming.enlargeBounds(box);
    }
    if (!shown.isValid() || !incoming.isValid())
        return 0.0f;
    return shown.xmax() - incoming.xmin() + 0.1f * std::max(shown.sizeMax(), incoming.sizeMax());
}

UT_BoundingBox
sceneBounds(const WindowScene &scene, const GUI_DisplayOption &options, size_t first)
{
    GUI_DetailLook::setGlobalDispOption(options);
    UT_BoundingBox bounds;
    for (size_t i = first; i < scene.objectCount(); ++i)
    {
        UT_BoundingBox box;
        if (scene.objectLook(i).getBoundingBox3D(box, nullptr))
            bounds.enlargeBounds(box);
    }
    return bounds;
}

std::vector<PickHit>
pickHits(const WindowScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w, int h,
         bool uv)
{
    const GUI_ViewParameter &cam = look.getViewStateRef().getViewParameterRef();
    // The viewport need not start at the frame's corner (one view of
    // several): the pick region is in frame pixels.
    short x1, x2, y1, y2;
    cam.getViewport(x1, x2, y1, y2);
    const short vw = cam.getViewportWidth(), vh = cam.getViewportHeight();
    // GL counts rows from the bottom: the region's lowest row.
    const short glX = static_cast<short>(x1 + x);
    const short glY = static_cast<short>(y1 + vh - y - h);

    std::vector<unsigned int> buffer(theBufferSize);
    look.beginPicking(r, buffer.data(), theBufferSize, x1, y1, vw, vh, glX, glY,
                      static_cast<short>(w), static_cast<short>(h));
    // Publishes the options the looks pick with.
    look.pickRender(r, x1, y1, vw, vh, nullptr);
    const size_t count = scene.objectCount();
    for (size_t i = 0; i < count; ++i)
    {
        GUI_DetailLook &objectLook = scene.objectLook(i);
        if (!objectLook.isPickable())
            continue;
        r->pushPickId(static_cast<int>(i));
        if (uv)
            objectLook.getRender2D()->pickRender(r, x1, y1, vw, vh, nullptr);
        else
            objectLook.pickRender(r, x1, y1, vw, vh, nullptr);
        r->popPickId();
    }
    const int records = look.endPicking(r, buffer.data());

    std::vector<PickHit> hits;
    long at = 0;
    for (int k = 0; k < records && at + 3 <= theBufferSize; ++k)
    {
        const unsigned int names = buffer[at];
        if (at + 3 + long(names) > theBufferSize)
            break;
        const unsigned int *name = &buffer[at + 3];
        PickHit hit;
        hit.depth = buffer[at + 1] / theMaxDepth;
        hit.object = names > 0 && name[0] < count ? int(name[0]) : -1;
        hit.handle = names > 1 ? int(name[1]) : -1;
        hit.prim = names > 2 ? int(name[2]) : -1;
        hits.push_back(hit);
        at += 3 + names;
    }
    return hits;
}

int
nearestObject(const std::vector<PickHit> &hits)
{
    int best = -1;
    double depth = 2.0;
    for (const PickHit &hit : hits)
        if (hit.object >= 0 && hit.depth < depth)
        {
            best = hit.object;
            depth = hit.depth;
        }
    return best;
}

int
topmostHit(const std::vector<PickHit> &hits)
{
    int best = -1;
    for (size_t i = 0; i < hits.size(); ++i)
    {
        const PickHit &hit = hits[i];
        if (hit.object < 0)
            continue;
        if (best >= 0)
        {
            const PickHit &top = hits[size_t(best)];
            if (hit.object != top.object ? hit.object < top.object
                : hit.handle != top.handle ? hit.handle < top.handle
                                           : hit.prim <= top.prim)
                continue;
        }
        best = int(i);
    }
    return best;
}
} // namespace vantrel

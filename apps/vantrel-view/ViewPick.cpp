#include "apps/vantrel-view/ViewPick.h"

#include "apps/vantrel-view/ViewScene.h"
#include "detail/GUI_DetailRender2D.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"

namespace
{
// Room for a few thousand records of three names.
const long theBufferSize = 16384;
const double theMaxDepth = 4294967295.0;
} // namespace

std::vector<ViewPickHit>
pickHits(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w, int h,
         bool uv)
{
    const GUI_ViewParameter &cam = look.getViewStateRef().getViewParameterRef();
    const short vw = cam.getViewportWidth(), vh = cam.getViewportHeight();
    // GL counts rows from the bottom: the region's lowest row.
    const short glY = static_cast<short>(vh - y - h);

    std::vector<unsigned int> buffer(theBufferSize);
    look.beginPicking(r, buffer.data(), theBufferSize, 0, 0, vw, vh, static_cast<short>(x), glY,
                      static_cast<short>(w), static_cast<short>(h));
    // Publishes the options the looks pick with.
    look.pickRender(r, 0, 0, vw, vh, nullptr);
    const auto &objects = scene.objects();
    for (size_t i = 0; i < objects.size(); ++i)
    {
        if (!objects[i]->look->isPickable())
            continue;
        r->pushPickId(static_cast<int>(i));
        if (uv)
            objects[i]->look->getRender2D()->pickRender(r, 0, 0, vw, vh, nullptr);
        else
            objects[i]->look->pickRender(r, 0, 0, vw, vh, nullptr);
        r->popPickId();
    }
    const int records = look.endPicking(r, buffer.data());

    std::vector<ViewPickHit> hits;
    long at = 0;
    for (int k = 0; k < records && at + 3 <= theBufferSize; ++k)
    {
        const unsigned int names = buffer[at];
        if (at + 3 + long(names) > theBufferSize)
            break;
        const unsigned int *name = &buffer[at + 3];
        ViewPickHit hit;
        hit.depth = buffer[at + 1] / theMaxDepth;
        hit.object = names > 0 && name[0] < objects.size() ? int(name[0]) : -1;
        hit.handle = names > 1 ? int(name[1]) : -1;
        hit.prim = names > 2 ? int(name[2]) : -1;
        hits.push_back(hit);
        at += 3 + names;
    }
    return hits;
}

int
nearestObject(const std::vector<ViewPickHit> &hits)
{
    int best = -1;
    double depth = 2.0;
    for (const ViewPickHit &hit : hits)
        if (hit.object >= 0 && hit.depth < depth)
        {
            best = hit.object;
            depth = hit.depth;
        }
    return best;
}

int
topmostHit(const std::vector<ViewPickHit> &hits)
{
    int best = -1;
    for (size_t i = 0; i < hits.size(); ++i)
    {
        const ViewPickHit &hit = hits[i];
        if (hit.object < 0)
            continue;
        if (best >= 0)
        {
            const ViewPickHit &top = hits[size_t(best)];
            if (hit.object != top.object ? hit.object < top.object
                : hit.handle != top.handle ? hit.handle < top.handle
                                           : hit.prim <= top.prim)
                continue;
        }
        best = int(i);
    }
    return best;
}

int
pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
          int h, std::FILE *out, bool uv)
{
    const std::vector<ViewPickHit> hits = pickHits(scene, look, r, x, y, w, h, uv);
    const auto &objects = scene.objects();
    for (const ViewPickHit &hit : hits)
        std::fprintf(out, "%s handle %d primitive %d depth %.6f\n",
                     hit.object >= 0 ? objects[size_t(hit.object)]->name.c_str() : "?",
                     hit.handle, hit.prim, hit.depth);
    return int(hits.size());
}

#include "apps/vantrel-view/ViewPick.h"

#include "apps/vantrel-view/ViewScene.h"
#include "detail/GUI_DetailRender2D.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"

#include <vector>

namespace
{
// Room for a few thousand records of three names.
const long theBufferSize = 16384;
const double theMaxDepth = 4294967295.0;
} // namespace

int
pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
          int h, std::FILE *out, bool uv)
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

    long at = 0;
    for (int k = 0; k < records; ++k)
    {
        const unsigned int names = buffer[at];
        const double nearest = buffer[at + 1] / theMaxDepth;
        const unsigned int *name = &buffer[at + 3];
        const char *object = names > 0 && name[0] < objects.size()
                                 ? objects[name[0]]->name.c_str()
                                 : "?";
        const int handle = names > 1 ? int(name[1]) : -1;
        const int prim = names > 2 ? int(name[2]) : -1;
        std::fprintf(out, "%s handle %d primitive %d depth %.6f\n", object, handle, prim,
                     nearest);
        at += 3 + names;
    }
    return records;
}

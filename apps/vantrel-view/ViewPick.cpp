#include "apps/vantrel-view/ViewPick.h"

#include "apps/vantrel-view/ViewScene.h"
#include "host/RE/RE_Render.h"

#include <vector>

namespace
{
// Room for a few thousand records of three names.
const long theBufferSize = 16384;
const double theMaxDepth = 4294967295.0;
} // namespace

int
pickScene(const ViewScene &scene, const GUI_DisplayOption &options, RE_Render *r,
          int x, int y, std::FILE *out)
{
    short x1, x2, y1, y2;
    r->getViewport2DS(x1, x2, y1, y2);
    // GL counts rows from the bottom.
    const short glY = static_cast<short>(y2 - y);

    std::vector<unsigned int> buffer(theBufferSize);
    GUI_DetailLook::setGlobalDispOption(options);
    r->pushMatrix();
    r->beginPicking(buffer.data(), theBufferSize, static_cast<short>(x1 + x), glY, 1, 1);
    const auto &objects = scene.objects();
    for (size_t i = 0; i < objects.size(); ++i)
    {
        if (!objects[i]->look->isPickable())
            continue;
        r->pushPickId(static_cast<int>(i));
        objects[i]->look->pickRender(r, 0, 0, 0, 0, nullptr);
        r->popPickId();
    }
    const int records = r->endPicking(buffer.data());
    r->popMatrix();

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

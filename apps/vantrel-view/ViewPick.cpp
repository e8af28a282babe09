#include "apps/vantrel-view/ViewPick.h"

#include "apps/vantrel-view/ViewScene.h"

int
pickScene(const ViewScene &scene, GUI_SceneLook &look, RE_Render *r, int x, int y, int w,
          int h, std::FILE *out, bool uv)
{
    const std::vector<vantrel::PickHit> hits = vantrel::pickHits(scene, look, r, x, y, w, h, uv);
    const auto &objects = scene.objects();
    for (const vantrel::PickHit &hit : hits)
        std::fprintf(out, "%s handle %d primitive %d depth %.6f\n",
                     hit.object >= 0 ? objects[size_t(hit.object)]->name.c_str() : "?",
                     hit.handle, hit.prim, hit.depth);
    return int(hits.size());
}

#include "apps/vantrel-view/ViewScene.h"

#include "display/GUI_DisplayOption.h"
#include "host/RE/RE_Render.h"

ViewScene::ViewScene() : myBounds(-0.5f, 0.5f, -0.5f, 0.5f, -0.5f, 0.5f)
{
}

void
ViewScene::draw(RE_Render *r, const GUI_DisplayOption &options) const
{
    float bg[3];
    options.common().backgroundColor().getRGB(&bg[0], &bg[1], &bg[2]);
    r->setClearColor(bg[0], bg[1], bg[2]);
    r->clear();

    // Corner i has x from bit 0, y from bit 1, z from bit 2; the twelve
    // edges join corners that differ in one bit.
    float corner[8][3];
    for (int i = 0; i < 8; ++i)
    {
        corner[i][0] = myBounds(0, i & 1);
        corner[i][1] = myBounds(1, (i >> 1) & 1);
        corner[i][2] = myBounds(2, (i >> 2) & 1);
    }
    r->pushLineWidth(2.0f);
    r->setColor(0.9f, 0.8f, 0.3f);
    r->beginLines();
    for (int i = 0; i < 8; ++i)
        for (int bit = 1; bit < 8; bit <<= 1)
            if (!(i & bit))
            {
                r->vertex3DW(corner[i][0], corner[i][1], corner[i][2]);
                const int j = i | bit;
                r->vertex3DW(corner[j][0], corner[j][1], corner[j][2]);
            }
    r->endLines();
    r->popLineWidth();
}

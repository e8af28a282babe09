#include "host/UI/UI_Rectangle.h"

#include "host/RE/RE_Render.h"

void
UI_Rectangle::render(RE_Render *r, short x, short y, short w, short h, void *)
{
    if (!r || w < 1 || h < 1)
        return;
    r->pushColor();
    r->setColor(getBG().getColor());
    r->boxf2DS(x, y, short(x + w - 1), short(y + h - 1));
    r->popColor();
}

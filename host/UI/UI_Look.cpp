#include "host/UI/UI_Look.h"

#include "host/RE/RE_Render.h"

UI_Look::UI_Look() : myBG(UT_RGB, 0.0f, 0.0f, 0.0f)
{
}

void
UI_Look::getPreferredSizes(int &minWidth, int &minHeight, int &, int &, int &, int &)
{
    minWidth = 2 * myMargin;
    minHeight = 2 * myMargin;
}

void
UI_Look::beginPicking(RE_Render *r, unsigned int *buffer, long size, short x, short y,
                      short w, short h, short px, short py, short pw, short ph)
{
    if (!r)
        return;
    openPickPass(*r);
    // The pick region must be in force before the projection is set: the
    // context narrows projections set while picking.
    r->beginPicking(buffer, size, px, py, pw, ph);
    setView(r, x, y, w, h);
}

int
UI_Look::endPicking(RE_Render *r, unsigned int *buffer)
{
    if (!r)
        return 0;
    const int n = closePickPass(*r, buffer);
    r->unlockContextAfterRender();
    return n;
}

void
UI_Look::openPickPass(RE_Render &r)
{
    r.lockContextForRender();
    r.pushViewport();
    r.pushMatrix(RE_MATRIX_PROJECTION);
}

int
UI_Look::closePickPass(RE_Render &r, unsigned int *buffer)
{
    const int n = r.endPicking(buffer);
    r.popMatrix(RE_MATRIX_PROJECTION);
    r.popViewport();
    return n;
}

void
UI_Look::pickRender(RE_Render *, short, short, short, short, void *)
{
}

void
UI_Look::render(RE_Render *r, short x, short y, short w, short h, void *)
{
    if (drawsBorder())
        renderBorder(r, x, y, w, h);
}

void
UI_Look::setView(RE_Render *r, short x, short y, short w, short h)
{
    if (!r || w < 1 || h < 1)
        return;
    r->viewport2DS(x, short(x + w - 1), y, short(y + h - 1));
    r->ortho2DW(0.0f, float(w), 0.0f, float(h));
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadIdentityMatrix();
}

RE_Font *
UI_Look::getFont() const
{
    return myFont ? myFont : &RE_OGLRender::getViewportFont();
}

void
UI_Look::renderBorder(RE_Render *r, short x, short y, short w, short h) const
{
    if (!r || w < 1 || h < 1)
        return;
    const short x2 = short(x + w - 1), y2 = short(y + h - 1);
    r->pushColor();
    r->setColor(getBG(-0.25f).getColor());
    r->boxf2DS(x, y2, x2, y2); // top
    r->boxf2DS(x, y, x, y2);   // left
    r->setColor(getBG(0.5f).getColor());
    r->boxf2DS(x, y, x2, y);   // bottom
    r->boxf2DS(x2, y, x2, y2); // right
    r->popColor();
}

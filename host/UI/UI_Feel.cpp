#include "host/UI/UI_Feel.h"

#include "host/RE/RE_Render.h"
#include "host/UI/UI_Window.h"

RE_Render *
UI_Feel::getWindowRender() const
{
    UI_Window *window = getParentWindow();
    return window ? window->getRender() : nullptr;
}

void
UI_Feel::setSize(int width, int height)
{
    myWidth = width > 0 ? width : 0;
    myHeight = height > 0 ? height : 0;
}

void
UI_Feel::beginDraw()
{
    if (myDrawDepth++ > 0)
        return;
    myDrawRender = getWindowRender();
    if (!myDrawRender)
        return;
    myDrawRender->lockContextForRender();
    myDrawRender->pushViewport();
    // An empty feel keeps the window's viewport: GL has no empty viewport.
    if (myWidth > 0 && myHeight > 0)
        myDrawRender->viewport2DS(short(myX), short(myX + myWidth - 1), short(myY),
                                  short(myY + myHeight - 1));
}

void
UI_Feel::endDraw()
{
    if (myDrawDepth <= 0 || --myDrawDepth > 0)
        return;
    if (!myDrawRender)
        return;
    myDrawRender->popViewport();
    myDrawRender->unlockContextAfterRender();
    myDrawRender = nullptr;
}

void
UI_Feel::setRelative(float *x, float *y, int n, UI_Window *from) const
{
    float dx = float(myX), dy = float(myY);
    // A position given in another window than the feel's: through that
    // window's own place first.
    if (from && from != getParentWindow() && from != this)
    {
        dx -= float(from->getX());
        dy -= float(from->getY());
    }
    const float sign = n == 0 ? -1.0f : 1.0f;
    if (x)
        *x += sign * dx;
    if (y)
        *y += sign * dy;
}

// The operations that take host colours.

#include "host/RE/RE_OGLRender.h"

#include "host/UT/UT_Color.h"

void
RE_OGLRender::setColor(const UT_Color &c, float alpha)
{
    float r, g, b;
    c.getRGB(&r, &g, &b);
    setColor(r, g, b, alpha);
}

void
RE_OGLRender::pushColor(const UT_Color &c, float alpha)
{
    pushColor();
    setColor(c, alpha);
}

void
RE_OGLRender::setClearColor(const UT_Color &c, float alpha)
{
    float r, g, b;
    c.getRGB(&r, &g, &b);
    setClearColor(r, g, b, alpha);
}

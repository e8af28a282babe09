#include "host/RE/RE_Light.h"

#include "host/RE/RE_OGLRender.h"

RE_Light::RE_Light(const char *name)
    : myName(name ? name : ""), myPosition(0.0f, 0.0f, 1.0f),
      myDirection(0.0f, 0.0f, -1.0f), myColor{1.0f, 1.0f, 1.0f}
{
}

RE_Light::~RE_Light()
{
    // Contexts that gave this light a slot must not reach it any more.
    RE_OGLRender::lightDeleted(this);
}

void
RE_Light::setColor(float r, float g, float b)
{
    myColor[0] = r;
    myColor[1] = g;
    myColor[2] = b;
}

void
RE_Light::setFlag(int flag, bool on)
{
    if (on)
        myFlags |= flag;
    else
        myFlags &= ~flag;
}

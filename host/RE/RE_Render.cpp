#include "host/RE/RE_Render.h"

#include "host/RE/RE_Font.h"

#include <cstring>

namespace
{
RE_Render *theMainRender = nullptr;
}

RE_Render::RE_Render()
{
    // Every context shares the main context's display objects: looks release
    // their cached drawing through the main context.
    if (!theMainRender)
        theMainRender = this;
    else
        shareObjectsWith(*theMainRender);
}

RE_Render::~RE_Render()
{
    if (theMainRender == this)
        theMainRender = nullptr;
}

RE_Render *
RE_Render::getMainRender()
{
    return theMainRender;
}

bool
RE_Render::isMainRenderInitialized()
{
    return theMainRender != nullptr;
}

void
RE_Render::setFont(RE_Font &font)
{
    journalText("setFont", font.getFile().c_str());
    myFont = &font;
}

void
RE_Render::setFont(RE_Font *font)
{
    if (font)
        setFont(*font);
}

RE_Font &
RE_Render::getFont() const
{
    return myFont ? *myFont : getViewportFont();
}

void
RE_Render::putString(const char *text)
{
    journalText("putString", text);
    if (text)
        drawGlyphs(getFont(), text, static_cast<int>(std::strlen(text)));
}

void
RE_Render::putChar(int c)
{
    const char ch[2] = {static_cast<char>(c), '\0'};
    journalText("putChar", ch);
    drawGlyphs(getFont(), ch, 1);
}

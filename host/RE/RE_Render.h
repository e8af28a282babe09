#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/RE/RE_OGLRender.h"

class RE_Font;

// The render context the viewports draw through: the OpenGL operations of
// RE_OGLRender plus text output and the process's main context.
class VANTREL_API RE_Render : public RE_OGLRender
{
public:
    RE_Render();
    ~RE_Render() override;

    // The font putString and putChar draw with; the viewport font until
    // one is set. The font must outlive its use here.
    void setFont(RE_Font &font);
    void setFont(RE_Font *font);
    RE_Font &getFont() const;

    // Draws text at the current raster position, which moves past it.
    void putString(const char *text);
    void putChar(int c);

    // The first render context created in the process (or, once it is
    // gone, the next one created). Null before any exists.
    static RE_Render *getMainRender();
    static bool isMainRenderInitialized();

private:
    RE_Font *myFont = nullptr;
};

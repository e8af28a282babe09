// Colour, line style and width, blending, colour mask, shading, depth,
// stencil, winding and fog.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <cstring>

namespace
{
GLenum
glSourceFactor(RE_BlendSourceFactor f)
{
    static const GLenum table[] = {
        GL_ZERO, GL_ONE, GL_DST_COLOR, GL_SRC_ALPHA, GL_ONE_MINUS_DST_COLOR,
        GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA};
    const int i = static_cast<int>(f);
    return (i >= 0 && i < 8) ? table[i] : GL_ONE;
}

GLenum
glDestFactor(RE_BlendDestFactor f)
{
    static const GLenum table[] = {
        GL_ZERO, GL_ONE, GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
        GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA};
    const int i = static_cast<int>(f);
    return (i >= 0 && i < 8) ? table[i] : GL_ZERO;
}

// Out-of-range comparison codes fall back to the GL default of each test.
int
clampCompare(int func, int fallback)
{
    return (func >= RE_CMP_NEVER && func <= RE_CMP_ALWAYS) ? func : fallback;
}
}

// ---- Colour --------------------------------------------------------------

void
RE_OGLRender::setColor(float r, float g, float b, float a)
{
    applyColor("setColor", r, g, b, a);
}

// c4DW and setColor differ only in name: GL's current colour is both the
// vertex colour inside a primitive and the colour of what follows.
void
RE_OGLRender::c4DW(float r, float g, float b, float a)
{
    applyColor("c4DW", r, g, b, a);
}

void
RE_OGLRender::applyColor(const char *op, float r, float g, float b, float a)
{
    journal(op, {r, g, b, a});
    myDrawing.color[0] = r;
    myDrawing.color[1] = g;
    myDrawing.color[2] = b;
    myDrawing.color[3] = a;
    if (glReady())
        sendColor();
}

void
RE_OGLRender::getColor(float rgba[4]) const
{
    for (int i = 0; i < 4; ++i)
        rgba[i] = myDrawing.color[i];
}

void
RE_OGLRender::pushColor()
{
    journal("pushColor");
    if (myColorStack.size() < 4 * ourMaxStackDepth)
        myColorStack.insert(myColorStack.end(), myDrawing.color, myDrawing.color + 4);
}

void
RE_OGLRender::popColor()
{
    journal("popColor");
    if (myColorStack.size() < 4)
        return;
    const size_t at = myColorStack.size() - 4;
    for (int i = 0; i < 4; ++i)
        myDrawing.color[i] = myColorStack[at + i];
    myColorStack.resize(at);
    if (glReady())
        sendColor();
}

// ---- Lines ---------------------------------------------------------------

void
RE_OGLRender::sendLineStyle()
{
    static const GLushort patterns[] = {0xFFFF, 0x5555, 0x0FFF, 0x0F0F};
    if (!mustSend(RE_GS_LINE_STYLE, myGL->drawing.lineStyle == myDrawing.lineStyle))
        return;
    if (sendingToGL())
        myGL->drawing.lineStyle = myDrawing.lineStyle;
    if (myDrawing.lineStyle <= RE_LINE_SOLID || myDrawing.lineStyle > RE_LINE_DASHED)
    {
        glDisable(GL_LINE_STIPPLE);
        return;
    }
    glLineStipple(myDrawing.lineStyle == RE_LINE_LONG_DASH ? 2 : 1, patterns[myDrawing.lineStyle]);
    glEnable(GL_LINE_STIPPLE);
}

void
RE_OGLRender::pushLineStyle(int style)
{
    journal("pushLineStyle", {static_cast<double>(style)});
    if (myLineStyleStack.size() >= ourMaxStackDepth)
        return;
    myLineStyleStack.push_back(myDrawing.lineStyle);
    myDrawing.lineStyle = style;
    if (glReady())
        sendLineStyle();
}

void
RE_OGLRender::popLineStyle()
{
    journal("popLineStyle");
    if (myLineStyleStack.empty())
        return;
    myDrawing.lineStyle = myLineStyleStack.back();
    myLineStyleStack.pop_back();
    if (glReady())
        sendLineStyle();
}

void
RE_OGLRender::pushLineWidth(float width)
{
    journal("pushLineWidth", {width});
    if (myLineWidthStack.size() >= ourMaxStackDepth)
        return;
    myLineWidthStack.push_back(myDrawing.lineWidth);
    // GL rejects widths that are not positive; keep the record honest.
    myDrawing.lineWidth = width > 0.0f ? width : 1.0f;
    if (glReady())
        sendLineWidth();
}

void
RE_OGLRender::popLineWidth()
{
    journal("popLineWidth");
    if (myLineWidthStack.empty())
        return;
    myDrawing.lineWidth = myLineWidthStack.back();
    myLineWidthStack.pop_back();
    if (glReady())
        sendLineWidth();
}

void
RE_OGLRender::smoothBlendLines(int on)
{
    journal("smoothBlendLines", {static_cast<double>(on)});
    myDrawing.lineSmooth = on != 0;
    if (!glReady())
        return;
    if (myDrawing.lineSmooth)
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    sendLineSmooth();
}

// ---- Blending, mask, shading ---------------------------------------------

void
RE_OGLRender::sendBlend()
{
    sendBlendOn();
    sendBlendFunction();
}

void
RE_OGLRender::sendBlendOn()
{
    if (!mustSend(RE_GS_BLEND_ON, myGL->drawing.blend.on == myDrawing.blend.on))
        return;
    REglEnable(GL_BLEND, myDrawing.blend.on);
    if (sendingToGL())
        myGL->drawing.blend.on = myDrawing.blend.on;
}

void
RE_OGLRender::sendBlendFunction()
{
    const RE_DrawingState::Blend &b = myDrawing.blend;
    RE_DrawingState::Blend &gl = myGL->drawing.blend;
    if (!mustSend(RE_GS_BLEND_FUNC, gl.src == b.src && gl.dst == b.dst))
        return;
    glBlendFunc(glSourceFactor(b.src), glDestFactor(b.dst));
    if (sendingToGL())
    {
        gl.src = b.src;
        gl.dst = b.dst;
    }
}

void
RE_OGLRender::blend(int on)
{
    journal("blend", {static_cast<double>(on)});
    myDrawing.blend.on = on != 0;
    if (glReady())
        sendBlendOn();
}

void
RE_OGLRender::blendAlpha(int on, int additive)
{
    journal("blendAlpha", {static_cast<double>(on), static_cast<double>(additive)});
    myDrawing.blend.on = on != 0;
    if (myDrawing.blend.on)
    {
        myDrawing.blend.src = RE_SBLEND_SRC_ALPHA;
        myDrawing.blend.dst = additive ? RE_DBLEND_ONE : RE_DBLEND_ONE_MINUS_SRC_ALPHA;
    }
    if (glReady())
        sendBlend();
}

void
RE_OGLRender::pushBlendState()
{
    journal("pushBlendState");
    if (myBlendStack.size() < ourMaxStackDepth)
        myBlendStack.push_back(myDrawing.blend);
}

void
RE_OGLRender::popBlendState()
{
    journal("popBlendState");
    if (myBlendStack.empty())
        return;
    myDrawing.blend = myBlendStack.back();
    myBlendStack.pop_back();
    if (glReady())
        sendBlend();
}

void
RE_OGLRender::setBlendFunction(RE_BlendSourceFactor src, RE_BlendDestFactor dst)
{
    journal("setBlendFunction", {static_cast<double>(src), static_cast<double>(dst)});
    myDrawing.blend.src = src;
    myDrawing.blend.dst = dst;
    if (glReady())
        sendBlendFunction();
}

void
RE_OGLRender::getBlendFunction(RE_BlendSourceFactor *src, RE_BlendDestFactor *dst) const
{
    if (src)
        *src = myDrawing.blend.src;
    if (dst)
        *dst = myDrawing.blend.dst;
}

void
RE_OGLRender::getBlendFunction(RE_BlendSourceFactor &src, RE_BlendDestFactor &dst) const
{
    getBlendFunction(&src, &dst);
}

void
RE_OGLRender::setColorMask(bool r, bool g, bool b, bool a)
{
    journal("setColorMask", {double(r), double(g), double(b), double(a)});
    myDrawing.colorMask[0] = r;
    myDrawing.colorMask[1] = g;
    myDrawing.colorMask[2] = b;
    myDrawing.colorMask[3] = a;
    if (glReady())
        sendColorMask();
}

void
RE_OGLRender::getColorMask(bool rgba[4]) const
{
    for (int i = 0; i < 4; ++i)
        rgba[i] = myDrawing.colorMask[i];
}

void
RE_OGLRender::interpMode(int smooth)
{
    journal("interpMode", {static_cast<double>(smooth)});
    myDrawing.interpMode = smooth ? 1 : 0;
    if (glReady())
        sendShadeModel();
}

// ---- Depth, stencil, winding ---------------------------------------------

void
RE_OGLRender::enableZbuffer(int on, int clearDepth)
{
    journal("enableZbuffer", {static_cast<double>(on), static_cast<double>(clearDepth)});
    myDrawing.zTest = on != 0;
    if (!glReady())
        return;
    sendDepthTest();
    if (myDrawing.zTest && clearDepth)
    {
        sendStateBehind();
        glClear(GL_DEPTH_BUFFER_BIT);
    }
}

void
RE_OGLRender::setZFunction(int func)
{
    journal("setZFunction", {static_cast<double>(func)});
    myDrawing.zFunc = clampCompare(func, RE_CMP_LESS);
    if (glReady())
        sendDepthFunction();
}

void
RE_OGLRender::polygonOffset(int on)
{
    journal("polygonOffset", {static_cast<double>(on)});
    myDrawing.polygonOffset = on != 0;
    if (glReady())
        sendPolygonOffset();
}

// Filled faces and lines both, so wire drawn over a depth pass is offset too.
void
RE_OGLRender::sendPolygonOffset()
{
    if (!mustSend(RE_GS_OFFSET_ON, myGL->drawing.polygonOffset == myDrawing.polygonOffset))
        return;
    REglEnable(GL_POLYGON_OFFSET_FILL, myDrawing.polygonOffset);
    REglEnable(GL_POLYGON_OFFSET_LINE, myDrawing.polygonOffset);
    if (sendingToGL())
        myGL->drawing.polygonOffset = myDrawing.polygonOffset;
}

void
RE_OGLRender::setOffsetAmount(float factor, float units)
{
    journal("setOffsetAmount", {factor, units});
    myDrawing.offsetFactor = factor;
    myDrawing.offsetUnits = units;
    if (glReady())
        sendOffsetAmount();
}

void
RE_OGLRender::getOffsetAmount(float &factor, float &units) const
{
    factor = myDrawing.offsetFactor;
    units = myDrawing.offsetUnits;
}

void
RE_OGLRender::setSFunction(int func, int ref, int mask)
{
    journal("setSFunction", {static_cast<double>(func), static_cast<double>(ref),
                             static_cast<double>(mask)});
    myDrawing.stencilFunc = clampCompare(func, RE_CMP_ALWAYS);
    myDrawing.stencilRef = ref;
    myDrawing.stencilMask = mask;
    if (glReady())
        sendStencil();
}

void
RE_OGLRender::getSFunction(int &func, int &ref, int &mask) const
{
    func = myDrawing.stencilFunc;
    ref = myDrawing.stencilRef;
    mask = myDrawing.stencilMask;
}

void
RE_OGLRender::setReverseWinding(bool reverse)
{
    journal("setReverseWinding", {static_cast<double>(reverse)});
    myDrawing.reverseWinding = reverse;
    if (glReady())
        sendWinding();
}

// ---- Fog -----------------------------------------------------------------

void
RE_OGLRender::sendFog()
{
    static const GLint modes[] = {GL_EXP, GL_LINEAR, GL_EXP2};
    const RE_DrawingState::Fog &fog = myDrawing.fog;
    const int m = (fog.mode >= 0 && fog.mode <= 2) ? fog.mode : 0;
    RE_DrawingState::Fog &gl = myGL->drawing.fog;
    const bool unchanged = gl.mode == fog.mode && gl.density == fog.density &&
                           gl.start == fog.start && gl.end == fog.end &&
                           std::memcmp(gl.color, fog.color, sizeof(gl.color)) == 0 &&
                           gl.useCoord == fog.useCoord;
    if (!mustSend(RE_GS_FOG_PARAMS, unchanged))
    {
        sendFogOn();
        return;
    }
    if (sendingToGL())
    {
        const bool on = gl.on;
        gl = fog;
        gl.on = on;
    }
    glFogi(GL_FOG_MODE, modes[m]);
    glFogf(GL_FOG_DENSITY, fog.density);
    glFogf(GL_FOG_START, fog.start);
    glFogf(GL_FOG_END, fog.end);
    glFogfv(GL_FOG_COLOR, fog.color);
    glFogi(GL_FOG_COORD_SRC, fog.useCoord ? GL_FOG_COORD : GL_FRAGMENT_DEPTH);
    sendFogOn();
}

void
RE_OGLRender::enableFog(int mode, float density, float start, float end,
                        const UT_Vector3 &rgb, float alpha)
{
    journal("enableFog", {static_cast<double>(mode), density, start, end,
                          rgb.x(), rgb.y(), rgb.z(), alpha});
    RE_DrawingState::Fog &fog = myDrawing.fog;
    fog.on = true;
    fog.mode = mode;
    // GL refuses a negative density.
    fog.density = density >= 0.0f ? density : 0.0f;
    fog.start = start;
    fog.end = end;
    fog.color[0] = rgb.x();
    fog.color[1] = rgb.y();
    fog.color[2] = rgb.z();
    fog.color[3] = alpha;
    if (glReady())
        sendFog();
}

void
RE_OGLRender::disableFog()
{
    journal("disableFog");
    myDrawing.fog.on = false;
    if (glReady())
        sendFogOn();
}

void
RE_OGLRender::useFogCoord(bool on)
{
    journal("useFogCoord", {static_cast<double>(on)});
    myDrawing.fog.useCoord = on;
    if (glReady())
        sendFog();
}

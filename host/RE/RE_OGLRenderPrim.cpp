// Immediate-mode primitives, screen boxes and text.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_Font.h"
#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderShadow.h"

namespace
{
const char *
primitiveName(int prim, bool begin)
{
    switch (prim)
    {
    case GL_LINE_STRIP: return begin ? "beginLine" : "endLine";
    case GL_LINES: return begin ? "beginLines" : "endLines";
    case GL_POINTS: return begin ? "beginPoints" : "endPoints";
    case GL_TRIANGLES: return begin ? "beginTriangles" : "endTriangles";
    default: return begin ? "beginPolygon" : "endPolygon";
    }
}
}

void
RE_OGLRender::beginPrimitive(int prim, std::initializer_list<double> args)
{
    journal(primitiveName(prim, true), args);
    if (myPrimitive != 0)
        return;
    if (glReady())
    {
        sendBeforeDrawing();
        glBegin(static_cast<GLenum>(prim));
    }
    myPrimitive = prim;
}

void
RE_OGLRender::endPrimitive(int prim)
{
    journal(primitiveName(prim, false));
    if (myPrimitive != prim)
        return;
    myPrimitive = 0;
    if (glReady())
        glEnd();
}

void RE_OGLRender::beginLine() { beginPrimitive(GL_LINE_STRIP); }
void RE_OGLRender::endLine() { endPrimitive(GL_LINE_STRIP); }
void RE_OGLRender::beginLines() { beginPrimitive(GL_LINES); }
void RE_OGLRender::endLines() { endPrimitive(GL_LINES); }
void RE_OGLRender::beginPolygon(int in3D) { beginPrimitive(GL_POLYGON, {static_cast<double>(in3D)}); }
void RE_OGLRender::endPolygon() { endPrimitive(GL_POLYGON); }

void
RE_OGLRender::vertex2DW(float x, float y)
{
    journal("vertex2DW", {x, y});
    if (myPrimitive && glReady())
        glVertex2f(x, y);
}

void
RE_OGLRender::vertex3DW(float x, float y, float z)
{
    journal("vertex3DW", {x, y, z});
    if (myPrimitive && glReady())
        glVertex3f(x, y, z);
}

void
RE_OGLRender::t2DW(float s, float t)
{
    journal("t2DW", {s, t});
    if (glReady())
        glTexCoord2f(s, t);
}

void
RE_OGLRender::fogCoord(float f)
{
    journal("fogCoord", {f});
    if (glReady())
        glFogCoordf(f);
}

void
RE_OGLRender::rect2DW(float x1, float y1, float x2, float y2)
{
    journal("rect2DW", {x1, y1, x2, y2});
    if (myPrimitive || !glReady())
        return;
    sendBeforeDrawing();
    glBegin(GL_LINE_LOOP);
    glVertex2f(x1, y1);
    glVertex2f(x2, y1);
    glVertex2f(x2, y2);
    glVertex2f(x1, y2);
    glEnd();
}

void
RE_OGLRender::boxf2DS(short x1, short y1, short x2, short y2)
{
    journal("boxf2DS", {static_cast<double>(x1), static_cast<double>(y1),
                        static_cast<double>(x2), static_cast<double>(y2)});
    if (myPrimitive || !glReady())
        return;
    // Window pixels: a pixel-exact orthographic projection over the
    // viewport, inside a GL push so the record's matrices stay as they are.
    const ViewportState &v = myViewport;
    sendBeforeDrawing();
    sendGLMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(v.vx1, v.vx2 + 1.0, v.vy1, v.vy2 + 1.0, -1.0, 1.0);
    sendGLMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRectf(x1, y1, x2 + 1.0f, y2 + 1.0f);
    glPopMatrix();
    sendGLMatrixMode(GL_PROJECTION);
    glPopMatrix();
    sendMatrixMode();
}

// ---- Text ----------------------------------------------------------------

void
RE_OGLRender::textMoveW(float x, float y)
{
    journal("textMoveW", {x, y});
    if (myPrimitive || !glReady())
        return;
    sendBeforeDrawing();
    glRasterPos2f(x, y);
}

void
RE_OGLRender::textMove3W(float x, float y, float z)
{
    journal("textMove3W", {x, y, z});
    if (myPrimitive || !glReady())
        return;
    sendBeforeDrawing();
    glRasterPos3f(x, y, z);
}

void
RE_OGLRender::drawGlyphs(RE_Font &font, const char *text, int count)
{
    if (!text || myPrimitive || !glReady())
        return;
    for (int i = 0; i < count; ++i)
    {
        const RE_FontGlyph *g = font.getGlyph(static_cast<unsigned char>(text[i]));
        if (!g)
            continue;
        glBitmap(g->width, g->height, g->xorig, g->yorig, g->advance, 0.0f,
                 g->bits.empty() ? nullptr : g->bits.data());
    }
}

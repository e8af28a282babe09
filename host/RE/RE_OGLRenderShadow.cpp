// Sending only what GL lacks: the context's copy of GL's state, the
// matrices and light placements sent just before drawing, and what a
// replayed display object leaves behind.

#include "host/RE/RE_OGLRenderShadow.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_NativeContext.h"

#include <cstring>

namespace
{
bool
sameRGBA(const float a[4], const float b[4])
{
    return std::memcmp(a, b, 4 * sizeof(float)) == 0;
}

} // namespace

bool
RE_OGLRender::GLShadow::operator==(const GLShadow &o) const
{
    return known == o.known && matrixMode == o.matrixMode &&
           sameBytes(projection, o.projection) && sameBytes(viewing, o.viewing) &&
           sameBytes(viewport, o.viewport) && drawing == o.drawing;
}

void
RE_OGLRender::GLShadow::adopt(const GLShadow &from, unsigned groups)
{
    RE_DrawingState &d = drawing;
    const RE_DrawingState &f = from.drawing;
    if (groups & RE_GS_MATRIX_MODE)
        matrixMode = from.matrixMode;
    if (groups & RE_GS_VIEWPORT)
        viewport = from.viewport;
    if (groups & RE_GS_COLOR)
        std::memcpy(d.color, f.color, sizeof(d.color));
    if (groups & RE_GS_LINE_STYLE)
        d.lineStyle = f.lineStyle;
    if (groups & RE_GS_LINE_WIDTH)
        d.lineWidth = f.lineWidth;
    if (groups & RE_GS_LINE_SMOOTH)
        d.lineSmooth = f.lineSmooth;
    if (groups & RE_GS_BLEND_ON)
        d.blend.on = f.blend.on;
    if (groups & RE_GS_BLEND_FUNC)
    {
        d.blend.src = f.blend.src;
        d.blend.dst = f.blend.dst;
    }
    if (groups & RE_GS_COLOR_MASK)
        std::memcpy(d.colorMask, f.colorMask, sizeof(d.colorMask));
    if (groups & RE_GS_SHADE)
        d.interpMode = f.interpMode;
    if (groups & RE_GS_DEPTH_TEST)
        d.zTest = f.zTest;
    if (groups & RE_GS_DEPTH_FUNC)
        d.zFunc = f.zFunc;
    if (groups & RE_GS_OFFSET_ON)
        d.polygonOffset = f.polygonOffset;
    if (groups & RE_GS_OFFSET_AMOUNT)
    {
        d.offsetFactor = f.offsetFactor;
        d.offsetUnits = f.offsetUnits;
    }
    if (groups & RE_GS_STENCIL)
    {
        d.stencilFunc = f.stencilFunc;
        d.stencilRef = f.stencilRef;
        d.stencilMask = f.stencilMask;
    }
    if (groups & RE_GS_WINDING)
        d.reverseWinding = f.reverseWinding;
    if (groups & RE_GS_FOG_ON)
        d.fog.on = f.fog.on;
    if (groups & RE_GS_FOG_PARAMS)
    {
        const bool on = d.fog.on;
        d.fog = f.fog;
        d.fog.on = on;
    }
    if (groups & RE_GS_LIGHTING)
        d.lighting = f.lighting;
    if (groups & RE_GS_TEXTURE)
        d.texture = f.texture;
    if (groups & RE_GS_CULL)
        d.cullFace = f.cullFace;
    if (groups & RE_GS_POLYGON_MODE)
        d.polygonMode = f.polygonMode;
    if (groups & RE_GS_POINT_SIZE)
        d.pointSize = f.pointSize;
    if (groups & RE_GS_MATERIAL)
    {
        d.material = f.material;
        d.specular = f.specular;
    }
    known |= groups & ~(RE_GS_MATRICES | RE_GS_LIGHTS);
}

std::shared_ptr<const RE_OGLRender::GLShadow>
RE_OGLRender::captureRecord() const
{
    auto s = std::make_shared<GLShadow>();
    captureRecordInto(*s);
    return s;
}

void
RE_OGLRender::captureRecordInto(GLShadow &s) const
{
    s = GLShadow();
    s.matrixMode = myMatrix.mode != RE_MATRIX_VIEWING ? GL_PROJECTION : GL_MODELVIEW;
    s.projection = myMatrix.projection;
    s.viewing = myMatrix.viewing;
    s.viewport = myViewport;
    s.drawing = myDrawing;
}

void
RE_OGLRender::loadDrawingState(const GLShadow &s)
{
    myDrawing = s.drawing;
}

bool
RE_OGLRender::mustSend(unsigned group, bool sameAsGL)
{
    if (myDefining >= ourRecordOnlyIdBase)
    {
        // A definition begun without GL: the call executes, but nothing
        // records it. Forget what GL held.
        myGL->known &= ~group;
        return true;
    }
    if (myDefining >= 0)
    {
        myDefineSets |= group;
        return true;
    }
    if ((myGL->known & group) && sameAsGL)
        return false;
    myGL->known |= group;
    myGLStateFrom.reset();
    return true;
}

void
RE_OGLRender::noteDefinedMatrixChange()
{
    if (myDefining >= 0 && myDefineMatrixDepth == 0)
        myDefineSets |= RE_GS_MATRICES;
}

void
RE_OGLRender::sendPendingState()
{
    if (!glReady())
        return;
    sendBeforeDrawing();
    // The caller may give arrays by pointer.
    releaseArrays();
}

void
RE_OGLRender::forgetGLState()
{
    // The next operation finds the stamp changed and sends everything.
    mySyncStamp = RE_NativeContext::getActivationStamp() - 1;
    myGL->known = 0;
    for (auto &l : myLights)
        l.second.glKnown = false;
    myBoundArrays = nullptr;
    myArraysClean = false;
    myGLStateFrom.reset();
}

void
RE_OGLRender::rememberBlending(int on)
{
    myGLStateFrom.reset();
    myDrawing.blend.on = on != 0;
    // Read back from GL: that is what GL holds.
    if (myDefining < 0 && isGLActive())
    {
        myGL->drawing.blend.on = myDrawing.blend.on;
        myGL->known |= RE_GS_BLEND_ON;
    }
}

// ---- Matrices and lights, sent before drawing -------------------------------

void
RE_OGLRender::sendGLMatrixMode(int glMode)
{
    if (!mustSend(RE_GS_MATRIX_MODE, myGL->matrixMode == unsigned(glMode)))
        return;
    glMatrixMode(static_cast<GLenum>(glMode));
    if (sendingToGL())
        myGL->matrixMode = unsigned(glMode);
}

void
RE_OGLRender::sendMatrixMode()
{
    sendGLMatrixMode(myMatrix.mode != RE_MATRIX_VIEWING ? GL_PROJECTION : GL_MODELVIEW);
}

void
RE_OGLRender::sendMatrices()
{
    if (!(myGL->known & RE_GS_PROJECTION) || !sameBytes(myGL->projection, myMatrix.projection))
    {
        sendGLMatrixMode(GL_PROJECTION);
        glLoadMatrixf(myMatrix.projection.data());
        myGL->projection = myMatrix.projection;
        myGL->known |= RE_GS_PROJECTION;
    }
    if (!(myGL->known & RE_GS_VIEWING) || !sameBytes(myGL->viewing, myMatrix.viewing))
    {
        sendGLMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(myMatrix.viewing.data());
        myGL->viewing = myMatrix.viewing;
        myGL->known |= RE_GS_VIEWING;
    }
    sendMatrixMode();
}

void
RE_OGLRender::sendLights()
{
    for (auto &l : myLights)
    {
        LightSlot &s = l.second;
        const bool placed = s.glKnown && s.glOn && sameRGBA(s.glPosition, s.position) &&
                            sameBytes(s.glPlacedUnder, s.placedUnder);
        if (s.glKnown && s.glOn == s.on && (!s.on || placed))
            continue;
        const GLenum id = GL_LIGHT0 + s.slot;
        if (s.on)
        {
            if (!placed)
            {
                // GL places the light with the modelview matrix in force.
                sendGLMatrixMode(GL_MODELVIEW);
                if (!(myGL->known & RE_GS_VIEWING) || !sameBytes(myGL->viewing, s.placedUnder))
                {
                    glLoadMatrixf(s.placedUnder.data());
                    myGL->viewing = s.placedUnder;
                    myGL->known |= RE_GS_VIEWING;
                }
                glLightfv(id, GL_POSITION, s.position);
                std::memcpy(s.glPosition, s.position, sizeof(s.position));
                s.glPlacedUnder = s.placedUnder;
            }
            if (!s.glKnown || !s.glOn)
                glEnable(id);
        }
        else
            glDisable(id);
        s.glKnown = true;
        s.glOn = s.on;
    }
}

void
RE_OGLRender::sendBeforeDrawing()
{
    // Inside a definition matrices and lights were compiled as they came.
    if (myDefining >= 0)
        return;
    sendStateBehind();
    sendLights();
    sendMatrices();
}

// ---- Single groups ------------------------------------------------------------

void
RE_OGLRender::sendColor()
{
    if (!mustSend(RE_GS_COLOR, sameRGBA(myGL->drawing.color, myDrawing.color)))
        return;
    glColor4fv(myDrawing.color);
    if (sendingToGL())
        std::memcpy(myGL->drawing.color, myDrawing.color, sizeof(myDrawing.color));
}

void
RE_OGLRender::sendLineWidth()
{
    if (!mustSend(RE_GS_LINE_WIDTH, myGL->drawing.lineWidth == myDrawing.lineWidth))
        return;
    glLineWidth(myDrawing.lineWidth);
    if (sendingToGL())
        myGL->drawing.lineWidth = myDrawing.lineWidth;
}

void
RE_OGLRender::sendLineSmooth()
{
    if (!mustSend(RE_GS_LINE_SMOOTH, myGL->drawing.lineSmooth == myDrawing.lineSmooth))
        return;
    REglEnable(GL_LINE_SMOOTH, myDrawing.lineSmooth);
    if (sendingToGL())
        myGL->drawing.lineSmooth = myDrawing.lineSmooth;
}

void
RE_OGLRender::sendColorMask()
{
    const bool *mask = myDrawing.colorMask;
    if (!mustSend(RE_GS_COLOR_MASK, sameBytes(myGL->drawing.colorMask, myDrawing.colorMask)))
        return;
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
    if (sendingToGL())
        std::memcpy(myGL->drawing.colorMask, mask, sizeof(myDrawing.colorMask));
}

void
RE_OGLRender::sendShadeModel()
{
    if (!mustSend(RE_GS_SHADE, myGL->drawing.interpMode == myDrawing.interpMode))
        return;
    glShadeModel(myDrawing.interpMode ? GL_SMOOTH : GL_FLAT);
    if (sendingToGL())
        myGL->drawing.interpMode = myDrawing.interpMode;
}

void
RE_OGLRender::sendDepthTest()
{
    if (!mustSend(RE_GS_DEPTH_TEST, myGL->drawing.zTest == myDrawing.zTest))
        return;
    REglEnable(GL_DEPTH_TEST, myDrawing.zTest);
    if (sendingToGL())
        myGL->drawing.zTest = myDrawing.zTest;
}

void
RE_OGLRender::sendDepthFunction()
{
    if (!mustSend(RE_GS_DEPTH_FUNC, myGL->drawing.zFunc == myDrawing.zFunc))
        return;
    glDepthFunc(GL_NEVER + myDrawing.zFunc);
    if (sendingToGL())
        myGL->drawing.zFunc = myDrawing.zFunc;
}

void
RE_OGLRender::sendOffsetAmount()
{
    if (!mustSend(RE_GS_OFFSET_AMOUNT, myGL->drawing.offsetFactor == myDrawing.offsetFactor &&
                                           myGL->drawing.offsetUnits == myDrawing.offsetUnits))
        return;
    glPolygonOffset(myDrawing.offsetFactor, myDrawing.offsetUnits);
    if (sendingToGL())
    {
        myGL->drawing.offsetFactor = myDrawing.offsetFactor;
        myGL->drawing.offsetUnits = myDrawing.offsetUnits;
    }
}

void
RE_OGLRender::sendStencil()
{
    const RE_DrawingState &d = myDrawing;
    RE_DrawingState &gl = myGL->drawing;
    if (!mustSend(RE_GS_STENCIL, gl.stencilFunc == d.stencilFunc &&
                                     gl.stencilRef == d.stencilRef &&
                                     gl.stencilMask == d.stencilMask))
        return;
    glStencilFunc(GL_NEVER + d.stencilFunc, d.stencilRef, static_cast<GLuint>(d.stencilMask));
    if (sendingToGL())
    {
        gl.stencilFunc = d.stencilFunc;
        gl.stencilRef = d.stencilRef;
        gl.stencilMask = d.stencilMask;
    }
}

void
RE_OGLRender::sendWinding()
{
    if (!mustSend(RE_GS_WINDING, myGL->drawing.reverseWinding == myDrawing.reverseWinding))
        return;
    glFrontFace(myDrawing.reverseWinding ? GL_CW : GL_CCW);
    if (sendingToGL())
        myGL->drawing.reverseWinding = myDrawing.reverseWinding;
}

void
RE_OGLRender::sendFogOn()
{
    if (!mustSend(RE_GS_FOG_ON, myGL->drawing.fog.on == myDrawing.fog.on))
        return;
    REglEnable(GL_FOG, myDrawing.fog.on);
    if (sendingToGL())
        myGL->drawing.fog.on = myDrawing.fog.on;
}

void
RE_OGLRender::sendLighting()
{
    if (!mustSend(RE_GS_LIGHTING, myGL->drawing.lighting == myDrawing.lighting))
        return;
    REglEnable(GL_LIGHTING, myDrawing.lighting);
    if (sendingToGL())
        myGL->drawing.lighting = myDrawing.lighting;
}

void
RE_OGLRender::sendTexture()
{
    if (!mustSend(RE_GS_TEXTURE, myGL->drawing.texture == myDrawing.texture))
        return;
    glBindTexture(GL_TEXTURE_2D, myDrawing.texture);
    REglEnable(GL_TEXTURE_2D, myDrawing.texture != 0);
    if (sendingToGL())
        myGL->drawing.texture = myDrawing.texture;
}

void
RE_OGLRender::sendCulling()
{
    if (!mustSend(RE_GS_CULL, myGL->drawing.cullFace == myDrawing.cullFace))
        return;
    REglEnable(GL_CULL_FACE, myDrawing.cullFace != RE_CULL_NONE);
    glCullFace(myDrawing.cullFace == RE_CULL_FRONT ? GL_FRONT : GL_BACK);
    if (sendingToGL())
        myGL->drawing.cullFace = myDrawing.cullFace;
}

void
RE_OGLRender::sendPolygonMode()
{
    if (!mustSend(RE_GS_POLYGON_MODE, myGL->drawing.polygonMode == myDrawing.polygonMode))
        return;
    glPolygonMode(GL_FRONT_AND_BACK, myDrawing.polygonMode == RE_POLYGON_LINE    ? GL_LINE
                                     : myDrawing.polygonMode == RE_POLYGON_POINT ? GL_POINT
                                                                         : GL_FILL);
    if (sendingToGL())
        myGL->drawing.polygonMode = myDrawing.polygonMode;
}

void
RE_OGLRender::sendPointSize()
{
    if (!mustSend(RE_GS_POINT_SIZE, myGL->drawing.pointSize == myDrawing.pointSize))
        return;
    glPointSize(myDrawing.pointSize);
    if (sendingToGL())
        myGL->drawing.pointSize = myDrawing.pointSize;
}

// The material, or without one the current colour as the surface with the
// specular level of the specular switch.
void
RE_OGLRender::sendMaterial()
{
    const RE_DrawingState::Material &m = myDrawing.material;
    const bool unchanged =
        myGL->drawing.material.on == m.on &&
        (m.on ? sameRGBA(myGL->drawing.material.diffuse, m.diffuse) &&
                    sameRGBA(myGL->drawing.material.specular, m.specular) &&
                    myGL->drawing.material.shininess == m.shininess
              : myGL->drawing.specular == myDrawing.specular);
    if (!mustSend(RE_GS_MATERIAL, unchanged))
        return;
    if (m.on)
    {
        glDisable(GL_COLOR_MATERIAL);
        float ambient[4];
        for (int i = 0; i < 3; ++i)
            ambient[i] = m.diffuse[i] * 0.2f;
        ambient[3] = 1.0f;
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
    }
    else
    {
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        sendSpecular();
    }
    if (sendingToGL())
    {
        myGL->drawing.material = m;
        myGL->drawing.specular = myDrawing.specular;
    }
}

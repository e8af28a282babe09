// Sending only what GL lacks: the context's copy of GL's state, the
// matrices and light placements sent just before drawing, and what a
// replayed display object leaves behind.

#include "host/RE/RE_OGLRenderShadow.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_NativeContext.h"

#include <cstring>

namespace
{
template <typename T>
bool
sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool
sameRGBA(const float a[4], const float b[4])
{
    return std::memcmp(a, b, 4 * sizeof(float)) == 0;
}

} // namespace

void
RE_OGLRender::GLShadow::adopt(const GLShadow &from, unsigned groups)
{
    if (groups & RE_GS_MATRIX_MODE)
        matrixMode = from.matrixMode;
    if (groups & RE_GS_VIEWPORT)
        viewport = from.viewport;
    if (groups & RE_GS_COLOR)
        std::memcpy(color, from.color, sizeof(color));
    if (groups & RE_GS_LINE_STYLE)
        lineStyle = from.lineStyle;
    if (groups & RE_GS_LINE_WIDTH)
        lineWidth = from.lineWidth;
    if (groups & RE_GS_LINE_SMOOTH)
        lineSmooth = from.lineSmooth;
    if (groups & RE_GS_BLEND_ON)
        blend.on = from.blend.on;
    if (groups & RE_GS_BLEND_FUNC)
    {
        blend.src = from.blend.src;
        blend.dst = from.blend.dst;
    }
    if (groups & RE_GS_COLOR_MASK)
        std::memcpy(colorMask, from.colorMask, sizeof(colorMask));
    if (groups & RE_GS_SHADE)
        interpMode = from.interpMode;
    if (groups & RE_GS_DEPTH_TEST)
        zTest = from.zTest;
    if (groups & RE_GS_DEPTH_FUNC)
        zFunc = from.zFunc;
    if (groups & RE_GS_OFFSET_ON)
        polygonOffset = from.polygonOffset;
    if (groups & RE_GS_OFFSET_AMOUNT)
    {
        offsetFactor = from.offsetFactor;
        offsetUnits = from.offsetUnits;
    }
    if (groups & RE_GS_STENCIL)
    {
        stencilFunc = from.stencilFunc;
        stencilRef = from.stencilRef;
        stencilMask = from.stencilMask;
    }
    if (groups & RE_GS_WINDING)
        reverseWinding = from.reverseWinding;
    if (groups & RE_GS_FOG_ON)
        fog.on = from.fog.on;
    if (groups & RE_GS_FOG_PARAMS)
    {
        const bool on = fog.on;
        fog = from.fog;
        fog.on = on;
    }
    if (groups & RE_GS_LIGHTING)
        lighting = from.lighting;
    if (groups & RE_GS_TEXTURE)
        texture = from.texture;
    if (groups & RE_GS_CULL)
        cullFace = from.cullFace;
    if (groups & RE_GS_POLYGON_MODE)
        polygonMode = from.polygonMode;
    if (groups & RE_GS_POINT_SIZE)
        pointSize = from.pointSize;
    if (groups & RE_GS_MATERIAL)
    {
        material = from.material;
        specular = from.specular;
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
    // Zeroed first so that equal records compare equal byte for byte.
    std::memset(static_cast<void *>(&s), 0, sizeof(GLShadow));
    s.matrixMode = myMatrix.mode != RE_MATRIX_VIEWING ? GL_PROJECTION : GL_MODELVIEW;
    s.projection = myMatrix.projection;
    s.viewing = myMatrix.viewing;
    s.viewport = myViewport;
    std::memcpy(s.color, myColor, sizeof(myColor));
    s.lineStyle = myLineStyle;
    s.lineWidth = myLineWidth;
    s.lineSmooth = myLineSmooth;
    s.blend = myBlend;
    std::memcpy(s.colorMask, myColorMask, sizeof(myColorMask));
    s.interpMode = myInterpMode;
    s.zTest = myZTest;
    s.zFunc = myZFunc;
    s.polygonOffset = myPolygonOffset;
    s.offsetFactor = myOffsetFactor;
    s.offsetUnits = myOffsetUnits;
    s.stencilFunc = myStencilFunc;
    s.stencilRef = myStencilRef;
    s.stencilMask = myStencilMask;
    s.reverseWinding = myReverseWinding;
    s.fog = myFog;
    s.lighting = myLighting;
    s.texture = myTexture;
    s.cullFace = myCullFace;
    s.polygonMode = myPolygonMode;
    s.pointSize = myPointSize;
    s.material = myMaterial;
    s.specular = mySpecular;
}

void
RE_OGLRender::loadDrawingState(const GLShadow &s)
{
    std::memcpy(myColor, s.color, sizeof(myColor));
    myLineStyle = s.lineStyle;
    myLineWidth = s.lineWidth;
    myLineSmooth = s.lineSmooth;
    myBlend = s.blend;
    std::memcpy(myColorMask, s.colorMask, sizeof(myColorMask));
    myInterpMode = s.interpMode;
    myZTest = s.zTest;
    myZFunc = s.zFunc;
    myPolygonOffset = s.polygonOffset;
    myOffsetFactor = s.offsetFactor;
    myOffsetUnits = s.offsetUnits;
    myStencilFunc = s.stencilFunc;
    myStencilRef = s.stencilRef;
    myStencilMask = s.stencilMask;
    myReverseWinding = s.reverseWinding;
    myFog = s.fog;
    myLighting = s.lighting;
    myTexture = s.texture;
    myCullFace = s.cullFace;
    myPolygonMode = s.polygonMode;
    myPointSize = s.pointSize;
    myMaterial = s.material;
    mySpecular = s.specular;
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
    myBlend.on = on != 0;
    // Read back from GL: that is what GL holds.
    if (myDefining < 0 && isGLActive())
    {
        myGL->blend.on = myBlend.on;
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
    if (!mustSend(RE_GS_COLOR, sameRGBA(myGL->color, myColor)))
        return;
    glColor4fv(myColor);
    if (sendingToGL())
        std::memcpy(myGL->color, myColor, sizeof(myColor));
}

void
RE_OGLRender::sendLineWidth()
{
    if (!mustSend(RE_GS_LINE_WIDTH, myGL->lineWidth == myLineWidth))
        return;
    glLineWidth(myLineWidth);
    if (sendingToGL())
        myGL->lineWidth = myLineWidth;
}

void
RE_OGLRender::sendLineSmooth()
{
    if (!mustSend(RE_GS_LINE_SMOOTH, myGL->lineSmooth == myLineSmooth))
        return;
    REglEnable(GL_LINE_SMOOTH, myLineSmooth);
    if (sendingToGL())
        myGL->lineSmooth = myLineSmooth;
}

void
RE_OGLRender::sendColorMask()
{
    if (!mustSend(RE_GS_COLOR_MASK, sameBytes(myGL->colorMask, myColorMask)))
        return;
    glColorMask(myColorMask[0], myColorMask[1], myColorMask[2], myColorMask[3]);
    if (sendingToGL())
        std::memcpy(myGL->colorMask, myColorMask, sizeof(myColorMask));
}

void
RE_OGLRender::sendShadeModel()
{
    if (!mustSend(RE_GS_SHADE, myGL->interpMode == myInterpMode))
        return;
    glShadeModel(myInterpMode ? GL_SMOOTH : GL_FLAT);
    if (sendingToGL())
        myGL->interpMode = myInterpMode;
}

void
RE_OGLRender::sendDepthTest()
{
    if (!mustSend(RE_GS_DEPTH_TEST, myGL->zTest == myZTest))
        return;
    REglEnable(GL_DEPTH_TEST, myZTest);
    if (sendingToGL())
        myGL->zTest = myZTest;
}

void
RE_OGLRender::sendDepthFunction()
{
    if (!mustSend(RE_GS_DEPTH_FUNC, myGL->zFunc == myZFunc))
        return;
    glDepthFunc(GL_NEVER + myZFunc);
    if (sendingToGL())
        myGL->zFunc = myZFunc;
}

void
RE_OGLRender::sendOffsetAmount()
{
    if (!mustSend(RE_GS_OFFSET_AMOUNT, myGL->offsetFactor == myOffsetFactor &&
                                           myGL->offsetUnits == myOffsetUnits))
        return;
    glPolygonOffset(myOffsetFactor, myOffsetUnits);
    if (sendingToGL())
    {
        myGL->offsetFactor = myOffsetFactor;
        myGL->offsetUnits = myOffsetUnits;
    }
}

void
RE_OGLRender::sendStencil()
{
    if (!mustSend(RE_GS_STENCIL, myGL->stencilFunc == myStencilFunc &&
                                     myGL->stencilRef == myStencilRef &&
                                     myGL->stencilMask == myStencilMask))
        return;
    glStencilFunc(GL_NEVER + myStencilFunc, myStencilRef, static_cast<GLuint>(myStencilMask));
    if (sendingToGL())
    {
        myGL->stencilFunc = myStencilFunc;
        myGL->stencilRef = myStencilRef;
        myGL->stencilMask = myStencilMask;
    }
}

void
RE_OGLRender::sendWinding()
{
    if (!mustSend(RE_GS_WINDING, myGL->reverseWinding == myReverseWinding))
        return;
    glFrontFace(myReverseWinding ? GL_CW : GL_CCW);
    if (sendingToGL())
        myGL->reverseWinding = myReverseWinding;
}

void
RE_OGLRender::sendFogOn()
{
    if (!mustSend(RE_GS_FOG_ON, myGL->fog.on == myFog.on))
        return;
    REglEnable(GL_FOG, myFog.on);
    if (sendingToGL())
        myGL->fog.on = myFog.on;
}

void
RE_OGLRender::sendLighting()
{
    if (!mustSend(RE_GS_LIGHTING, myGL->lighting == myLighting))
        return;
    REglEnable(GL_LIGHTING, myLighting);
    if (sendingToGL())
        myGL->lighting = myLighting;
}

void
RE_OGLRender::sendTexture()
{
    if (!mustSend(RE_GS_TEXTURE, myGL->texture == myTexture))
        return;
    glBindTexture(GL_TEXTURE_2D, myTexture);
    REglEnable(GL_TEXTURE_2D, myTexture != 0);
    if (sendingToGL())
        myGL->texture = myTexture;
}

void
RE_OGLRender::sendCulling()
{
    if (!mustSend(RE_GS_CULL, myGL->cullFace == myCullFace))
        return;
    REglEnable(GL_CULL_FACE, myCullFace != RE_CULL_NONE);
    glCullFace(myCullFace == RE_CULL_FRONT ? GL_FRONT : GL_BACK);
    if (sendingToGL())
        myGL->cullFace = myCullFace;
}

void
RE_OGLRender::sendPolygonMode()
{
    if (!mustSend(RE_GS_POLYGON_MODE, myGL->polygonMode == myPolygonMode))
        return;
    glPolygonMode(GL_FRONT_AND_BACK, myPolygonMode == RE_POLYGON_LINE    ? GL_LINE
                                     : myPolygonMode == RE_POLYGON_POINT ? GL_POINT
                                                                         : GL_FILL);
    if (sendingToGL())
        myGL->polygonMode = myPolygonMode;
}

void
RE_OGLRender::sendPointSize()
{
    if (!mustSend(RE_GS_POINT_SIZE, myGL->pointSize == myPointSize))
        return;
    glPointSize(myPointSize);
    if (sendingToGL())
        myGL->pointSize = myPointSize;
}

// The material, or without one the current colour as the surface with the
// specular level of the specular switch.
void
RE_OGLRender::sendMaterial()
{
    const MaterialState &m = myMaterial;
    const bool unchanged =
        myGL->material.on == m.on &&
        (m.on ? sameRGBA(myGL->material.diffuse, m.diffuse) &&
                    sameRGBA(myGL->material.specular, m.specular) &&
                    myGL->material.shininess == m.shininess
              : myGL->specular == mySpecular);
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
        myGL->material = m;
        myGL->specular = mySpecular;
    }
}

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_Font.h"
#include "host/RE/RE_GL.h"
#include "host/RE/RE_Light.h"
#include "host/RE/RE_NativeContext.h"
#include "host/RE/RE_OGLRenderArrayBuffer.h"
#include "host/RE/RE_OGLRenderBatch.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

std::vector<RE_OGLRender *> &
RE_OGLRender::liveRenders()
{
    // Never destroyed: contexts held in other statics may go after it.
    static std::vector<RE_OGLRender *> *theRenders = new std::vector<RE_OGLRender *>;
    return *theRenders;
}

RE_OGLRender::RE_OGLRender()
    : myTable(std::make_shared<ObjectTable>()), myGL(std::make_unique<GLShadow>())
{
    liveRenders().push_back(this);
}

RE_OGLRender::~RE_OGLRender()
{
    std::vector<RE_OGLRender *> &all = liveRenders();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (isGLActive())
        deleteStreams();
    // Objects of a shared name space stay for the contexts still using it.
    if (isGLActive() && myTable.use_count() == 1)
    {
        for (auto &batch : myTable->batches)
            deleteBatch(*batch);
        myTable->objects.forEach([this](int id, ObjectInfo &info) {
            glDeleteLists(static_cast<GLuint>(id), 1);
            releaseArrayDraws(info);
        });
    }
}

void
RE_OGLRender::lightDeleted(const RE_Light *light)
{
    for (RE_OGLRender *r : liveRenders())
    {
        auto found = r->myLights.find(light);
        if (found == r->myLights.end())
            continue;
        if (r->isGLActive())
        {
            r->drawDeferred();
            glDisable(GL_LIGHT0 + found->second.slot);
        }
        r->myLights.erase(found);
    }
}

void
RE_OGLRender::textureChanged(unsigned int index)
{
    if (index == 0)
        return;
    for (RE_OGLRender *r : liveRenders())
        r->myTable->objects.forEach([index](int, ObjectInfo &info) {
            const std::vector<unsigned int> &used = info.textures;
            if (info.smart && std::find(used.begin(), used.end(), index) != used.end())
                info.dirty = true;
        });
}

// ---- Native context ------------------------------------------------------

bool
RE_OGLRender::isGLActive() const
{
    return myNative && myNative->isCurrent();
}

bool
RE_OGLRender::glReady()
{
    if (!myNative || !myNative->isCurrent())
        return false;
    if (mySyncStamp != RE_NativeContext::getActivationStamp())
        syncToGL();
    return true;
}

void
RE_OGLRender::setNativeContext(RE_NativeContext *native)
{
    // What was deferred belongs to the surface bound until now.
    drawDeferred();
    myNative = native;
    if (!isGLActive())
        return;
    fitToSurface();
    syncToGL();
}

void
RE_OGLRender::fitToSurface()
{
    if (!myNative)
        return;
    const short w = static_cast<short>(std::clamp(myNative->getWidth(), 0, 32767));
    const short h = static_cast<short>(std::clamp(myNative->getHeight(), 0, 32767));
    myViewport.vx1 = myViewport.mx1 = 0;
    myViewport.vy1 = myViewport.my1 = 0;
    myViewport.vx2 = myViewport.mx2 = static_cast<short>(w - 1);
    myViewport.vy2 = myViewport.my2 = static_cast<short>(h - 1);
    if (glReady())
        sendViewport();
}

void
RE_OGLRender::resetState()
{
    journal("resetState");
    drawDeferred();
    if (glReady())
    {
        if (myPrimitive)
            glEnd();
        if (myDefining >= 0 && myDefining < ourRecordOnlyIdBase)
            glEndList();
    }
    myPrimitive = 0;
    myDefining = -1;
    myDefiningSmart = false;
    myDefineSets = 0;
    myDefineMatrixDepth = 0;
    myMatrix = MatrixState();
    myMatrixStack.clear();
    myViewport = ViewportState();
    myViewportStack.clear();
    myDrawing = RE_DrawingState();
    myColorStack.clear();
    myLineStyleStack.clear();
    myLineWidthStack.clear();
    myBlendStack.clear();
    myPointSizeStack.clear();
    for (auto &l : myLights)
        l.second.on = false;
    if (myPick.on)
        endPicking();
    myZoomX = myZoomY = 1.0f;
    myClearColor[0] = myClearColor[1] = myClearColor[2] = 0.0f;
    myClearColor[3] = 1.0f;
    if (glReady())
        setNativeContext(myNative);
}

void
RE_OGLRender::lockContextForRender()
{
    myLock.lock();
    ++myLockDepth;
    myLockPrevious.push_back(RE_NativeContext::getCurrent());
    if (myNative && !myNative->isCurrent())
        myNative->makeCurrent();
    journal("lockContextForRender");
}

void
RE_OGLRender::unlockContextAfterRender()
{
    if (myLockDepth <= 0)
        return;
    journal("unlockContextAfterRender");
    drawDeferred();
    // Another viewport may have been drawing when this lock was taken: give
    // it its context back, or it would go on drawing into this one.
    RE_NativeContext *previous = myLockPrevious.back();
    myLockPrevious.pop_back();
    if (previous && previous != myNative && RE_NativeContext::isLive(previous) &&
        !previous->isCurrent())
        previous->makeCurrent();
    --myLockDepth;
    myLock.unlock();
}

// Sends the whole record: for a GL context just bound, or one that was
// not current while the record changed.
void
RE_OGLRender::syncToGL()
{
    mySyncStamp = RE_NativeContext::getActivationStamp();
    // GL may hold anything: send every group, then only changes.
    myGL->known = 0;
    for (auto &l : myLights)
        l.second.glKnown = false;
    myBoundArrays = nullptr;
    myArraysClean = false;
    myStateBehind = false;
    myGLStateFrom.reset();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_NORMALIZE);

    sendDrawingState();
    if (myDrawing.material.on)
    {
        // The specular switch overrides the material's specular colour
        // until the material is sent again.
        sendSpecular();
        myGL->known &= ~RE_GS_MATERIAL;
    }
    for (const auto &l : myLights)
        sendLight(l.first, l.second);
    sendBeforeDrawing();
    glPixelZoom(myZoomX, myZoomY);
    glClearColor(myClearColor[0], myClearColor[1], myClearColor[2], myClearColor[3]);
}

// The state drawing calls change and push and pop: viewport, colour,
// lines, blending, masks, shading, depth, stencil, winding, fog, lighting
// switch, texture and surface. Each group goes out only when GL does not
// hold it already; matrices and lights follow when something is drawn.
void
RE_OGLRender::sendDrawingState()
{
    sendViewport();
    sendDrawingGroups();
}

void
RE_OGLRender::sendDrawingGroups()
{
    sendColor();
    sendLineStyle();
    sendLineWidth();
    sendLineSmooth();
    sendBlend();
    sendColorMask();
    sendShadeModel();
    sendDepthTest();
    sendDepthFunction();
    sendPolygonOffset();
    sendOffsetAmount();
    sendStencil();
    sendWinding();
    sendFog();
    sendLighting();
    sendTexture();
    sendSurfaceState();
}

// ---- Journal -------------------------------------------------------------

namespace
{
void
appendNumber(std::string &line, double v)
{
    char buf[48];
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof(buf), " %lld", static_cast<long long>(v));
    else
        std::snprintf(buf, sizeof(buf), " %g", v);
    line += buf;
}
}

void
RE_OGLRender::appendJournal(const char *op, std::initializer_list<double> args)
{
    std::string line(op);
    for (double v : args)
        appendNumber(line, v);
    myJournal.push_back(std::move(line));
}

void
RE_OGLRender::journalText(const char *op, const char *text)
{
    if (myDefineFromArrays)
        noteDefinedCall(op);
    if (!myJournalOn)
        return;
    std::string line(op);
    line += ' ';
    line += text ? text : "";
    myJournal.push_back(std::move(line));
}

// ---- Frame and queries ---------------------------------------------------

void
RE_OGLRender::setClearColor(float r, float g, float b, float a)
{
    journal("setClearColor", {r, g, b, a});
    myClearColor[0] = r;
    myClearColor[1] = g;
    myClearColor[2] = b;
    myClearColor[3] = a;
    if (glReady())
        glClearColor(r, g, b, a);
}

void
RE_OGLRender::clear()
{
    journal("clear");
    if (!glReady())
        return;
    // The colour mask applies to clearing.
    sendStateBehind();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void
RE_OGLRender::clearZ()
{
    journal("clearZ");
    if (!glReady())
        return;
    sendStateBehind();
    glClear(GL_DEPTH_BUFFER_BIT);
}

void
RE_OGLRender::flush(int wait)
{
    journal("flush", {static_cast<double>(wait)});
    if (!glReady())
        return;
    drawDeferred();
    if (wait)
        glFinish();
    else
        glFlush();
}

bool
RE_OGLRender::hasGLExtension(int code) const
{
    if (!isGLActive())
        return false;
    const char *version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (version)
        std::sscanf(version, "%d.%d", &major, &minor);
    const int v = major * 10 + minor;
    switch (code)
    {
    case RE_EXT_BLEND_COLOR: return v >= 14;
    case RE_EXT_POLYGON_OFFSET: return v >= 11;
    case RE_EXT_TEXTURE_OBJECT: return v >= 11;
    case RE_EXT_FRAMEBUFFER_OBJECT: return v >= 30;
    case RE_EXT_FOG_COORD: return v >= 14;
    default: return false;
    }
}

RE_Font &
RE_OGLRender::getViewportFont()
{
    return RE_Font::getViewportFont();
}

int
RE_OGLRender::inchesToPixels(float inches)
{
    const float px = inches * 96.0f;
    if (!(px > -1e6f && px < 1e6f))
        return 0;
    return static_cast<int>(std::lround(px));
}

// Matrices, viewport, screen mask and window/world mapping.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_MatrixBuild.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
bool
isProjectionMode(int mode)
{
    return mode != RE_MATRIX_VIEWING;
}

void
journalMatrix(std::vector<std::string> &journal, const char *op, const UT_Matrix4 &m)
{
    std::string line(op);
    char buf[32];
    for (int i = 0; i < 16; ++i)
    {
        std::snprintf(buf, sizeof(buf), " %g", static_cast<double>(m.data()[i]));
        line += buf;
    }
    journal.push_back(std::move(line));
}
}

UT_Matrix4 &
RE_OGLRender::currentMatrix()
{
    return isProjectionMode(myMatrix.mode) ? myMatrix.projection : myMatrix.viewing;
}

UT_Matrix4
RE_OGLRender::pickMatrix() const
{
    const ViewportState &v = myViewport;
    return RE_MatrixBuild::pick(myPick.x, myPick.y, myPick.w, myPick.h,
                                v.vx1, v.vy1,
                                static_cast<float>(v.vx2 - v.vx1 + 1),
                                static_cast<float>(v.vy2 - v.vy1 + 1));
}

// Every projection set while picking is narrowed to the pick rectangle.
void
RE_OGLRender::setProjection(const UT_Matrix4 &p)
{
    myMatrix.projection = p;
    if (myPick.on)
        myMatrix.projection *= pickMatrix();
    // Outside a definition matrices go to GL when something is drawn.
    if (myDefining < 0 || !glReady())
        return;
    sendGLMatrixMode(GL_PROJECTION);
    glLoadMatrixf(myMatrix.projection.data());
    sendMatrixMode();
    noteDefinedMatrixChange();
}

void
RE_OGLRender::matrixMode(int mode)
{
    journal("matrixMode", {static_cast<double>(mode)});
    myMatrix.mode = mode;
    if (myDefining >= 0 && glReady())
        sendMatrixMode();
}

void
RE_OGLRender::pushMatrix(int which)
{
    journal("pushMatrix", {static_cast<double>(which)});
    if (myMatrixStack.size() >= ourMaxStackDepth)
        return;
    myMatrixStack.push_back(myMatrix);
    myStepValid = true;
    myStepIdentity = true;
    // Outside a display object GL gets whole matrices from the record; inside
    // one it gets GL's own pushes and pops, so the object replays relative to
    // wherever it is drawn.
    if (myDefining < 0 || !glReady())
        return;
    sendGLMatrixMode(GL_PROJECTION);
    glPushMatrix();
    sendGLMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    sendMatrixMode();
    ++myDefineMatrixDepth;
}

void
RE_OGLRender::popMatrix(int which)
{
    journal("popMatrix", {static_cast<double>(which)});
    if (myMatrixStack.empty())
        return;
    myMatrix = myMatrixStack.back();
    myMatrixStack.pop_back();
    myStepValid = false;
    if (myDefining < 0 || !glReady())
        return;
    if (myDefineMatrixDepth == 0)
    {
        // A push made before the definition: GL's stack at replay is not
        // the definition's to pop. Load the matrices instead.
        sendGLMatrixMode(GL_PROJECTION);
        glLoadMatrixf(myMatrix.projection.data());
        sendGLMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(myMatrix.viewing.data());
        sendMatrixMode();
        noteDefinedMatrixChange();
        return;
    }
    sendGLMatrixMode(GL_PROJECTION);
    glPopMatrix();
    sendGLMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    sendMatrixMode();
    --myDefineMatrixDepth;
}

// After a relative change of the current matrix: the relative step inside a
// display object; elsewhere the result goes to GL when something is drawn.
void
RE_OGLRender::sendMatrixChange(const UT_Matrix4 &step)
{
    if (myDefining < 0 || !glReady())
        return;
    glMultMatrixf(step.data());
    noteDefinedMatrixChange();
}

void
RE_OGLRender::loadMatrix(const UT_Matrix4 &m)
{
    if (myDefineFromArrays)
        noteDefinedCall("loadMatrix");
    if (myJournalOn)
        journalMatrix(myJournal, "loadMatrix", m);
    if (isProjectionMode(myMatrix.mode))
    {
        setProjection(m);
        return;
    }
    myMatrix.viewing = m;
    myStepValid = false;
    if (myDefining < 0 || !glReady())
        return;
    glLoadMatrixf(m.data());
    noteDefinedMatrixChange();
}

void
RE_OGLRender::noteStep(const UT_Matrix4 &m)
{
    if (!myStepValid || isProjectionMode(myMatrix.mode))
        return;
    if (myStepIdentity)
        myStep = m;
    else
        myStep.leftMult(m);
    myStepIdentity = false;
}

void
RE_OGLRender::multiplyMatrix(const UT_Matrix4 &m)
{
    if (myDefineFromArrays)
        noteDefinedCall("multiplyMatrix");
    if (myJournalOn)
        journalMatrix(myJournal, "multiplyMatrix", m);
    // Prepending keeps a pick narrowing of the projection outermost.
    currentMatrix().leftMult(m);
    noteStep(m);
    sendMatrixChange(m);
}

void
RE_OGLRender::loadIdentityMatrix()
{
    journal("loadIdentityMatrix");
    if (isProjectionMode(myMatrix.mode))
    {
        setProjection(UT_Matrix4(1.0f));
        return;
    }
    myMatrix.viewing = 1.0f;
    myStepValid = false;
    if (myDefining < 0 || !glReady())
        return;
    glLoadIdentity();
    noteDefinedMatrixChange();
}

UT_Matrix4
RE_OGLRender::getAMatrix(int which) const
{
    return isProjectionMode(which) ? myMatrix.projection : myMatrix.viewing;
}

void
RE_OGLRender::rotate(float degrees, char axis)
{
    journal("rotate", {degrees, static_cast<double>(axis)});
    UT_Matrix4 r;
    if (!RE_MatrixBuild::rotation(r, degrees, axis))
        return;
    currentMatrix().leftMult(r);
    noteStep(r);
    sendMatrixChange(r);
}

void
RE_OGLRender::ortho2DW(float l, float r, float b, float t)
{
    journal("ortho2DW", {l, r, b, t});
    UT_Matrix4 p;
    if (RE_MatrixBuild::ortho(p, l, r, b, t, -1.0f, 1.0f))
        setProjection(p);
}

void
RE_OGLRender::ortho3DW(float l, float r, float b, float t, float n, float f)
{
    journal("ortho3DW", {l, r, b, t, n, f});
    UT_Matrix4 p;
    if (RE_MatrixBuild::ortho(p, l, r, b, t, n, f))
        setProjection(p);
}

void
RE_OGLRender::window3DW(float l, float r, float b, float t, float n, float f)
{
    journal("window3DW", {l, r, b, t, n, f});
    UT_Matrix4 p;
    if (RE_MatrixBuild::frustum(p, l, r, b, t, n, f))
        setProjection(p);
}

// ---- Viewport and screen mask -------------------------------------------

void
RE_OGLRender::sendViewport()
{
    const ViewportState &v = myViewport;
    const ViewportState &gl = myGL->viewport;
    if (!mustSend(RE_GS_VIEWPORT, gl.vx1 == v.vx1 && gl.vx2 == v.vx2 && gl.vy1 == v.vy1 &&
                                      gl.vy2 == v.vy2 && gl.mx1 == v.mx1 &&
                                      gl.mx2 == v.mx2 && gl.my1 == v.my1 &&
                                      gl.my2 == v.my2))
        return;
    if (sendingToGL())
        myGL->viewport = v;
    glViewport(v.vx1, v.vy1, std::max(0, v.vx2 - v.vx1 + 1),
               std::max(0, v.vy2 - v.vy1 + 1));
    glScissor(v.mx1, v.my1, std::max(0, v.mx2 - v.mx1 + 1),
              std::max(0, v.my2 - v.my1 + 1));
    glEnable(GL_SCISSOR_TEST);
}

void
RE_OGLRender::viewport2DS(short x1, short x2, short y1, short y2)
{
    journal("viewport2DS", {static_cast<double>(x1), static_cast<double>(x2),
                            static_cast<double>(y1), static_cast<double>(y2)});
    myViewport.vx1 = x1;
    myViewport.vx2 = x2;
    myViewport.vy1 = y1;
    myViewport.vy2 = y2;
    if (glReady())
        sendViewport();
}

void
RE_OGLRender::getViewport2DS(short *x1, short *x2, short *y1, short *y2) const
{
    if (x1) *x1 = myViewport.vx1;
    if (x2) *x2 = myViewport.vx2;
    if (y1) *y1 = myViewport.vy1;
    if (y2) *y2 = myViewport.vy2;
}

void
RE_OGLRender::getViewport2DS(short &x1, short &x2, short &y1, short &y2) const
{
    getViewport2DS(&x1, &x2, &y1, &y2);
}

void
RE_OGLRender::pushViewport()
{
    journal("pushViewport");
    if (myViewportStack.size() < ourMaxStackDepth)
        myViewportStack.push_back(myViewport);
}

void
RE_OGLRender::popViewport()
{
    journal("popViewport");
    if (myViewportStack.empty())
        return;
    myViewport = myViewportStack.back();
    myViewportStack.pop_back();
    if (glReady())
        sendViewport();
}

void
RE_OGLRender::screenMask2DS(short x1, short x2, short y1, short y2)
{
    journal("screenMask2DS", {static_cast<double>(x1), static_cast<double>(x2),
                              static_cast<double>(y1), static_cast<double>(y2)});
    myViewport.mx1 = x1;
    myViewport.mx2 = x2;
    myViewport.my1 = y1;
    myViewport.my2 = y2;
    if (glReady())
        sendViewport();
}

void
RE_OGLRender::getScreenMask2DS(short *x1, short *x2, short *y1, short *y2) const
{
    if (x1) *x1 = myViewport.mx1;
    if (x2) *x2 = myViewport.mx2;
    if (y1) *y1 = myViewport.my1;
    if (y2) *y2 = myViewport.my2;
}

void
RE_OGLRender::getScreenMask2DS(short &x1, short &x2, short &y1, short &y2) const
{
    getScreenMask2DS(&x1, &x2, &y1, &y2);
}

// ---- Mapping -------------------------------------------------------------

namespace
{
// The window size of an inclusive viewport and the world-to-clip matrix
// (p * transform * projection), in double; false for an empty viewport.
bool
clipSetup(short x1, short x2, short y1, short y2, const UT_Matrix4 &projection,
          const UT_Matrix4 &transform, double &w, double &h, UT_DMatrix4 &toClip)
{
    w = static_cast<double>(x2) - x1 + 1;
    h = static_cast<double>(y2) - y1 + 1;
    if (w <= 0 || h <= 0)
        return false;
    toClip = UT_DMatrix4(transform) * UT_DMatrix4(projection);
    return true;
}

// Homogeneous row vector times matrix; false unless w is finite and not 0.
bool
rowTimes(const double in[4], const UT_DMatrix4 &m, double out[4])
{
    for (int c = 0; c < 4; ++c)
    {
        out[c] = 0.0;
        for (int r = 0; r < 4; ++r)
            out[c] += in[r] * m(r, c);
    }
    return std::isfinite(out[3]) && std::fabs(out[3]) >= 1e-300;
}
}

int
RE_OGLRender::mapWorld(float x, float y, short x1, short x2, short y1, short y2,
                       const UT_Matrix4 &projection, const UT_Matrix4 &transform,
                       float &nearX, float &nearY, float &nearZ,
                       float &farX, float &farY, float &farZ) const
{
    double w, h;
    UT_DMatrix4 toClip, toWorld;
    if (!clipSetup(x1, x2, y1, y2, projection, transform, w, h, toClip))
        return 2;
    if (toClip.invert(toWorld) != 0)
        return 1;
    const double ndcX = 2.0 * (x - x1) / w - 1.0;
    const double ndcY = 2.0 * (y - y1) / h - 1.0;
    double out[2][3];
    for (int k = 0; k < 2; ++k)
    {
        const double clip[4] = {ndcX, ndcY, k == 0 ? -1.0 : 1.0, 1.0};
        double p[4];
        if (!rowTimes(clip, toWorld, p))
            return 1;
        for (int i = 0; i < 3; ++i)
        {
            out[k][i] = p[i] / p[3];
            if (!std::isfinite(out[k][i]))
                return 1;
        }
    }
    nearX = static_cast<float>(out[0][0]);
    nearY = static_cast<float>(out[0][1]);
    nearZ = static_cast<float>(out[0][2]);
    farX = static_cast<float>(out[1][0]);
    farY = static_cast<float>(out[1][1]);
    farZ = static_cast<float>(out[1][2]);
    return 0;
}

int
RE_OGLRender::mapScreen(const UT_Vector3 &p, short x1, short x2, short y1, short y2,
                        const UT_Matrix4 &projection, const UT_Matrix4 &transform,
                        float &sx, float &sy) const
{
    double w, h;
    UT_DMatrix4 toClip;
    if (!clipSetup(x1, x2, y1, y2, projection, transform, w, h, toClip))
        return 2;
    const double pt[4] = {p.x(), p.y(), p.z(), 1.0};
    double clip[4];
    if (!rowTimes(pt, toClip, clip))
        return 1;
    const double wx = x1 + (clip[0] / clip[3] + 1.0) * 0.5 * w;
    const double wy = y1 + (clip[1] / clip[3] + 1.0) * 0.5 * h;
    if (!std::isfinite(wx) || !std::isfinite(wy))
        return 1;
    sx = static_cast<float>(wx);
    sy = static_cast<float>(wy);
    return 0;
}

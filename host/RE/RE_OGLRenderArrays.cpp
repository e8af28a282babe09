// Array drawing, surfaces (culling, polygon mode, materials), points,
// triangles and normals, the frame statistics and the shared display-object
// name space.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_Material.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>

namespace
{
// Triangles and lines that n vertices of a primitive type make.
void
primitiveCounts(int prim, long n, long &triangles, long &lines)
{
    triangles = lines = 0;
    switch (prim)
    {
    case RE_PRIM_LINES: lines = n / 2; break;
    case RE_PRIM_LINE_STRIP: lines = n > 1 ? n - 1 : 0; break;
    case RE_PRIM_TRIANGLES: triangles = n / 3; break;
    default: break;
    }
}
}

// ---- Shared display objects -------------------------------------------------

void
RE_OGLRender::shareObjectsWith(RE_OGLRender &other)
{
    if (&other == this || myTable == other.myTable || !myTable->objects.empty() ||
        myDefining >= 0)
        return;
    myTable = other.myTable;
}

// ---- Surfaces ---------------------------------------------------------------

void
RE_OGLRender::sendSurfaceState()
{
    sendCulling();
    sendPolygonMode();
    sendPointSize();
    // The material, not the current colour, is the surface when there is one.
    sendMaterial();
}

void
RE_OGLRender::setCullFace(int mode)
{
    journal("setCullFace", {static_cast<double>(mode)});
    if (mode < RE_CULL_NONE || mode > RE_CULL_FRONT)
        return;
    myDrawing.cullFace = mode;
    if (glReady())
        sendCulling();
}

void
RE_OGLRender::setPolygonMode(int mode)
{
    journal("setPolygonMode", {static_cast<double>(mode)});
    if (mode < RE_POLYGON_FILL || mode > RE_POLYGON_POINT)
        return;
    myDrawing.polygonMode = mode;
    if (glReady())
        sendPolygonMode();
}

void
RE_OGLRender::pushPointSize(float size)
{
    journal("pushPointSize", {size});
    if (myPointSizeStack.size() >= ourMaxStackDepth)
        return;
    myPointSizeStack.push_back(myDrawing.pointSize);
    // GL refuses sizes that are not positive; NaN stays out too.
    myDrawing.pointSize = size > 0.0f && size < 1024.0f ? size : myDrawing.pointSize;
    if (glReady() && !myPrimitive)
        sendPointSize();
}

void
RE_OGLRender::popPointSize()
{
    journal("popPointSize");
    if (myPointSizeStack.empty())
        return;
    myDrawing.pointSize = myPointSizeStack.back();
    myPointSizeStack.pop_back();
    if (glReady() && !myPrimitive)
        sendPointSize();
}

void
RE_OGLRender::setMaterial(const RE_Material *material)
{
    journal("setMaterial", {material ? 1.0 : 0.0});
    myDrawing.material = RE_DrawingState::Material();
    if (material)
    {
        myDrawing.material.on = true;
        for (int i = 0; i < 3; ++i)
        {
            myDrawing.material.diffuse[i] = material->getDiffuse()[i];
            myDrawing.material.specular[i] = material->getSpecular()[i];
        }
        myDrawing.material.shininess = material->getShininess();
    }
    if (glReady() && !myPrimitive)
        sendSurfaceState();
}

// ---- Immediate points, triangles, normals ------------------------------------

void RE_OGLRender::beginPoints() { beginPrimitive(GL_POINTS); }
void RE_OGLRender::endPoints() { endPrimitive(GL_POINTS); }
void RE_OGLRender::beginTriangles() { beginPrimitive(GL_TRIANGLES); }
void RE_OGLRender::endTriangles() { endPrimitive(GL_TRIANGLES); }

void
RE_OGLRender::n3DW(float x, float y, float z)
{
    journal("n3DW", {x, y, z});
    if (glReady())
        glNormal3f(x, y, z);
}

// ---- Arrays -----------------------------------------------------------------

void
RE_OGLRender::countSent(long triangles, long lines)
{
    if (myDefining >= 0)
    {
        ObjectInfo &info = myTable->objects[myDefining];
        info.triangles += triangles;
        info.lines += lines;
        return;
    }
    myStats.trianglesSent += triangles;
    myStats.linesSent += lines;
}

void
RE_OGLRender::drawArrays(int prim, const float *positions, const float *normals,
                         const float *colors, int count, const unsigned int *indices,
                         int indexCount)
{
    journal("drawArrays", {static_cast<double>(prim), static_cast<double>(count),
                           static_cast<double>(indices ? indexCount : count)});
    if (!positions || count <= 0 || prim < RE_PRIM_POINTS || prim > RE_PRIM_TRIANGLES ||
        myPrimitive)
        return;
    if (indices)
    {
        if (indexCount <= 0)
            return;
        // An index past the arrays would make GL read outside them.
        const unsigned int top = *std::max_element(indices, indices + indexCount);
        if (top >= static_cast<unsigned int>(count))
            return;
    }
    long triangles = 0, lines = 0;
    primitiveCounts(prim, indices ? indexCount : count, triangles, lines);
    countSent(triangles, lines);
    if (!glReady())
        return;
    if (myDefineFromArrays)
    {
        // Held in buffer objects only; the list gets them only if the
        // definition turns out to need it.
        recordArrayDraw(prim, positions, normals, colors, count, indices, indexCount);
        return;
    }
    if (myDefining >= 0)
        myTable->objects[myDefining].listArrayBytes +=
            long(count) * long(sizeof(float)) * (3 + (normals ? 3 : 0) + (colors ? 4 : 0)) +
            (indices ? long(indexCount) * long(sizeof(unsigned int)) : 0);
    sendBeforeDrawing();
    // Pick passes (select mode) keep to client arrays: they count hits, not
    // pixels, and the driver's select path is the one it has always taken.
    if (myDefining < 0 && !isPicking() &&
        drawStreamed(prim, positions, normals, colors, count, indices, indexCount))
        return;
    releaseArrays();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions);
    if (normals)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals);
    }
    if (colors)
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, colors);
    }
    drawClientArrays(prim, count, indices, indexCount);
    if (colors)
    {
        glDisableClientState(GL_COLOR_ARRAY);
        // A colour array leaves GL's current colour undefined: put the
        // record's back.
        myGL->known &= ~RE_GS_COLOR;
        sendColor();
    }
    if (normals)
        glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

int
RE_OGLRender::drainGLErrors()
{
    if (!glReady())
        return 0;
    int count = 0;
    // GL keeps one flag per kind of error; a few reads clear them all.
    while (count < 32 && glGetError() != GL_NO_ERROR)
        ++count;
    return count;
}

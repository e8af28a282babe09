// Textures, pixel rasters and buffer copies.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_NativeContext.h"
#include "host/TIL/TIL_TextureMap.h"

#include <algorithm>
#include <cmath>

void
RE_OGLRender::useTexture2D(unsigned int index)
{
    journal("useTexture2D", {static_cast<double>(index)});
    myDrawing.texture = index;
    if (index && myDefiningSmart)
    {
        std::vector<unsigned int> &used = myTable->objects[myDefining].textures;
        if (std::find(used.begin(), used.end(), index) == used.end())
            used.push_back(index);
    }
    if (myPrimitive || !glReady())
        return;
    sendTexture();
}

void
RE_OGLRender::displayRaster(float x, float y, const TIL_TextureMap *image,
                            const void *)
{
    if (!image)
    {
        journal("displayRaster", {x, y, 0, 0});
        return;
    }
    displayRaster(x, y, image->getWidth(), image->getHeight(), image->getPixels());
}

void
RE_OGLRender::displayRaster(float x, float y, int width, int height,
                            const uint8_t *rgba)
{
    journal("displayRaster", {x, y, static_cast<double>(width), static_cast<double>(height)});
    if (!rgba || width <= 0 || height <= 0 || myPrimitive || !glReady())
        return;
    // Place the corner by mapping it through the recorded matrices and
    // viewport: unlike glRasterPos this stays valid when the corner lies
    // outside the viewport, so partly visible images still show.
    float wx = 0.0f, wy = 0.0f;
    const ViewportState &v = myViewport;
    if (mapScreen(UT_Vector3(x, y, 0.0f), v.vx1, v.vx2, v.vy1, v.vy2,
                  myMatrix.projection, myMatrix.viewing, wx, wy) != 0)
        return;
    sendStateBehind();
    glWindowPos2f(std::floor(wx + 0.5f), std::floor(wy + 0.5f));
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void
RE_OGLRender::zoomRaster(float zx, float zy)
{
    journal("zoomRaster", {zx, zy});
    if (zy < 0.0f)
        zy = zx;
    if (!std::isfinite(zx) || !std::isfinite(zy))
        return;
    myZoomX = zx;
    myZoomY = zy;
    if (glReady())
        glPixelZoom(zx, zy);
}

void
RE_OGLRender::getRasterZoom(float &zx, float &zy) const
{
    zx = myZoomX;
    zy = myZoomY;
}

void
RE_OGLRender::copyToBack(short x, short y, short w, short h)
{
    journal("copyToBack", {static_cast<double>(x), static_cast<double>(y),
                           static_cast<double>(w), static_cast<double>(h)});
    if (!(myMode & RE_MODE_DOUBLE) || !myNative || !myNative->isDoubleBuffered() ||
        w <= 0 || h <= 0 || myPrimitive || !glReady())
        return;
    sendStateBehind();
    glReadBuffer(GL_FRONT);
    glDrawBuffer(GL_BACK);
    glPixelZoom(1.0f, 1.0f);
    glWindowPos2i(x, y);
    glCopyPixels(x, y, w, h, GL_COLOR);
    glPixelZoom(myZoomX, myZoomY);
    glReadBuffer(GL_BACK);
}

// The background image of a 3D viewport: laid as a textured quad in the
// camera's projection or a construction plane, or drawn as a pixel raster
// centred in the view.

#include "decor/GUI_ViewRender3D.h"

#include "display/GUI_DisplayOption.h"
#include "host/RE/RE_Render.h"
#include "host/RE/RE_Texture2DMap.h"
#include "host/TIL/TIL_Raster.h"
#include "host/UT/UT_Color.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <cmath>

namespace
{
// Texture coordinates of the quad corners, in drawing order.
const float theTexels[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// The full projection's width over its height; 1 for a flat projection.
float
fullAspect(const GUI_ViewParameter &view)
{
    float w = 0.0f, h = 0.0f;
    view.getLastFrustumSize(w, h);
    return h == 0.0f ? 1.0f : w / h;
}

// Where the quad lies in world space for the axis views when it is placed
// by offset and scale: which coordinates carry the image's horizontal and
// vertical and whether either runs backwards.
struct ImagePlane
{
    int horizontal; // 0 x, 1 y, 2 z
    int vertical;
    float hsign;
    float vsign;
};

ImagePlane
planeForAxis(GUI_ViewParameter::axis axis)
{
    switch (axis)
    {
    case GUI_ViewParameter::GUI_HOME_RIGHT: return {2, 1, -1.0f, 1.0f};
    case GUI_ViewParameter::GUI_HOME_TOP: return {0, 2, 1.0f, -1.0f};
    case GUI_ViewParameter::GUI_HOME_BACK: return {0, 1, -1.0f, 1.0f};
    case GUI_ViewParameter::GUI_HOME_LEFT: return {2, 1, 1.0f, 1.0f};
    case GUI_ViewParameter::GUI_HOME_BOTTOM: return {0, 2, 1.0f, 1.0f};
    default: return {0, 1, 1.0f, 1.0f};
    }
}

// The zoom that shows a side of `side` source pixels on `want` screen
// pixels in whole steps: 2, 3, ... up, or 1/2, 1/3, ... down.
float
wholeZoom(float want, float side)
{
    const float q = want / side;
    if (q > 1.0f)
        return std::floor(q + 0.5f);
    return 1.0f / std::floor(1.0f / q + 0.5f);
}
} // namespace

void
GUI_ViewRender3D::getTexturedBackgroundProjection(GUI_ViewState &state, RE_Render *,
                                                  float &l, float &r, float &b, float &t)
{
    const GUI_ViewParameter &view = state.getViewParameterRef();
    const float a = fullAspect(view);
    if (!view.rotoscopeTracksWindowVals())
    {
        l = -a;
        r = a;
        b = -1.0f;
        t = 1.0f;
    }
    else
    {
        float fw = 0.0f, fh = 0.0f, wcx = 0.0f, wcy = 0.0f, ww = 0.0f, wh = 0.0f;
        view.getLastFrustumSize(fw, fh);
        view.getLastWindowCenter(wcx, wcy);
        view.getLastWindowSize(ww, wh);
        const float sx = 1.0f / fw;
        const float sy = 1.0f / fh;
        float cx = 2.0f * sx * wcx;
        float cy = 2.0f * sy * wcy;
        if (view.getOrthoFlag())
        {
            cx += 2.0f * sx * view.getTx();
            cy += 2.0f * sy * view.getTy();
        }
        l = (cx - sx * ww) * a;
        r = (cx + sx * ww) * a;
        b = cy - sy * wh;
        t = cy + sy * wh;
    }
    view.viewToViewportProjectionBounds(l, r, b, t);
}

void
GUI_ViewRender3D::renderTexturedBackground(GUI_ViewState &state, RE_Render *r,
                                           GUI_ViewParameter::axis axis)
{
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    OPUI_RotoscopeData &source = options.getRotoscopeData();
    const GUI_ViewParameter &view = state.getViewParameterRef();

    float fraction = source.getResolutionFraction();
    float ia = 1.0f;
    TIL_TextureMap *image = source.getTexture(fraction, true, &ia);
    if (!image)
        return;
    const bool smoothing = r->isLineSmoothing();
    if (smoothing)
        r->smoothBlendLines(0);

    float l, rt, b, t;
    getTexturedBackgroundProjection(state, r, l, rt, b, t);

    float corners[4][3] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    bool reverse = false;
    const bool autoplace = options.autoPlaceImage();
    if (autoplace)
    {
        r->pushMatrix(1);
        r->ortho2DW(l, rt, b, t);
        r->matrixMode(1);
        r->loadIdentityMatrix();
        const float a = fullAspect(view);
        const float ia_pixels = ia * view.getPixelAspect();
        float hx, hy;
        if (ia > a)
        {
            hx = a;
            hy = a / ia_pixels;
        }
        else
        {
            hx = ia_pixels;
            hy = 1.0f;
        }
        for (auto &c : corners)
        {
            c[0] *= hx;
            c[1] *= hy;
        }
    }
    else
    {
        float offset[2], scale[2];
        options.getImageOffset(offset);
        options.getImageScale(scale);
        const float hx = ia <= 1.0f ? scale[0] : scale[0] * ia;
        const float hy = ia <= 1.0f ? scale[1] / ia : scale[1];
        const ImagePlane plane = planeForAxis(axis);
        const float x0 = plane.hsign * (offset[0] - hx), x1 = plane.hsign * (offset[0] + hx);
        const float y0 = plane.vsign * (offset[1] - hy), y1 = plane.vsign * (offset[1] + hy);
        const float hv[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        for (int i = 0; i < 4; ++i)
        {
            corners[i][0] = corners[i][1] = corners[i][2] = 0.0f;
            corners[i][plane.horizontal] = hv[i][0];
            corners[i][plane.vertical] = hv[i][1];
        }
        reverse = (scale[0] >= 0.0f) != (scale[1] >= 0.0f);
    }

    r->interpMode(1);
    if (!myBackgroundTexture)
        myBackgroundTexture = createImageTexture();
    myBackgroundTexture->setMap(image);
    r->pushColor();
    r->setColor(UT_Color::getConstantColor(7), 1.0f);
    r->useTexture2D(myBackgroundTexture->getIndex(0));

    const bool roll = view.rotoscopeTracksWindowVals() && autoplace;
    if (roll)
    {
        r->pushMatrix(1);
        r->rotate(-view.getWinRoll(), 'z');
    }
    const ImageBracket saved = enterImageBracket(r);
    const bool was_reverse = r->getReverseWinding();
    if (reverse != was_reverse)
        r->setReverseWinding(reverse);

    r->beginPolygon(1);
    for (int i = 0; i < 4; ++i)
    {
        r->t2DW(theTexels[i]);
        r->v3DW(corners[i]);
    }
    r->endPolygon();

    if (reverse != was_reverse)
        r->setReverseWinding(was_reverse);
    leaveImageBracket(r, saved);
    if (roll)
        r->popMatrix(1);
    r->useTexture2D(0);
    r->popColor();
    r->interpMode(0);
    if (autoplace)
        r->popMatrix(1);
    if (smoothing)
        r->smoothBlendLines(1);
}

void
GUI_ViewRender3D::renderFramedBackground(GUI_ViewState &state, RE_Render *r)
{
    OPUI_RotoscopeData &source = state.getDisplayOptionRef().getRotoscopeData();
    const GUI_ViewParameter &view = state.getViewParameterRef();

    short l = 0, rt = 0, b = 0, t = 0;
    view.getView(l, rt, b, t);
    const int vw = rt - l + 1;
    const int vh = t - b + 1;
    int full_x = 0, full_y = 0;
    source.getRes(full_x, full_y);
    if (full_x <= 0 || full_y <= 0)
        return;
    const float ia = static_cast<float>(full_x) / static_cast<float>(full_y);
    const float va = vh == 0 ? 1.0f : static_cast<float>(vw) / static_cast<float>(vh);
    const float pa = view.getPixelAspect();

    // The image's size on screen, fitted into the view.
    float w, h;
    if (ia > va)
    {
        w = static_cast<float>(vw);
        h = std::trunc(vw / (ia * pa));
    }
    else
    {
        w = std::trunc(vh * pa * ia);
        h = static_cast<float>(vh);
    }

    const bool tracks = view.rotoscopeTracksWindowVals() != 0;
    float win_x = view.getWinX(), win_y = view.getWinY();
    float win_w = view.getWinSizeX(), win_h = view.getWinSizeY();
    if (tracks)
    {
        if (!(win_w > 0.00001f))
            win_w = 0.00001f;
        if (!(win_h > 0.00001f))
            win_h = 0.00001f;
        if (view.getOrthoFlag())
        {
            float fw = 0.0f, fh = 0.0f;
            view.getLastFrustumSize(fw, fh);
            win_x += view.getTx() / fw;
            win_y += view.getTy() / fh;
        }
        w = std::floor(w / win_w + 0.5f);
        h = std::floor(h / win_h + 0.5f);
    }
    int px = l + (vw - static_cast<int>(w)) / 2;
    int py = b + (vh - static_cast<int>(h)) / 2;

    // Zoom: exact where the context can, otherwise in whole steps with a
    // reduced image making up the rest.
    const float own_fraction = source.getResolutionFraction();
    float zx = 1.0f, zy = 1.0f, z = 1.0f, fraction = own_fraction;
    const bool float_zoom = r->isFloatZoomSupported();
    if (float_zoom)
    {
        zx = w / full_x;
        zy = h / full_y;
    }
    else
    {
        const float rx = std::max(1.0f, std::floor(full_x * own_fraction + 0.5f));
        const float ry = std::max(1.0f, std::floor(full_y * own_fraction + 0.5f));
        z = std::min(wholeZoom(w, rx), wholeZoom(h, ry));
        fraction = w / (full_x * z);
    }
    TIL_Raster *raster = source.getRaster(fraction, false, nullptr);
    if (!raster)
        return;
    if (float_zoom)
    {
        const float k = std::floor(1.0f / fraction + 0.5f);
        r->zoomRaster(zx * k, zy * k);
    }
    else
        r->zoomRaster(z, -1.0f);

    if (tracks)
    {
        px -= static_cast<int>(std::floor(vw / win_w * win_x + 0.5f));
        py -= static_cast<int>(std::floor(vh / win_h * win_y + 0.5f));
    }

    r->matrixMode(1);
    r->pushMatrix(1);
    r->ortho2DW(0.0f, static_cast<float>(vw), 0.0f, static_cast<float>(vh));
    r->loadIdentityMatrix();
    const ImageBracket saved = enterImageBracket(r);
    r->displayRaster(static_cast<float>(px), static_cast<float>(py), raster, nullptr);
    leaveImageBracket(r, saved);
    r->popMatrix(1);
    r->zoomRaster(1.0f, -1.0f);
}

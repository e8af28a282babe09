#include "decor/GUI_ViewRender2D.h"

#include "display/GUI_DisplayOption.h"
#include "host/RE/RE_Render.h"
#include "host/RE/RE_Texture2DMap.h"
#include "host/UT/UT_Color.h"
#include "view/GUI_ViewState.h"

int GUI_ViewRender2D::ourOriginList = -1;
float GUI_ViewRender2D::ourOriginSize = -1.0f;
int GUI_ViewRender2D::ourStickyOriginList = -1;

namespace
{
const GR_CommonDispOption &
commonOf2D(GUI_ViewState &state)
{
    return state.getDisplayOptionRef().common();
}
} // namespace

GUI_ViewRender2D::GUI_ViewRender2D(const GUI_ViewRender2D &src)
    : GUI_ViewRender(src), myFilterValue(src.myFilterValue)
{
}

GUI_ViewRender2D &
GUI_ViewRender2D::operator=(const GUI_ViewRender2D &src)
{
    GUI_ViewRender::operator=(src);
    myFilterValue = src.myFilterValue;
    return *this;
}

GUI_ViewRender2D::~GUI_ViewRender2D()
{
    delete myBackgroundTexture;
}

void
GUI_ViewRender2D::preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis)
{
    if (!r)
        return;
    const GUI_DisplayOption &options = state.getDisplayOptionRef();
    const float radius = state.getViewParameterRef().getLastHomeRadius();
    if (options.drawBackgrounds())
    {
        // The image lies behind everything: it must not write depth that
        // hides the objects. Texture space always lays it as a texture.
        const int depth = r->isZbuffer();
        if (depth)
            r->enableZbuffer(0, 0);
        renderTexturedBackground(state, r);
        if (depth)
            r->enableZbuffer(1, 0);
    }
    if (options.drawOrigin())
        renderOrigin(state, r, 0.1f * radius);
}

void
GUI_ViewRender2D::postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool)
{
    if (r && state.getDisplayOptionRef().drawStickyOrigin())
        renderStickyOrigin(state, r, a, b);
}

bool
GUI_ViewRender2D::rasterRender(GUI_ViewState &state, RE_Render *r, float alpha)
{
    return renderSnapshot(state, r, alpha);
}

void
GUI_ViewRender2D::renderOrigin(GUI_ViewState &state, RE_Render *r, float size)
{
    renderOriginList(r, ourOriginList, ourOriginSize, size, commonOf2D(state).originColor(), 2,
                     "uv");
}

void
GUI_ViewRender2D::renderStickyOrigin(GUI_ViewState &state, RE_Render *r, short, short)
{
    // Both legs in the x-axis colour; the tripod does not turn with the view.
    const StickyAxis axes[] = {{&commonOf2D(state).xAxisColor(), 0.5f, 0.0f, 0.0f, 'u'},
                               {nullptr, 0.0f, 0.5f, 0.0f, 'v'}};
    renderStickyAxes(r, ourStickyOriginList, nullptr, axes, 2);
}

void
GUI_ViewRender2D::renderTexturedBackground(GUI_ViewState &state, RE_Render *r)
{
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    OPUI_RotoscopeData &source = options.getRotoscopeData();
    float fraction = source.getResolutionFraction();
    TIL_TextureMap *image = source.getTexture(fraction, true, nullptr);
    if (!image)
        return;
    const bool smoothing = r->isLineSmoothing();
    if (smoothing)
        r->smoothBlendLines(0);
    r->pushMatrix(1);

    // The image covers its uv rectangle once: each corner's texture
    // coordinate is its own uv.
    float lo[2], hi[2];
    options.getImageMinUV(lo);
    options.getImageMaxUV(hi);
    const float corners[4][2] = {{lo[0], lo[1]}, {hi[0], lo[1]}, {hi[0], hi[1]}, {lo[0], hi[1]}};

    r->interpMode(1);
    const int32_t filtered = options.drawFilteredBackgrounds() ? 1 : 0;
    if (!myBackgroundTexture)
        myBackgroundTexture = new RE_Texture2DMap(0, 0, 0);
    else if (myFilterValue != filtered)
    {
        myBackgroundTexture->clearRenderIndex();
        myFilterValue = filtered;
    }
    r->pushColor();
    r->setColor(UT_Color::getConstantColor(7), 1.0f);
    myBackgroundTexture->setMinFilter(filtered);
    myBackgroundTexture->setMagFilter(filtered);
    clearMipmapMode(*myBackgroundTexture);
    myBackgroundTexture->setMap(image);
    r->useTexture2D(myBackgroundTexture->getIndex(1));

    const ImageBracket saved = enterImageBracket(r);
    r->beginPolygon(1);
    for (const auto &c : corners)
    {
        r->t2DW(c);
        r->v3DW(c[0], c[1], 0.0f);
    }
    r->endPolygon();
    leaveImageBracket(r, saved);

    r->useTexture2D(0);
    r->popColor();
    r->interpMode(0);
    r->popMatrix(1);
    if (smoothing)
        r->smoothBlendLines(1);
}

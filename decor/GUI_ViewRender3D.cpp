#include "decor/GUI_ViewRender3D.h"

#include "display/GUI_DisplayOption.h"
#include "host/RE/RE_Render.h"
#include "host/RE/RE_Texture2DMap.h"
#include "view/GUI_ViewState.h"

int GUI_ViewRender3D::ourOriginList = -1;
float GUI_ViewRender3D::ourOriginSize = -1.0f;
int GUI_ViewRender3D::ourStickyOriginList = -1;
UT_Matrix4 GUI_ViewRender3D::ourIdentity;

namespace
{
// Lines of the construction planes each way, the centre one included.
const int theGridLines = 21;
// Cells of the field guide each way.
const int theGuideCells = 24;

const GR_CommonDispOption &
common(GUI_ViewState &state)
{
    return state.getDisplayOptionRef().common();
}

void
line2(RE_Render *r, float x0, float y0, float x1, float y1)
{
    r->beginLine();
    r->v2DW(x0, y0);
    r->v2DW(x1, y1);
    r->endLine();
}

void
line3(RE_Render *r, float x0, float y0, float x1, float y1)
{
    r->beginLine();
    r->v3DW(x0, y0, 0.0f);
    r->v3DW(x1, y1, 0.0f);
    r->endLine();
}
} // namespace

GUI_ViewRender3D::GUI_ViewRender3D()
{
    ourIdentity.identity();
}

GUI_ViewRender3D::GUI_ViewRender3D(const GUI_ViewRender3D &src) : GUI_ViewRender(src)
{
    ourIdentity.identity();
}

GUI_ViewRender3D &
GUI_ViewRender3D::operator=(const GUI_ViewRender3D &src)
{
    GUI_ViewRender::operator=(src);
    return *this;
}

GUI_ViewRender3D::~GUI_ViewRender3D()
{
    delete myBackgroundTexture;
}

void
GUI_ViewRender3D::preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis axis)
{
    if (!r)
        return;
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    const float radius = state.getViewParameterRef().getLastHomeRadius();
    if (options.drawBackgrounds())
    {
        // The image lies behind everything: it must not write depth that
        // hides the objects.
        const int depth = r->isZbuffer();
        if (depth)
            r->enableZbuffer(0, 0);
        if (options.drawTexturedBackgrounds())
            renderTexturedBackground(state, r, axis);
        else
            renderFramedBackground(state, r);
        if (depth)
            r->enableZbuffer(1, 0);
    }
    if (options.drawXYPlane())
        renderGrid(state, r, 'x', 0.0f, 2.0f * radius);
    if (options.drawXZPlane())
        renderGrid(state, r, 'x', 90.0f, 2.0f * radius);
    if (options.drawYZPlane())
        renderGrid(state, r, 'y', 90.0f, 2.0f * radius);
    if (options.drawOrigin())
        renderOrigin(state, r, 0.1f * radius);
}

void
GUI_ViewRender3D::postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool frame)
{
    if (!r)
        return;
    const GUI_DisplayOption &options = state.getDisplayOptionRef();
    if (options.drawStickyOrigin())
        renderStickyOrigin(state, r, a, b);
    if (options.drawFieldGuide())
        renderFieldGuide(state, r, frame);
    if (options.drawSafeArea())
        renderSafeArea(state, r, frame);
}

bool
GUI_ViewRender3D::rasterRender(GUI_ViewState &state, RE_Render *r, float alpha)
{
    return renderSnapshot(state, r, alpha);
}

void
GUI_ViewRender3D::renderWalls(RE_Render *, float)
{
}

void
GUI_ViewRender3D::renderGrid(GUI_ViewState &state, RE_Render *r, char axis, float angle,
                             float size)
{
    r->pushMatrix(1);
    r->rotate(angle, axis);
    r->pushColor();
    r->setColor(common(state).gridColor(), 1.0f);

    const float half = size * 0.5f;
    const float step = size * 0.05f;
    for (int i = 0; i < theGridLines; ++i)
    {
        const float c = i * step - half;
        line2(r, -half, c, half, c);
        line2(r, c, -half, c, half);
    }
    r->pushLineWidth(2.0f);
    line2(r, -half, 0.0f, half, 0.0f);
    line2(r, 0.0f, -half, 0.0f, half);
    r->popLineWidth();

    r->popColor();
    r->popMatrix(1);
}

void
GUI_ViewRender3D::renderOrigin(GUI_ViewState &state, RE_Render *r, float size)
{
    renderOriginList(r, ourOriginList, ourOriginSize, size, common(state).originColor(), 3,
                     "xyz");
}

void
GUI_ViewRender3D::renderStickyOrigin(GUI_ViewState &state, RE_Render *r, short, short)
{
    const GR_CommonDispOption &colors = common(state);
    const StickyAxis axes[] = {{&colors.xAxisColor(), 0.5f, 0.0f, 0.0f, 'x'},
                               {&colors.yAxisColor(), 0.0f, 0.5f, 0.0f, 'y'},
                               {&colors.zAxisColor(), 0.0f, 0.0f, 0.5f, 'z'}};
    renderStickyAxes(r, ourStickyOriginList, &state, axes, 3);
}

void
GUI_ViewRender3D::beginFrame(GUI_ViewState &state, RE_Render *r, bool frame, float &x0,
                             float &y0, float &w, float &h)
{
    const GUI_ViewParameter &view = state.getViewParameterRef();
    x0 = 0.0f;
    y0 = 0.0f;
    w = 1.0f;
    h = 1.0f;
    if (!frame)
    {
        short l = 0, rt = 0, b = 0, t = 0;
        view.getView(l, rt, b, t);
        const float vw = static_cast<float>(rt - l + 1);
        const float vh = static_cast<float>(t - b + 1);
        const float q = vh / vw;
        if (q > 0.75f)
        {
            // Taller than 4:3: the frame fills the width.
            h = 0.75f * vw / vh;
            y0 = (1.0f - h) / 2.0f;
        }
        else
        {
            w = 1.333333f * vh / vw;
            x0 = (1.0f - w) / 2.0f;
        }
    }

    r->pushMatrix(1);
    float pl = 0.0f, pr = 1.0f, pb = 0.0f, pt = 1.0f;
    view.viewToViewportProjectionBounds(pl, pr, pb, pt);
    r->ortho2DW(pl, pr, pb, pt);
    r->matrixMode(1);
    r->loadMatrix(ourIdentity);
}

void
GUI_ViewRender3D::renderFieldGuide(GUI_ViewState &state, RE_Render *r, bool frame)
{
    float x0, y0, w, h;
    beginFrame(state, r, frame, x0, y0, w, h);
    r->pushColor();
    r->setColor(common(state).gridColor(), 1.0f);
    for (int i = 0; i <= theGuideCells; ++i)
    {
        const float y = y0 + i * h / theGuideCells;
        const float x = x0 + i * w / theGuideCells;
        line3(r, x0, y, x0 + w, y);
        line3(r, x, y0, x, y0 + h);
    }
    r->popColor();
    r->popMatrix(1);
}

void
GUI_ViewRender3D::renderSafeArea(GUI_ViewState &state, RE_Render *r, bool frame)
{
    float x0, y0, w, h;
    beginFrame(state, r, frame, x0, y0, w, h);
    r->pushLineStyle(2);
    r->pushColor();
    r->setColor(common(state).guide1Color(), 1.0f);
    // The frame, then the action and title safe areas inside it.
    for (float inset : {0.0f, 0.05f, 0.1f})
        r->rect2DW(x0 + inset * w, y0 + inset * h, x0 + (1.0f - inset) * w,
                   y0 + (1.0f - inset) * h);
    r->popColor();
    r->popLineStyle();
    r->popMatrix(1);
}

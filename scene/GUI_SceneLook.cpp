#include "scene/GUI_SceneLook.h"

#include "decor/GUI_ViewRender.h"
#include "detail/GUI_DetailLook.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/OP/CH_Manager.h"
#include "host/OP/OP_Director.h"
#include "host/RE/RE_Render.h"
#include "host/UT/SYS_Math.h"
#include "host/UT/UT_Thread.h"
#include "scene/GUI_FadeClock.h"

// A snapshot alpha this close to 1 is drawn opaque.
static const float theOpaqueTolerance = 0.00001f;

struct GUI_SceneLook::Owned
{
    Owned(GUI_ViewRender *render, GUI_ViewState *state) : myRender(render), myState(state) {}
    ~Owned()
    {
        delete myState;
        delete myRender;
    }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;

    GUI_ViewRender *myRender;
    GUI_ViewState *myState; // null when the state is the caller's
};

GUI_SceneLook::GUI_SceneLook(GUI_ViewRender *render, GUI_ViewState *state)
    : myViewState(state ? state : new GUI_ViewState()),
      myViewRender(render),
      myOwnsViewState(state == nullptr),
      myOwned(std::make_shared<Owned>(render, myOwnsViewState ? myViewState : nullptr))
{
}

GUI_SceneLook::GUI_SceneLook(const GUI_SceneLook &src) = default;

GUI_SceneLook &
GUI_SceneLook::operator=(const GUI_SceneLook &src) = default;

// The shared record frees the renderer, and the state when owned, once no
// look holds it any more.
GUI_SceneLook::~GUI_SceneLook() = default;

void
GUI_SceneLook::getPreferredSizes(int &a, int &b, int &, int &, int &, int &)
{
    a = RE_OGLRender::inchesToPixels(0.1f);
    b = RE_OGLRender::inchesToPixels(0.1f);
}

void
GUI_SceneLook::render(RE_Render *, short, short, short, short, void *)
{
}

void
GUI_SceneLook::setView(RE_Render *r, short x, short y, short w, short h)
{
    setView(GUI_ViewState::GUI_VIEW_MAIN, r, x, y, w, h);
}

void
GUI_SceneLook::setView(GUI_ViewState::GUI_ViewType type, RE_Render *r, short x, short y,
                       short w, short h)
{
    GUI_ViewParameter &view = myViewState->getViewParameter(type);
    view.setViewport(r, x, y, w, h);
    view.setProjection(r);
}

void
GUI_SceneLook::updateGlobalDetailState() const
{
    GUI_DetailLook::setGlobalDispOption(myViewState->getDisplayOptionRef());
}

void
GUI_SceneLook::pickRender(RE_Render *, short, short, short, short, void *)
{
    updateGlobalDetailState();
}

void
GUI_SceneLook::renderBackground(RE_Render *r, short x, short y, short w, short h)
{
    if (w < 1 || h < 1)
        return;
    if (r && fillsBackground())
    {
        const int depthTest = r->isZbuffer();
        r->enableZbuffer(0, 0);
        renderClearAndFog(r, x, y, w, h, &myViewState->getDisplayOptionRef());
        r->enableZbuffer(depthTest, 0);
    }
    updateGlobalDetailState();
}

void
GUI_SceneLook::renderClearAndFog(RE_Render *r, short x, short y, short w, short h,
                                 GUI_DisplayOption *opt)
{
    const UT_Color &background = opt->common().color(GR_COLOR_BACKGROUND);
    UI_Color clearColor(background);
    float amount;
    if (myViewState)
    {
        const GUI_ViewParameter &view = myViewState->getViewParameterRef();
        amount = view.getClearAmount();
        if (view.getFogSwitch())
        {
            float b[3];
            background.getRGB(&b[0], &b[1], &b[2]);
            const float f = view.getFogWeight();
            const float *c = view.getFogColor();
            clearColor = UI_Color(UT_RGB, b[0] * (1 - f) + c[0] * f, b[1] * (1 - f) + c[1] * f,
                                  b[2] * (1 - f) + c[2] * f);
        }
    }
    else
        amount = fillsBackground() ? 1.0f : 0.0f;

    setBG(clearColor);
    if (!(amount < 1.0f))
    {
        UI_Rectangle::render(r, x, y, w, h, nullptr);
        return;
    }
    fadingClear(r, getBG(0.1f), amount, x, y, w, h);
}

void
GUI_SceneLook::fadingClear(RE_Render *r, const UI_Color &color, float a, short x, short y,
                           short w, short h)
{
    if (w <= 0 || h <= 0)
        return;
    if (fillsBackground())
    {
        const int m = getMargin();
        const short left = short(x + m), bottom = short(y + m);
        const short width = short(w - 2 * m), height = short(h - 2 * m);

        if (a > 0.0f)
        {
            if (a < 1.0f)
                a = a * a * a * a;
            if (a > 0.0f && a < 1.0f)
                a = GUI_FadeClock::theClock().accumulate(a, OPgetDirector()->getFrameRate());
        }
        // Keep the previous frame under a partial clear. The copy is asked
        // for even when the margin leaves no inner box: the context refuses
        // an empty one itself.
        if (a < 1.0f && (r->getMode() & RE_MODE_DOUBLE))
            r->copyToBack(left, bottom, width, height);
        // A margin wider than half the rectangle leaves no box to paint.
        if (width > 0 && height > 0)
        {
            if (a > 0.0f)
            {
                const bool partial = a < 1.0f;
                if (partial)
                {
                    r->pushBlendState();
                    r->blendAlpha(1, 0);
                }
                r->pushColor();
                r->setColor(color.getColor(), a);
                r->boxf2DS(left, bottom, short(left + width - 1), short(bottom + height - 1));
                r->popColor();
                if (partial)
                    r->popBlendState();
            }
        }
    }
    if (drawsBorder())
        renderBorder(r, x, y, w, h);
}

void
GUI_SceneLook::doPreRender(RE_Render *r, short, short, short, short,
                           GUI_ViewParameter::axis axis)
{
    if (myViewRender)
        myViewRender->preRender(*myViewState, r, axis);
    if (r)
        r->flush(0);
}

void
GUI_SceneLook::doPostRender(RE_Render *r, short, short, short w, short h, bool frame)
{
    if (myViewRender)
        myViewRender->postRender(*myViewState, r, w, h, frame);
}

void
GUI_SceneLook::renderForeground(RE_Render *, short, short, short, short)
{
}

bool
GUI_SceneLook::isSnapshotSourceFrame() const
{
    if (!myViewState->getHideSnapshotAtSourceFrame())
        return false;
    const double t =
        CH_Manager::theManager()->getEvaluateTime(UT_Thread::getMySequentialThreadIndex());
    const OP_Director *director = OPgetDirector();
    const double frame =
        SYSfloor((t + director->getTimeOffset()) * director->getFrameRate() + 1.0);
    return frame == double(myViewState->getSnapshotImageFrame());
}

bool
GUI_SceneLook::renderOverrideRaster(RE_Render *r, short x, short y, short w, short h)
{
    if (isSnapshotSourceFrame())
        return false;
    if (!r || w < 1 || h < 1 || !myViewRender || !myViewState->getSnapshotImage())
        return false;

    float alpha = myViewState->getSnapshotAlpha();
    if (!(alpha > 0.0f))
        alpha = 0.0f;
    else if (!(alpha < 1.0f))
        alpha = 1.0f;

    setView(r, x, y, w, h);
    const bool blending = alpha < 1.0f - theOpaqueTolerance;
    bool wasBlending = false;
    if (blending)
    {
        wasBlending = r->isBlending();
        r->blend(1);
        r->setBlendFunction(RE_SBLEND_SRC_ALPHA, RE_DBLEND_ONE_MINUS_SRC_ALPHA);
    }
    myViewRender->rasterRender(*myViewState, r, alpha);
    r->flush(0);
    if (blending)
        r->blend(wasBlending ? 1 : 0);
    return true;
}

bool
GUI_SceneLook::getOverrideRasterShownOnlyFlag() const
{
    if (isSnapshotSourceFrame())
        return false;
    if (!myViewRender || !myViewState->getSnapshotImage())
        return false;
    return myViewState->getSnapshotAlpha() - 1.0f >= -theOpaqueTolerance;
}

#ifndef GUI_ViewRender3D_h
#define GUI_ViewRender3D_h

#include "host/UT/SYS_Visibility.h"
#include "decor/GUI_ViewRender.h"
#include "host/UT/UT_Matrix4.h"

// The decorations of a 3D viewport. Behind the objects: the background
// image, the three construction planes and the world origin. In front of
// them: the sticky origin, the field guide and the safe area.
class VANTREL_API GUI_ViewRender3D : public GUI_ViewRender
{
public:
    GUI_ViewRender3D();
    // Copies make their own background texture on first use.
    GUI_ViewRender3D(const GUI_ViewRender3D &src);
    GUI_ViewRender3D &operator=(const GUI_ViewRender3D &src);
    ~GUI_ViewRender3D() override;

    const char *className() const override { return "GUI_ViewRender3D"; }

    void preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis axis) override;
    void postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool frame) override;
    bool rasterRender(GUI_ViewState &state, RE_Render *r, float alpha) override;

    // Walls are not shown in a 3D viewport; this draws nothing.
    void renderWalls(RE_Render *r, float size);

    // The library-wide display lists of the origins, for callers that must
    // know what is cached (-1 for none), and the size the origin list was
    // built for.
    static int getOriginListId() { return ourOriginList; }
    static float getOriginListSize() { return ourOriginSize; }
    static int getStickyOriginListId() { return ourStickyOriginList; }

private:
    void renderGrid(GUI_ViewState &state, RE_Render *r, char axis, float angle, float size);
    void renderOrigin(GUI_ViewState &state, RE_Render *r, float size);
    void renderStickyOrigin(GUI_ViewState &state, RE_Render *r, short a, short b);
    void renderFieldGuide(GUI_ViewState &state, RE_Render *r, bool frame);
    void renderSafeArea(GUI_ViewState &state, RE_Render *r, bool frame);

    void renderTexturedBackground(GUI_ViewState &state, RE_Render *r,
                                  GUI_ViewParameter::axis axis);
    void renderFramedBackground(GUI_ViewState &state, RE_Render *r);
    void getTexturedBackgroundProjection(GUI_ViewState &state, RE_Render *r, float &l,
                                         float &r_, float &b, float &t);

    // The picture frame of the field guide and safe area inside the view's
    // unit square, and the projection that shows that square. Pushes the
    // matrix; the caller pops it.
    void beginFrame(GUI_ViewState &state, RE_Render *r, bool frame, float &x0, float &y0,
                    float &w, float &h);

    RE_Texture2DMap *myBackgroundTexture = nullptr;

    // Shared by every 3D view renderer and render context.
    static int ourOriginList;
    static float ourOriginSize;
    static int ourStickyOriginList;
    static UT_Matrix4 ourIdentity;
};

#endif

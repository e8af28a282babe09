#ifndef GUI_ViewRender2D_h
#define GUI_ViewRender2D_h

#include "host/UT/SYS_Visibility.h"
#include "decor/GUI_ViewRender.h"

#include <cstdint>

// The decorations of a 2D texture-space viewport, whose axes are u and v.
// Behind the objects: the background image laid over its uv rectangle and
// the UV origin. In front of them: the sticky UV origin, which stays in the
// lower left corner. There are no grids, field guide or safe area.
class VANTREL_API GUI_ViewRender2D : public GUI_ViewRender
{
public:
    GUI_ViewRender2D() = default;
    // Copies keep the filter setting and make their own texture on first use.
    GUI_ViewRender2D(const GUI_ViewRender2D &src);
    GUI_ViewRender2D &operator=(const GUI_ViewRender2D &src);
    ~GUI_ViewRender2D() override;

    const char *className() const override { return "GUI_ViewRender2D"; }

    void preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis axis) override;
    void postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool frame) override;
    bool rasterRender(GUI_ViewState &state, RE_Render *r, float alpha) override;

    // The "drawfilteredbackgrounds" value the background texture was last
    // set up with (0 or 1).
    int32_t getBackgroundFilterValue() const { return myFilterValue; }

    // The library-wide display lists of the UV origins (-1 for none), kept
    // apart from the 3D origins', and the size the UV origin was built for.
    static int getOriginListId() { return ourOriginList; }
    static float getOriginListSize() { return ourOriginSize; }
    static int getStickyOriginListId() { return ourStickyOriginList; }

private:
    void renderOrigin(GUI_ViewState &state, RE_Render *r, float size);
    void renderStickyOrigin(GUI_ViewState &state, RE_Render *r, short a, short b);
    void renderTexturedBackground(GUI_ViewState &state, RE_Render *r);

    RE_Texture2DMap *myBackgroundTexture = nullptr;
    int32_t myFilterValue = 0;

    // Shared by every 2D view renderer and render context.
    static int ourOriginList;
    static float ourOriginSize;
    static int ourStickyOriginList;
};

#endif

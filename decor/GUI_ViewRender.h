#ifndef GUI_ViewRender_h
#define GUI_ViewRender_h

#include "view/GUI_ViewParameter.h"

class GUI_ViewState;
class RE_Render;

// What a viewport draws around its objects: preRender before them,
// postRender after them, rasterRender for the snapshot over the frame.
class GUI_ViewRender
{
public:
    virtual ~GUI_ViewRender() = default;

    virtual void preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis axis) = 0;
    virtual void postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool frame) = 0;
    // True when the snapshot was drawn.
    virtual bool rasterRender(GUI_ViewState &state, RE_Render *r, float alpha) = 0;
};

#endif

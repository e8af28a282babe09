#ifndef VANTREL_VIEW_ViewScene_h
#define VANTREL_VIEW_ViewScene_h

#include "host/UT/UT_BoundingBox.h"

class GUI_DisplayOption;
class RE_Render;

// What the demo shows: for now a unit box drawn as lines.
class ViewScene
{
public:
    ViewScene();

    const UT_BoundingBox &getBounds() const { return myBounds; }

    // Clears the frame to the options' background colour and draws the
    // scene with the matrices the context holds.
    void draw(RE_Render *r, const GUI_DisplayOption &options) const;

private:
    UT_BoundingBox myBounds;
};

#endif

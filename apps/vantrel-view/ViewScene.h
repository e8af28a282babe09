#ifndef VANTREL_VIEW_ViewScene_h
#define VANTREL_VIEW_ViewScene_h

#include "host/UT/UT_BoundingBox.h"

class RE_Render;

// What the demo shows: for now a unit box drawn as lines.
class ViewScene
{
public:
    ViewScene();

    const UT_BoundingBox &getBounds() const { return myBounds; }

    // Clears the frame and draws the scene with the matrices the context
    // holds.
    void draw(RE_Render *r) const;

private:
    UT_BoundingBox myBounds;
};

#endif

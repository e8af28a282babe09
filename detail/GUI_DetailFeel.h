#ifndef GUI_DetailFeel_h
#define GUI_DetailFeel_h

#include "host/UT/SYS_Visibility.h"

#include <cstdint>

class GUI_DetailLook;
class GUI_DetailRender;
class RE_Render;

// The scene feel's handle on one object: which look it is and whether it
// is shown in a texture-space (2D) or a 3D viewport right now. The look is
// not owned.
class VANTREL_API GUI_DetailFeel
{
public:
    explicit GUI_DetailFeel(GUI_DetailLook *look = nullptr) : myLook(look) {}
    GUI_DetailFeel(const GUI_DetailFeel &src) = default;
    GUI_DetailFeel &operator=(const GUI_DetailFeel &src) = default;
    ~GUI_DetailFeel() = default;

    void setDetailLook(GUI_DetailLook *look) { myLook = look; }
    GUI_DetailLook *getDetailLook() const { return myLook; }

    void setCurrent2D() { myCurrent2D = 1; }
    void setCurrent3D() { myCurrent2D = 0; }

    // The look's 2D renderer while 2D is current, else its 3D renderer;
    // null without a look.
    GUI_DetailRender *getCurrentRender() const;
    // Draws the object with the current renderer, if any.
    void render(RE_Render *r, short x, short y, short w, short h);

private:
    GUI_DetailLook *myLook;
    int32_t myCurrent2D = 0;
};

#endif

#ifndef OPUI_TabMenuParent_h
#define OPUI_TabMenuParent_h

#include "host/UT/SYS_Visibility.h"

// A window that can open the node menu (the menu a Tab key brings up) over
// itself. Base is the window class it adds this to; its constructors are
// taken as they are. The menu is open between openTabMenu and
// closeTabMenu, at the window position it was opened at.
template <typename Base>
class VANTREL_API OPUI_TabMenuParent : public Base
{
public:
    using Base::Base;

    void openTabMenu(float x, float y)
    {
        myTabMenuOpen = true;
        myTabMenuX = x;
        myTabMenuY = y;
    }
    void closeTabMenu() { myTabMenuOpen = false; }
    bool isTabMenuOpen() const { return myTabMenuOpen; }
    float getTabMenuX() const { return myTabMenuX; }
    float getTabMenuY() const { return myTabMenuY; }

private:
    bool myTabMenuOpen = false;
    float myTabMenuX = 0.0f;
    float myTabMenuY = 0.0f;
};

#endif

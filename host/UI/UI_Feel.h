#ifndef UI_Feel_h
#define UI_Feel_h

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Object.h"

class RE_Render;
class UI_Look;
class UI_Window;

// The part of a toolkit element that takes input: its look (what draws
// it), its rectangle inside its window, and a flag word saying which input
// it wants. A feel inside a window draws through the window's render
// context.
class VANTREL_API UI_Feel : public UI_Object
{
public:
    // Bits of the flag word.
    enum
    {
        UI_FEEL_TAKES_KEYS = 0x080,    // takes the keyboard focus
        UI_FEEL_WANTS_MOTION = 0x800   // gets mouse motion with no button held
    };

    UI_Feel() = default;
    UI_Feel(const UI_Feel &) = default;
    UI_Feel &operator=(const UI_Feel &) = default;
    ~UI_Feel() override = default;

    const char *className() const override { return "UI_Feel"; }

    // The look is not owned.
    void setLook(UI_Look *look) { myLook = look; }
    UI_Look *getLook() const { return myLook; }

    // The window the feel lies in; a window is its own.
    void setParentWindow(UI_Window *window) { myWindow = window; }
    virtual UI_Window *getParentWindow() const { return myWindow; }
    // The parent window's render context; null without one.
    RE_Render *getWindowRender() const;

    // The rectangle in the window's pixels (lower left corner, size).
    // Negative sizes are taken as 0: a minimised window is 0 x 0.
    void setPosition(int x, int y) { myX = x, myY = y; }
    void setSize(int width, int height);
    int getX() const { return myX; }
    int getY() const { return myY; }
    int getWidth() const { return myWidth; }
    int getHeight() const { return myHeight; }

    void setFlags(unsigned bits) { myFlags |= bits; }
    void clearFlags(unsigned bits) { myFlags &= ~bits; }
    unsigned getFlags() const { return myFlags; }

    // Bracket drawing by the feel outside a frame: the window's context is
    // made current and locked, and its viewport set to the feel's
    // rectangle; endDraw puts both back. Calls nest; nothing happens
    // without a render context.
    virtual void beginDraw();
    virtual void endDraw();
    int getDrawDepth() const { return myDrawDepth; }

    // Turns n = 0: a position in window pixels into the feel's own
    // (relative to its lower left corner); n != 0: the feel's own into the
    // window's. from is the window the position is given in; null means
    // the feel's own window. A position in another window is first taken
    // into that window's parent coordinates through its own position.
    void setRelative(float *x, float *y, int n, UI_Window *from) const;

private:
    UI_Look *myLook = nullptr;
    UI_Window *myWindow = nullptr;
    int myX = 0, myY = 0;
    int myWidth = 0, myHeight = 0;
    unsigned myFlags = 0;
    int myDrawDepth = 0;
    // The render context locked by the outermost beginDraw.
    RE_Render *myDrawRender = nullptr;
};

#endif

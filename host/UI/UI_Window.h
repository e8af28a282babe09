#ifndef UI_Window_h
#define UI_Window_h

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Feel.h"

class RE_Render;

// A feel that is a drawing surface of its own: it has a render context
// (none while it is not shown) and is its own parent window.
class VANTREL_API UI_Window : public UI_Feel
{
public:
    UI_Window() = default;
    UI_Window(const UI_Window &) = default;
    UI_Window &operator=(const UI_Window &) = default;
    ~UI_Window() override = default;

    const char *className() const override { return "UI_Window"; }

    UI_Window *getParentWindow() const override;

    // The render context is not owned; null while there is none.
    void setRender(RE_Render *r) { myRender = r; }
    RE_Render *getRender() const { return myRender; }

private:
    RE_Render *myRender = nullptr;
};

#endif

#ifndef BM_ViewportBase_h
#define BM_ViewportBase_h

#include "host/UT/SYS_Visibility.h"
#include "host/UI/NT_Window.h"

// A named window that shows a view of the scene, drawn with the display
// mode (RE_DisplayMode bits) its context was asked for.
class VANTREL_API BM_ViewportBase : public NT_Window
{
public:
    BM_ViewportBase(const char *name, int displayMode)
        : NT_Window(name), myDisplayMode(displayMode)
    {
    }
    ~BM_ViewportBase() override = default;

    const char *className() const override { return "BM_ViewportBase"; }

    int getDisplayMode() const { return myDisplayMode; }

private:
    int myDisplayMode;
};

#endif

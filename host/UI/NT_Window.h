#ifndef NT_Window_h
#define NT_Window_h

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Window.h"

#include <string>

// A window with a name: what viewports and panes are found by.
class VANTREL_API NT_Window : public UI_Window
{
public:
    explicit NT_Window(const char *name) : myName(name ? name : "") {}
    ~NT_Window() override = default;

    const char *className() const override { return "NT_Window"; }

    const char *getName() const { return myName.c_str(); }

private:
    std::string myName;
};

#endif

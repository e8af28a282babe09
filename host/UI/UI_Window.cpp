#include "host/UI/UI_Window.h"

UI_Window *
UI_Window::getParentWindow() const
{
    UI_Window *parent = UI_Feel::getParentWindow();
    return parent ? parent : const_cast<UI_Window *>(this);
}

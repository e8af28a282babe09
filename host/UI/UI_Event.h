#ifndef UI_Event_h
#define UI_Event_h

#include "host/UT/SYS_Visibility.h"

class UI_Value;

// What happened to a feel: a mouse press, drag or release, a key, a value
// change. The numbers of the event travel in its value (a mouse position
// is two floats; mapping it into the world makes it three). The value is
// not owned.
class VANTREL_API UI_Event
{
public:
    enum UI_EventType
    {
        UI_EVENT_NONE = 0,
        UI_EVENT_VALUE_CHANGE,
        UI_EVENT_MOUSE_DOWN,
        UI_EVENT_MOUSE_DRAG,
        UI_EVENT_MOUSE_UP,
        UI_EVENT_MOUSE_WHEEL,
        UI_EVENT_KEY
    };

    explicit UI_Event(UI_Value *value = nullptr, UI_EventType type = UI_EVENT_VALUE_CHANGE)
        : myValue(value), myType(type)
    {
    }
    UI_Event(const UI_Event &) = default;
    UI_Event &operator=(const UI_Event &) = default;

    UI_Value *getValue() const { return myValue; }
    void setValue(UI_Value *value) { myValue = value; }
    UI_EventType getType() const { return myType; }

private:
    UI_Value *myValue;
    UI_EventType myType;
};

#endif

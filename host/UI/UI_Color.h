#pragma once

#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_Color.h"

// A toolkit colour: the colour a look paints with. It keeps the colour
// model it was given.
class VANTREL_API UI_Color
{
public:
    UI_Color() = default;
    UI_Color(const UT_Color &c) : myColor(c) {}
    UI_Color(UT_ColorType type, float a, float b, float c) : myColor(type, a, b, c) {}
    UI_Color(const UI_Color &) = default;
    UI_Color &operator=(const UI_Color &) = default;

    const UT_Color &getColor() const { return myColor; }
    void setColor(const UT_Color &c) { myColor = c; }

    // The colour moved toward black (amount > 0) or white (amount < 0) by
    // |amount|, clamped to 1; the result is RGB.
    UI_Color shaded(float amount) const;

private:
    UT_Color myColor;
};

#pragma once

#include "host/UT/SYS_Visibility.h"

// Colour models. A colour keeps the model it was given; the RGB accessors
// convert when needed.
enum UT_ColorType
{
    UT_NONE = 0,
    UT_HSV = 1, // hue in degrees [0, 360), saturation and value in [0, 1]
    UT_RGB = 2,
    UT_HSL = 3  // hue in degrees, saturation and lightness in [0, 1]
};

class VANTREL_API UT_Color
{
public:
    // Black, RGB.
    UT_Color() = default;
    explicit UT_Color(UT_ColorType type) : myType(type == UT_NONE ? UT_RGB : type) {}
    UT_Color(UT_ColorType type, float a, float b, float c);

    UT_ColorType getType() const { return myType; }
    // Converts the stored components into another model.
    void setType(UT_ColorType type);

    // The three stored components in the colour's own model.
    void getValue(float &a, float &b, float &c) const { a = myV[0]; b = myV[1]; c = myV[2]; }
    void setValue(float a, float b, float c) { myV[0] = a; myV[1] = b; myV[2] = c; }

    void getRGB(float *r, float *g, float *b) const;
    // Makes the colour RGB.
    void setRGB(float r, float g, float b);

    float red() const;
    float green() const;
    float blue() const;

    // Moves the colour toward a target by amount (0 keeps it, 1 gives the
    // target; clamped to [0, 1]). Without a target it fades toward a
    // neutral grey, which reads as "ghosted" on dark and light backgrounds.
    void ghost(float amount);
    void ghost(float amount, const UT_Color &target);

    // Eight fixed RGB colours indexed by bits: 1 red, 2 green, 4 blue
    // (0 black, 3 yellow, 7 white). The index is taken modulo 8.
    static const UT_Color &getConstantColor(int index);

    // Same model and components.
    // Inline: display options compare dozens of colours per object drawn.
    bool operator==(const UT_Color &c) const
    {
        return myType == c.myType && myV[0] == c.myV[0] && myV[1] == c.myV[1] &&
               myV[2] == c.myV[2];
    }
    bool operator!=(const UT_Color &c) const { return !(*this == c); }
    // Same RGB components within tol, whatever the models.
    bool isEqualRGB(const UT_Color &c, float tol = 1e-5f) const;

private:
    UT_ColorType myType = UT_RGB;
    float myV[3] = {0.0f, 0.0f, 0.0f};
};

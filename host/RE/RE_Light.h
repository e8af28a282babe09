#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Vector3.h"

#include <string>

// A light as the fixed-function pipeline knows it: a point light at a
// position, or (with RE_LIGHT_INFINITE) a directional light shining along a
// direction, with a colour and a few switches. Render contexts give it a GL
// light slot when it is defined (RE_OGLRender::defineLight).
class VANTREL_API RE_Light
{
public:
    enum Flag
    {
        RE_LIGHT_SPECULAR = 1, // contributes specular highlights
        RE_LIGHT_AMBIENT = 2,  // also lights the ambient term
        RE_LIGHT_INFINITE = 4  // directional: the position is ignored
    };

    explicit RE_Light(const char *name = "");
    // A copy is a new light: render contexts know lights by address, so it
    // is defined in none of them.
    RE_Light(const RE_Light &other) = default;
    RE_Light &operator=(const RE_Light &other) = default;
    ~RE_Light();

    const std::string &getName() const { return myName; }
    void setName(const char *name) { myName = name ? name : ""; }

    const UT_Vector3 &getPosition() const { return myPosition; }
    void setPosition(const UT_Vector3 &p) { myPosition = p; }
    // The way the light travels; for a directional light it comes from -dir.
    const UT_Vector3 &getDirection() const { return myDirection; }
    void setDirection(const UT_Vector3 &d) { myDirection = d; }

    void setColor(float r, float g, float b);
    const float *getColor() const { return myColor; }

    int getFlags() const { return myFlags; }
    bool getFlag(int flag) const { return (myFlags & flag) != 0; }
    void setFlag(int flag, bool on);

private:
    std::string myName;
    UT_Vector3 myPosition;
    UT_Vector3 myDirection;
    float myColor[3];
    int myFlags = 0;
};

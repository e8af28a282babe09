#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_RefCount.h"

// Surface properties for shaded drawing, shared by reference: owners take a
// reference with upRef and release it with downRef; the last release
// deletes the material, so materials are made with new.
class VANTREL_API RE_Material : public UT_RefCount
{
public:
    explicit RE_Material(const char *name = "");

    const char *getName() const { return myName; }

    // Lit materials respond to lights; unlit ones show their colour flat.
    bool isLit() const { return myLit; }
    void setLit(bool lit) { myLit = lit; }

    void setDiffuse(float r, float g, float b);
    const float *getDiffuse() const { return myDiffuse; }
    void setSpecular(float r, float g, float b);
    const float *getSpecular() const { return mySpecular; }
    float getShininess() const { return myShininess; }
    void setShininess(float s) { myShininess = s < 0.0f ? 0.0f : (s > 128.0f ? 128.0f : s); }

private:
    char myName[64];
    bool myLit = true;
    float myDiffuse[3] = {0.8f, 0.8f, 0.8f};
    float mySpecular[3] = {0.0f, 0.0f, 0.0f};
    float myShininess = 20.0f;
};

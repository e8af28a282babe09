#pragma once

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Look.h"

// A look that is a plain rectangle: rendering fills the whole rectangle
// with the background colour.
class VANTREL_API UI_Rectangle : public UI_Look
{
public:
    UI_Rectangle() = default;
    UI_Rectangle(const UI_Rectangle &) = default;
    UI_Rectangle &operator=(const UI_Rectangle &) = default;

    const char *className() const override { return "UI_Rectangle"; }

    // Fills (x, y, w, h) with the background colour; nothing when w or h
    // is below 1.
    void render(RE_Render *r, short x, short y, short w, short h, void *data) override;
};

#include "host/UI/UI_Color.h"

#include <algorithm>
#include <cmath>

UI_Color
UI_Color::shaded(float amount) const
{
    if (!std::isfinite(amount))
        amount = 0.0f;
    const float t = std::min(std::fabs(amount), 1.0f);
    const float target = amount > 0.0f ? 0.0f : 1.0f;
    float rgb[3];
    myColor.getRGB(&rgb[0], &rgb[1], &rgb[2]);
    for (float &v : rgb)
        v = v + (target - v) * t;
    return UI_Color(UT_RGB, rgb[0], rgb[1], rgb[2]);
}

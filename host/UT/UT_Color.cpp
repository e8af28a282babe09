#include "host/UT/UT_Color.h"

#include <algorithm>
#include <cmath>

namespace
{
float
wrapHue(float h)
{
    if (!std::isfinite(h))
        return 0.0f;
    h = std::fmod(h, 360.0f);
    return h < 0.0f ? h + 360.0f : h;
}

void
hsvToRgb(float h, float s, float v, float rgb[3])
{
    h = wrapHue(h) / 60.0f;
    int sector = int(h) % 6;
    float f = h - std::floor(h);
    float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    const float table[6][3] = {{v, t, p}, {q, v, p}, {p, v, t},
                               {p, q, v}, {t, p, v}, {v, p, q}};
    for (int i = 0; i < 3; ++i)
        rgb[i] = table[sector][i];
}

void
rgbToHsv(const float rgb[3], float hsv[3])
{
    float mx = std::max(rgb[0], std::max(rgb[1], rgb[2]));
    float mn = std::min(rgb[0], std::min(rgb[1], rgb[2]));
    float d = mx - mn;
    float h = 0.0f;
    if (d > 0.0f)
    {
        if (mx == rgb[0])
            h = 60.0f * std::fmod((rgb[1] - rgb[2]) / d, 6.0f);
        else if (mx == rgb[1])
            h = 60.0f * ((rgb[2] - rgb[0]) / d + 2.0f);
        else
            h = 60.0f * ((rgb[0] - rgb[1]) / d + 4.0f);
    }
    hsv[0] = wrapHue(h);
    hsv[1] = mx > 0.0f ? d / mx : 0.0f;
    hsv[2] = mx;
}

void
hslToRgb(float h, float s, float l, float rgb[3])
{
    // Via HSV: v = l + s * min(l, 1 - l), s_v = 2 (1 - l / v).
    float v = l + s * std::min(l, 1.0f - l);
    float sv = v > 0.0f ? 2.0f * (1.0f - l / v) : 0.0f;
    hsvToRgb(h, sv, v, rgb);
}

void
rgbToHsl(const float rgb[3], float hsl[3])
{
    float hsv[3];
    rgbToHsv(rgb, hsv);
    float l = hsv[2] * (1.0f - hsv[1] * 0.5f);
    float m = std::min(l, 1.0f - l);
    hsl[0] = hsv[0];
    hsl[1] = m > 0.0f ? (hsv[2] - l) / m : 0.0f;
    hsl[2] = l;
}

void
toRgb(UT_ColorType type, const float in[3], float rgb[3])
{
    switch (type)
    {
    case UT_HSV: hsvToRgb(in[0], in[1], in[2], rgb); break;
    case UT_HSL: hslToRgb(in[0], in[1], in[2], rgb); break;
    default: std::copy(in, in + 3, rgb); break;
    }
}

void
fromRgb(UT_ColorType type, const float rgb[3], float out[3])
{
    switch (type)
    {
    case UT_HSV: rgbToHsv(rgb, out); break;
    case UT_HSL: rgbToHsl(rgb, out); break;
    default: std::copy(rgb, rgb + 3, out); break;
    }
}
} // namespace

UT_Color::UT_Color(UT_ColorType type, float a, float b, float c)
    : myType(type == UT_NONE ? UT_RGB : type), myV{a, b, c}
{
}

void
UT_Color::setType(UT_ColorType type)
{
    if (type == UT_NONE || type == myType)
        return;
    float rgb[3];
    toRgb(myType, myV, rgb);
    fromRgb(type, rgb, myV);
    myType = type;
}

void
UT_Color::getRGB(float *r, float *g, float *b) const
{
    float rgb[3];
    toRgb(myType, myV, rgb);
    if (r) *r = rgb[0];
    if (g) *g = rgb[1];
    if (b) *b = rgb[2];
}

void
UT_Color::setRGB(float r, float g, float b)
{
    myType = UT_RGB;
    setValue(r, g, b);
}

float UT_Color::red() const { float r; getRGB(&r, nullptr, nullptr); return r; }
float UT_Color::green() const { float g; getRGB(nullptr, &g, nullptr); return g; }
float UT_Color::blue() const { float b; getRGB(nullptr, nullptr, &b); return b; }

void
UT_Color::ghost(float amount)
{
    static const UT_Color theGhostGrey(UT_RGB, 0.6f, 0.6f, 0.6f);
    ghost(amount, theGhostGrey);
}

void
UT_Color::ghost(float amount, const UT_Color &target)
{
    if (!(amount > 0.0f))
        return;
    amount = std::min(amount, 1.0f);
    float rgb[3], to[3];
    getRGB(&rgb[0], &rgb[1], &rgb[2]);
    target.getRGB(&to[0], &to[1], &to[2]);
    for (int i = 0; i < 3; ++i)
        rgb[i] += (to[i] - rgb[i]) * amount;
    // Keep the colour's own model.
    fromRgb(myType, rgb, myV);
}

const UT_Color &
UT_Color::getConstantColor(int index)
{
    static const UT_Color theColors[8] = {
        UT_Color(UT_RGB, 0, 0, 0), UT_Color(UT_RGB, 1, 0, 0),
        UT_Color(UT_RGB, 0, 1, 0), UT_Color(UT_RGB, 1, 1, 0),
        UT_Color(UT_RGB, 0, 0, 1), UT_Color(UT_RGB, 1, 0, 1),
        UT_Color(UT_RGB, 0, 1, 1), UT_Color(UT_RGB, 1, 1, 1),
    };
    return theColors[index & 7];
}

bool
UT_Color::isEqualRGB(const UT_Color &c, float tol) const
{
    float a[3], b[3];
    getRGB(&a[0], &a[1], &a[2]);
    c.getRGB(&b[0], &b[1], &b[2]);
    for (int i = 0; i < 3; ++i)
        if (!(std::fabs(a[i] - b[i]) <= tol))
            return false;
    return true;
}

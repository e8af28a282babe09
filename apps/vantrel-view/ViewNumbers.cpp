#include "apps/vantrel-view/ViewNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

bool
parseFiniteFloat(const std::string &text, float &value)
{
    const char *first = text.data();
    const char *last = first + text.size();
    if (last - first > 1 && *first == '+' && first[1] != '-')
        ++first;
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(first, last, v);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v) ||
        std::fabs(v) > double(std::numeric_limits<float>::max()))
        return false;
    value = float(v);
    return true;
}

bool
parseFloatList(const std::string &text, float *values, int count)
{
    size_t start = 0;
    for (int i = 0; i < count; ++i)
    {
        const size_t comma = text.find(',', start);
        const bool last = i == count - 1;
        // The last value runs to the end; the others stop at a comma.
        if (last != (comma == std::string::npos))
            return false;
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        if (!parseFiniteFloat(part, values[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

namespace
{
bool
parseSide(const std::string &text, int max_side, int &side)
{
    int v = 0;
    const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < 1 || v > max_side)
        return false;
    side = v;
    return true;
}
} // namespace

bool
parseSizePair(const std::string &text, int max_side, int &width, int &height)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    int w = 0, h = 0;
    if (!parseSide(text.substr(0, x), max_side, w) || !parseSide(text.substr(x + 1), max_side, h))
        return false;
    width = w;
    height = h;
    return true;
}

CLI::Validator
finiteFloatCheck()
{
    return CLI::Validator(
        [](std::string &text) {
            float ignored;
            return parseFiniteFloat(text, ignored) ? std::string()
                                                   : "\"" + text + "\" is not a finite number";
        },
        "FLOAT", "finite number");
}

CLI::Validator
unitFloatCheck()
{
    return CLI::Validator(
        [](std::string &text) {
            float value = 0.0f;
            return parseFiniteFloat(text, value) && value >= 0.0f && value <= 1.0f
                       ? std::string()
                       : "\"" + text + "\" is not a number from 0 to 1";
        },
        "FLOAT in [0 - 1]", "number from 0 to 1");
}

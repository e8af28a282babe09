#pragma once

#include <cmath>

inline float SYSceil(float v) { return std::ceil(v); }
inline double SYSceil(double v) { return std::ceil(v); }
inline float SYSfloor(float v) { return std::floor(v); }
inline double SYSfloor(double v) { return std::floor(v); }

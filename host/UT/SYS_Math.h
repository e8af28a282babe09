#pragma once

#include <cmath>

inline float SYSceil(float v) { return std::ceil(v); }
inline double SYSceil(double v) { return std::ceil(v); }
inline float SYSfloor(float v) { return std::floor(v); }
inline double SYSfloor(double v) { return std::floor(v); }

template <typename T>
inline T SYSclamp(T v, T lo, T hi) { return v < lo ? lo : (v > hi ? hi : v); }

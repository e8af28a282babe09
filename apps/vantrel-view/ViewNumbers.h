#pragma once

// Strict number reading for the demo's flags: whole words only, in the
// classic form whatever the locale, finite and within the type's range.

#include <CLI/CLI.hpp>

#include <string>

// A finite float ("nan", "inf", hexadecimal and values beyond a float's
// range are refused).
bool parseFiniteFloat(const std::string &text, float &value);
// count finite floats separated by commas, e.g. "0.5,1,0".
bool parseFloatList(const std::string &text, float *values, int count);
// "WxH" with both sides from 1 to max_side.
bool parseSizePair(const std::string &text, int max_side, int &width, int &height);

// A flag validator refusing what parseFiniteFloat refuses.
CLI::Validator finiteFloatCheck();
// A flag validator for numbers from 0 to 1 (NaN is refused, which a plain
// range check lets through).
CLI::Validator unitFloatCheck();

#pragma once

// Settings read from the process environment by name. Each name is read
// once and remembered, so later changes to the environment are not seen
// until refresh() (which tests use after setenv).
class UT_EnvControl
{
public:
    // The value parsed as an integer; defval when unset or not a number.
    static int getInt(const char *name, int defval = 0);
    // The value parsed as a float; defval when unset or not a number.
    static float getFloat(const char *name, float defval = 0.0f);
    // The same read from the environment now, past the remembered value,
    // for settings that may change while the program runs.
    static float readFloat(const char *name, float defval = 0.0f);
    // The value, or defval when unset. The pointer stays valid until the
    // next refresh().
    static const char *getString(const char *name, const char *defval = nullptr);
    static bool isSet(const char *name);

    // Forgets every remembered value.
    static void refresh();
};

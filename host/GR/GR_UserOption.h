#ifndef GR_USEROPTION_H
#define GR_USEROPTION_H

#include "host/UT/SYS_Visibility.h"

#include <string>

// A named on/off drawing option that the application defines at run time
// (an extra decoration drawn over geometry, for instance). Options live in a
// process-wide registry; each GR_DisplayOption keeps, per registry index,
// whether the option is on and which version of it the record last saw.
// The version goes up whenever the option's own parameters change, so a
// draw cache built with an older version can tell it is out of date.
class VANTREL_API GR_UserOption
{
public:
    const char *getName() const { return myName.c_str(); }
    int getVersion() const { return myVersion; }
    void bumpVersion() { myVersion++; }

    // Registers an option and returns its index; a name already registered
    // returns the existing index. Null or empty names are refused with -1.
    static int define(const char *name);
    // Index of the option with this name, or -1.
    static int find(const char *name);
    // The option at this index, or null when the index is out of range.
    static GR_UserOption *get(int index);
    static int getNumOptions();
    // Removes the option; later options move down by one index. Records
    // must be told through GR_DisplayOption::removeUserOption(index).
    static bool remove(int index);

private:
    explicit GR_UserOption(const char *name) : myName(name), myVersion(1) {}

    std::string myName;
    int myVersion;
};

#endif

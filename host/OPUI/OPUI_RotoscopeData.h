#ifndef OPUI_ROTOSCOPEDATA_H
#define OPUI_ROTOSCOPEDATA_H

#include "host/UT/SYS_Visibility.h"

#include <iosfwd>
#include <string>

class UT_IStream;

// The background image a viewport shows behind its objects: which file,
// at what fraction of its full resolution it is wanted, and how bright.
class VANTREL_API OPUI_RotoscopeData
{
public:
    OPUI_RotoscopeData();
    OPUI_RotoscopeData(const OPUI_RotoscopeData &src) = default;
    OPUI_RotoscopeData &operator=(const OPUI_RotoscopeData &src) = default;
    ~OPUI_RotoscopeData() = default;

    const char *getFileName() const { return myFileName.c_str(); }
    void setFileName(const char *name) { myFileName = name ? name : ""; }
    bool hasImage() const { return !myFileName.empty(); }

    // Kept within (0, 1]; anything else is refused.
    float getResolutionFraction() const { return myResolutionFraction; }
    bool setResolutionFraction(float fraction);

    // Multiplies the image's colour; kept within [0, 1].
    float getBrightness() const { return myBrightness; }
    void setBrightness(float brightness);

    bool operator==(const OPUI_RotoscopeData &other) const;
    bool operator!=(const OPUI_RotoscopeData &other) const { return !(*this == other); }

    // "{", one "keyword ( value )" line per setting, "}", braces at the
    // indent level. The file name is written as one quoted token in which
    // blanks, parentheses, quotes, '%' and control bytes are %XX escapes.
    void save(std::ostream &os, int indent) const;
    // Unknown keywords are skipped; false on a malformed entry or when the
    // input ends before the closing brace.
    bool load(UT_IStream &is);

private:
    std::string myFileName;
    float myResolutionFraction;
    float myBrightness;
};

#endif

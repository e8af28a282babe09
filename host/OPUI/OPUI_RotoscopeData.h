#ifndef OPUI_ROTOSCOPEDATA_H
#define OPUI_ROTOSCOPEDATA_H

#include "host/UT/SYS_Visibility.h"

#include <iosfwd>
#include <memory>
#include <string>

class TIL_Raster;
class TIL_TextureMap;
class UT_IStream;
struct OPUI_RotoscopeImages;

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

    // The image, read from its file on first use and again after the file
    // name changes. A relative name is searched along VANTREL_PATH, an
    // absolute one is taken as it is. fraction asks for the image at that
    // fraction of its full resolution (1 or more gives the full image) and
    // receives the fraction delivered: a reduced image's width over the full
    // width. aspect, when given, receives the full image's width over its
    // height. Reading is synchronous, so wait changes nothing. Null when
    // there is no file name or the file cannot be read; the reason goes to
    // the error list once per file name, not once per request.
    TIL_TextureMap *getTexture(float &fraction, bool wait, float *aspect);
    TIL_Raster *getRaster(float &fraction, bool wait, float *aspect);
    // The full resolution of the image; 0, 0 without one.
    void getRes(int &x, int &y);
    // Makes the next request read the file again.
    void reload();
    // The file the image was read from; "" before a successful read.
    const char *getLoadedPath() const;

    // Compares the settings; the images read are not compared.
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
    // The images of the current file name, read when first needed.
    OPUI_RotoscopeImages *images();
    TIL_Raster *deliver(float &fraction, bool for_raster, float *aspect);

    std::string myFileName;
    // Shared between copies while they show the same file; a copy whose
    // file name changes takes a fresh set of its own.
    std::shared_ptr<OPUI_RotoscopeImages> myImages;
    float myResolutionFraction;
    float myBrightness;
};

#endif

#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One glyph as a 1-bit bitmap, rows bottom to top, each row padded to whole
// bytes, most significant bit first: the layout glBitmap takes with an
// unpack alignment of 1.
struct VANTREL_API RE_FontGlyph
{
    int width = 0;
    int height = 0;
    float xorig = 0.0f;   // from the pen position to the bitmap's left edge, negated
    float yorig = 0.0f;   // from the baseline to the bitmap's bottom row, negated
    float advance = 0.0f; // pen movement after the glyph, in pixels
    std::vector<uint8_t> bits;
};

// A bitmap font rasterised from a TrueType file at one pixel size. Glyphs
// are made on first use and kept. A font whose file cannot be read is
// invalid and draws nothing.
class VANTREL_API RE_Font
{
public:
    RE_Font(const char *fontFile, int pixelSize);
    ~RE_Font();
    RE_Font(const RE_Font &) = delete;
    RE_Font &operator=(const RE_Font &) = delete;

    bool isValid() const { return myFace != nullptr; }
    const std::string &getFile() const { return myFile; }
    int getPixelSize() const { return myPixelSize; }

    // Distance above and below the baseline, and between lines, in pixels.
    int getAscent() const { return myAscent; }
    int getDescent() const { return myDescent; }
    int getLineHeight() const { return myLineHeight; }

    // The glyph of a character code, or null when the font has none that
    // can be drawn (invalid font, or a code the face cannot render).
    const RE_FontGlyph *getGlyph(unsigned code);

    // Width of a string in pixels (the sum of its advances).
    int getStringWidth(const char *text);

    // The font the viewports label things with, at 12 pixels: the file
    // fontconfig matches for DejaVu Sans Mono, or Debian's DejaVu file when
    // fontconfig has none. Without either, one warning goes to the error
    // list and the font is invalid: text is skipped.
    static RE_Font &getViewportFont();
    static std::string findViewportFontFile();
    // matched when it is a readable file, else fallback when it is one,
    // else empty.
    static std::string chooseFontFile(const std::string &matched, const char *fallback);

    static const char *const theViewportFontName;
    static const char *const theFallbackFontFile;

private:
    // Returned as a prvalue: the caller's object is built in place.
    static RE_Font openViewportFont();

    std::string myFile;
    int myPixelSize;
    int myAscent = 0;
    int myDescent = 0;
    int myLineHeight = 0;
    void *myFace = nullptr; // FT_Face, kept opaque so callers need no FreeType
    std::map<unsigned, RE_FontGlyph> myGlyphs;
    std::map<unsigned, bool> myMissing;
};

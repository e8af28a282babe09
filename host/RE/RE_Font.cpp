#include "host/RE/RE_Font.h"

#include "host/UT/UT_ErrorManager.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

namespace
{
// One FreeType library for the process, made on first use, released at exit
// after every font (fonts made before it are destroyed after it is).
struct FontLibrary
{
    FT_Library lib = nullptr;
    int users = 0;
    bool failed = false;
};

FontLibrary &
fontLibrary()
{
    static FontLibrary theLibrary;
    return theLibrary;
}

FT_Library
acquireLibrary()
{
    FontLibrary &fl = fontLibrary();
    if (!fl.lib && !fl.failed && FT_Init_FreeType(&fl.lib) != 0)
    {
        fl.lib = nullptr;
        fl.failed = true;
    }
    if (fl.lib)
        ++fl.users;
    return fl.lib;
}

void
releaseLibrary()
{
    FontLibrary &fl = fontLibrary();
    if (fl.users > 0 && --fl.users == 0)
    {
        FT_Done_FreeType(fl.lib);
        fl.lib = nullptr;
    }
}

bool
isReadableFile(const std::string &path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file fontconfig picks for a font name; empty when it has none.
std::string
matchFontFile(const char *name)
{
    std::string file;
    FcConfig *config = FcInitLoadConfigAndFonts();
    if (!config)
        return file;
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(name));
    if (pattern)
    {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern *match = FcFontMatch(config, pattern, &result);
        FcChar8 *path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char *>(path);
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return file;
}

int
ceilPixels(FT_Pos v)
{
    return static_cast<int>((v + 63) >> 6);
}
}

RE_Font::RE_Font(const char *fontFile, int pixelSize)
    : myFile(fontFile ? fontFile : ""),
      myPixelSize(pixelSize < 1 ? 1 : (pixelSize > 256 ? 256 : pixelSize))
{
    FT_Library lib = acquireLibrary();
    if (!lib)
        return;
    FT_Face face = nullptr;
    if (myFile.empty() || FT_New_Face(lib, myFile.c_str(), 0, &face) != 0)
    {
        releaseLibrary();
        return;
    }
    if (FT_Set_Pixel_Sizes(face, 0, myPixelSize) != 0)
    {
        FT_Done_Face(face);
        releaseLibrary();
        return;
    }
    myFace = face;
    const FT_Size_Metrics &m = face->size->metrics;
    myAscent = ceilPixels(m.ascender);
    myDescent = ceilPixels(-m.descender);
    myLineHeight = ceilPixels(m.height);
}

RE_Font::~RE_Font()
{
    if (myFace)
    {
        FT_Done_Face(static_cast<FT_Face>(myFace));
        releaseLibrary();
    }
}

const RE_FontGlyph *
RE_Font::getGlyph(unsigned code)
{
    if (!myFace)
        return nullptr;
    auto found = myGlyphs.find(code);
    if (found != myGlyphs.end())
        return &found->second;
    if (myMissing.count(code))
        return nullptr;

    FT_Face face = static_cast<FT_Face>(myFace);
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
        face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
    {
        myMissing[code] = true;
        return nullptr;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap &bm = slot->bitmap;
    RE_FontGlyph g;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.xorig = static_cast<float>(-slot->bitmap_left);
    g.yorig = static_cast<float>(g.height - slot->bitmap_top);
    g.advance = static_cast<float>(slot->advance.x) / 64.0f;

    // FreeType's rows run top to bottom with a pitch that may be padded or
    // negative; glBitmap wants them bottom to top and tightly packed.
    const int rowBytes = (g.width + 7) / 8;
    g.bits.assign(static_cast<size_t>(rowBytes) * g.height, 0);
    for (int row = 0; row < g.height; ++row)
    {
        const unsigned char *src = bm.pitch >= 0
            ? bm.buffer + static_cast<long>(row) * bm.pitch
            : bm.buffer + static_cast<long>(g.height - 1 - row) * (-bm.pitch);
        uint8_t *dst = &g.bits[static_cast<size_t>(g.height - 1 - row) * rowBytes];
        for (int b = 0; b < rowBytes; ++b)
            dst[b] = src[b];
    }
    return &(myGlyphs[code] = std::move(g));
}

int
RE_Font::getStringWidth(const char *text)
{
    if (!text)
        return 0;
    float width = 0.0f;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
        if (const RE_FontGlyph *g = getGlyph(*p))
            width += g->advance;
    return static_cast<int>(width + 0.5f);
}

const char *const RE_Font::theViewportFontName = "DejaVu Sans Mono:style=Book";
const char *const RE_Font::theFallbackFontFile =
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

std::string
RE_Font::chooseFontFile(const std::string &matched, const char *fallback)
{
    if (isReadableFile(matched))
        return matched;
    if (fallback && isReadableFile(fallback))
        return fallback;
    return std::string();
}

std::string
RE_Font::findViewportFontFile()
{
    return chooseFontFile(matchFontFile(theViewportFontName), theFallbackFontFile);
}

RE_Font &
RE_Font::getViewportFont()
{
    static RE_Font theFont(openViewportFont());
    return theFont;
}

RE_Font
RE_Font::openViewportFont()
{
    const std::string file = findViewportFontFile();
    if (file.empty())
        UTaddWarning("RE", 1, theFallbackFontFile);
    return RE_Font(file.c_str(), 12);
}

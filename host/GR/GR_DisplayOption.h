#ifndef GR_DISPLAYOPTION_H
#define GR_DISPLAYOPTION_H

#include "host/UT/SYS_Visibility.h"

#include "host/GR/GR_ShadingMode.h"

#include <iosfwd>
#include <vector>

class GR_CommonDispOption;
class GR_UserOption;
class UT_IStream;

// Bits of a GR_DisplayOption's 32-bit flag word.
enum GR_DisplayFlag : unsigned
{
    GR_FLAG_POINT_MARKERS = 1u << 0,
    GR_FLAG_POINT_NUMBERS = 1u << 1,
    GR_FLAG_POINT_NORMALS = 1u << 2,
    GR_FLAG_POINT_UVS = 1u << 3,
    GR_FLAG_VERTEX_MARKERS = 1u << 4,
    GR_FLAG_VERTEX_NUMBERS = 1u << 5,
    GR_FLAG_PRIM_NUMBERS = 1u << 6,
    GR_FLAG_PRIM_NORMALS = 1u << 7,
    GR_FLAG_PROFILES = 1u << 8,
    GR_FLAG_HULLS = 1u << 9,
    GR_FLAG_PRIM_MARKERS = 1u << 10,
    GR_FLAG_EDGE_MARKERS = 1u << 11,
    GR_FLAG_USE_MATERIALS = 1u << 12,
    GR_FLAG_VERTEX_UVS = 1u << 13,
    GR_FLAG_GHOST = 1u << 14,
    GR_FLAG_BREAKPOINTS = 1u << 15,
    GR_FLAG_PARTICLES_AS_POINTS = 1u << 16,
    GR_FLAG_HIGHLIGHT = 1u << 17,
    GR_FLAG_BOUNDING_BOX = 1u << 18,
    GR_FLAG_SHADERS = 1u << 19,
    GR_FLAG_FILL_SELECTIONS = 1u << 20,
    // Marks the records that draw selected geometry.
    GR_FLAG_SELECTED_KIND = 1u << 21,
    // Two-bit draw category field, see GR_DrawCategory.
    GR_FLAG_DRAW_CATEGORY = 3u << 22,
    GR_FLAG_FILL_BACK_FACES = 1u << 24
};

enum GR_DrawCategory
{
    GR_DRAW_NOTHING = 0,
    GR_DRAW_WIRE = 1,
    GR_DRAW_SHADED = 2
};

// The drawing options of one kind of object (selected, template, ...).
// Every record points at a common record shared with the other kinds (or
// at none) and owns its flag word, shading mode and user option states.
// Records are never copied as a whole: copyNonCommon and copyUserOptions
// move their content so that pointers to a record stay valid.
class VANTREL_API GR_DisplayOption
{
public:
    explicit GR_DisplayOption(GR_CommonDispOption *common);
    ~GR_DisplayOption();

    GR_DisplayOption(const GR_DisplayOption &) = delete;
    GR_DisplayOption &operator=(const GR_DisplayOption &) = delete;

    GR_CommonDispOption *common() const { return myCommon; }

    unsigned getFlags() const { return myFlags; }
    void setFlags(unsigned flags) { myFlags = flags; }
    bool getFlag(unsigned mask) const { return (myFlags & mask) != 0; }
    void setFlag(unsigned mask, bool on)
    {
        myFlags = on ? (myFlags | mask) : (myFlags & ~mask);
    }

    GR_DrawCategory drawCategory() const
    {
        return GR_DrawCategory((myFlags & GR_FLAG_DRAW_CATEGORY) >> 22);
    }
    void drawCategory(GR_DrawCategory category)
    {
        myFlags = (myFlags & ~unsigned(GR_FLAG_DRAW_CATEGORY)) |
                  ((unsigned(category) << 22) & GR_FLAG_DRAW_CATEGORY);
    }
    bool isShaded() const { return drawCategory() == GR_DRAW_SHADED; }

    bool ghosted() const { return getFlag(GR_FLAG_GHOST); }
    void ghosted(bool on) { setFlag(GR_FLAG_GHOST, on); }
    bool highlighted() const { return getFlag(GR_FLAG_HIGHLIGHT); }
    void highlighted(bool on) { setFlag(GR_FLAG_HIGHLIGHT, on); }
    bool boundingBox() const { return getFlag(GR_FLAG_BOUNDING_BOX); }
    bool useShaders() const { return getFlag(GR_FLAG_SHADERS); }
    void useShaders(bool on) { setFlag(GR_FLAG_SHADERS, on); }

    GR_ShadingMode shadingMode() const { return myShadingMode; }
    // Also sets the draw category and the bounding-box flag that the mode
    // implies, so drawers that read only the flag word agree with the mode.
    // Values outside GR_ShadingMode are ignored.
    void shadingMode(GR_ShadingMode mode);

    // Everything but the common record and the user options.
    void copyNonCommon(const GR_DisplayOption &src);

    // User options, indexed like the GR_UserOption registry.
    int getNumUserOptions() const;
    // The option at this index when this record has it on, else null.
    const GR_UserOption *getUserOption(int index) const;
    bool isUserOptionEnabled(int index) const;
    // False when no option of that name is registered.
    bool enableUserOption(const char *name, bool on);
    void disableAllUserOptions();
    // Drops the state kept for an option removed from the registry.
    void removeUserOption(int index);
    // Takes over the on/off states of src (not the versions).
    void matchUserOptionStates(const GR_DisplayOption &src);
    bool userOptionStatesEqual(const GR_DisplayOption &other) const;
    // Records the registry's current version of every option.
    void refreshUserOptionVersions();
    void copyUserOptions(const GR_DisplayOption &src);

    // True when geometry drawn with either record looks the same: flag
    // word, shading mode and, unless ignore_user_options, the user options
    // that are on together with the versions seen.
    bool gdpOptionsEqual(const GR_DisplayOption &other,
                         bool ignore_user_options) const;

    // Writes "{", one "keyword ( value )" line per setting, "}"; braces at
    // the indent level (four blanks a level), entries one level deeper.
    bool save(std::ostream &os, int indent) const;
    // Reads what save wrote; entries may come in any order or be missing,
    // unknown keywords are skipped with their parenthesised values. False on
    // a malformed entry or when the input ends before the closing brace.
    bool load(UT_IStream &is);

private:
    struct UserOptionState
    {
        bool enabled = false;
        int version = 0;
    };

    GR_CommonDispOption *myCommon;
    unsigned myFlags;
    GR_ShadingMode myShadingMode;
    std::vector<UserOptionState> myUserOptions;
};

#endif

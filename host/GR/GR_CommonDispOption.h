#ifndef GR_COMMONDISPOPTION_H
#define GR_COMMONDISPOPTION_H

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Color.h"

#include <iosfwd>

class UT_IStream;

// The colours a common record holds. The background comes first; the
// selection-axes and guide colours come last.
enum GR_CommonColor
{
    GR_COLOR_BACKGROUND = 0,
    GR_COLOR_WIRE,            // the colour wire drawing uses right now
    GR_COLOR_DEFAULT_WIRE,
    GR_COLOR_TEMPLATE_WIRE,
    GR_COLOR_SELECTED_WIRE,
    GR_COLOR_CURRENT_OBJECT,
    GR_COLOR_SELECTION_HINT,
    GR_COLOR_GHOST_SHADING,
    GR_COLOR_TARGET_WIRE,
    GR_COLOR_ORIGIN,
    GR_COLOR_X_AXIS,
    GR_COLOR_Y_AXIS,
    GR_COLOR_Z_AXIS,
    GR_COLOR_GRID,
    GR_COLOR_POINT,
    GR_COLOR_POINT_NUMBER,
    GR_COLOR_VERTEX_NUMBER,
    GR_COLOR_PRIM_NUMBER,
    GR_COLOR_NORMAL,
    GR_COLOR_UV,
    GR_COLOR_HULL,
    GR_COLOR_OBJECT_NAME,
    GR_COLOR_SELECTION_AXES,
    GR_COLOR_GUIDE1,
    GR_COLOR_GUIDE2,
    GR_COLOR_BACKFACE,        // uv polygons whose winding is reversed

    GR_NUM_COMMON_COLORS
};

// Bits of the option word: settings shared by every kind of object.
enum GR_CommonOptionFlag : unsigned
{
    // Never cache geometry whose second blocking counter is non-zero.
    GR_COMMON_BLOCK_CACHE_SECOND = 1u << 1,
    // Draw component selections even on objects that ignore selection.
    GR_COMMON_ALWAYS_SHOW_SELECTION = 1u << 2,
    // Never cache geometry whose first blocking counter is non-zero.
    GR_COMMON_BLOCK_CACHE_FIRST = 1u << 12,
    // Objects may ask for their open curves to be shaded.
    GR_COMMON_SHADE_OPEN_CURVES = 1u << 20,
    // The object being drawn shows as a subdivision surface.
    GR_COMMON_DISPLAY_AS_SUBDIV = 1u << 21
};

// Bits of the draw-state word: transient state of the object being drawn.
// It is neither saved nor compared.
enum GR_CommonDrawState : unsigned
{
    GR_DRAWSTATE_SECOND_PASS = 1u << 1,
    GR_DRAWSTATE_HIGHLIGHT_WIRE = 1u << 6,
    GR_DRAWSTATE_SHADE_OPEN_CURVES = 1u << 7
};

// Drawing options shared by all kinds of object: colours, level of detail,
// the selection list to draw, option and draw-state words, the primitive
// mask, wire width and polygon offsets.
class VANTREL_API GR_CommonDispOption
{
public:
    GR_CommonDispOption();
    GR_CommonDispOption(const GR_CommonDispOption &src) = default;
    GR_CommonDispOption &operator=(const GR_CommonDispOption &src) = default;
    ~GR_CommonDispOption() = default;

    // Out-of-range ids are clamped so a bad id never reads past the table.
    UT_Color &color(GR_CommonColor id);
    const UT_Color &color(GR_CommonColor id) const;
    // The keyword the colour is saved under, or null for a bad id.
    static const char *colorKeyword(GR_CommonColor id);

    UT_Color &backgroundColor() { return color(GR_COLOR_BACKGROUND); }
    UT_Color &wireColor() { return color(GR_COLOR_WIRE); }
    UT_Color &defaultWireColor() { return color(GR_COLOR_DEFAULT_WIRE); }
    UT_Color &templateWireColor() { return color(GR_COLOR_TEMPLATE_WIRE); }
    UT_Color &selectedWireColor() { return color(GR_COLOR_SELECTED_WIRE); }
    UT_Color &currentObjectColor() { return color(GR_COLOR_CURRENT_OBJECT); }
    UT_Color &selectionHintColor() { return color(GR_COLOR_SELECTION_HINT); }
    UT_Color &ghostShadingColor() { return color(GR_COLOR_GHOST_SHADING); }
    UT_Color &targetWireColor() { return color(GR_COLOR_TARGET_WIRE); }
    UT_Color &originColor() { return color(GR_COLOR_ORIGIN); }
    UT_Color &xAxisColor() { return color(GR_COLOR_X_AXIS); }
    UT_Color &yAxisColor() { return color(GR_COLOR_Y_AXIS); }
    UT_Color &zAxisColor() { return color(GR_COLOR_Z_AXIS); }
    UT_Color &gridColor() { return color(GR_COLOR_GRID); }
    UT_Color &selAxesColor() { return color(GR_COLOR_SELECTION_AXES); }
    UT_Color &guide1Color() { return color(GR_COLOR_GUIDE1); }
    UT_Color &guide2Color() { return color(GR_COLOR_GUIDE2); }
    UT_Color &backfaceColor() { return color(GR_COLOR_BACKFACE); }
    const UT_Color &backgroundColor() const { return color(GR_COLOR_BACKGROUND); }
    const UT_Color &wireColor() const { return color(GR_COLOR_WIRE); }
    const UT_Color &defaultWireColor() const { return color(GR_COLOR_DEFAULT_WIRE); }
    const UT_Color &templateWireColor() const { return color(GR_COLOR_TEMPLATE_WIRE); }
    const UT_Color &selectedWireColor() const { return color(GR_COLOR_SELECTED_WIRE); }
    const UT_Color &currentObjectColor() const { return color(GR_COLOR_CURRENT_OBJECT); }
    const UT_Color &selectionHintColor() const { return color(GR_COLOR_SELECTION_HINT); }
    const UT_Color &ghostShadingColor() const { return color(GR_COLOR_GHOST_SHADING); }
    const UT_Color &targetWireColor() const { return color(GR_COLOR_TARGET_WIRE); }
    const UT_Color &originColor() const { return color(GR_COLOR_ORIGIN); }
    const UT_Color &xAxisColor() const { return color(GR_COLOR_X_AXIS); }
    const UT_Color &yAxisColor() const { return color(GR_COLOR_Y_AXIS); }
    const UT_Color &zAxisColor() const { return color(GR_COLOR_Z_AXIS); }
    const UT_Color &gridColor() const { return color(GR_COLOR_GRID); }
    const UT_Color &selAxesColor() const { return color(GR_COLOR_SELECTION_AXES); }
    const UT_Color &guide1Color() const { return color(GR_COLOR_GUIDE1); }
    const UT_Color &guide2Color() const { return color(GR_COLOR_GUIDE2); }
    const UT_Color &backfaceColor() const { return color(GR_COLOR_BACKFACE); }

    float getLOD() const { return myLOD; }
    void setLOD(float lod) { myLOD = lod; }

    // Which numbered selection list of the geometry to draw; -1 for none.
    int getSelectionInstance() const { return mySelectionInstance; }
    void setSelectionInstance(int instance) { mySelectionInstance = instance; }

    unsigned getOptionWord() const { return myOptionWord; }
    void setOptionWord(unsigned word) { myOptionWord = word; }
    bool getOption(unsigned mask) const { return (myOptionWord & mask) != 0; }
    void setOption(unsigned mask, bool on)
    {
        myOptionWord = on ? (myOptionWord | mask) : (myOptionWord & ~mask);
    }

    unsigned getDrawState() const { return myDrawState; }
    void setDrawState(unsigned word) { myDrawState = word; }
    bool getDrawStateBit(unsigned mask) const { return (myDrawState & mask) != 0; }
    void setDrawStateBit(unsigned mask, bool on)
    {
        myDrawState = on ? (myDrawState | mask) : (myDrawState & ~mask);
    }

    // One bit per primitive type that is drawn.
    unsigned getPrimitiveMask() const { return myPrimitiveMask; }
    void setPrimitiveMask(unsigned mask) { myPrimitiveMask = mask; }

    float getWireWidth() const { return myWireWidth; }
    void setWireWidth(float width) { myWireWidth = width; }

    // Polygon offset factor (0) and units (1) of the depth pass, and what
    // highlighted objects add to each.
    float getOffsetAmount(int which) const { return myOffset[which & 1]; }
    void setOffsetAmount(int which, float amount) { myOffset[which & 1] = amount; }
    float getHighlightOffset(int which) const { return myHighlightOffset[which & 1]; }
    void setHighlightOffset(int which, float amount)
    {
        myHighlightOffset[which & 1] = amount;
    }

    // True when geometry drawn with either record looks the same. The
    // option word and primitive mask always count; colours count unless
    // relaxed (picking draws no colour); level of detail, wire width and
    // polygon offsets count only for 3D drawing. The selection instance and
    // the draw-state word are per-object and never count.
    bool gdpOptionsEqual(const GR_CommonDispOption &other, bool compare_3d,
                         bool relaxed) const;

    // Same text conventions as GR_DisplayOption::save and load. The
    // selection instance and the draw-state word are not saved.
    bool save(std::ostream &os, int indent) const;
    bool load(UT_IStream &is);

private:
    UT_Color myColors[GR_NUM_COMMON_COLORS];
    float myLOD;
    int mySelectionInstance;
    unsigned myOptionWord;
    unsigned myDrawState;
    unsigned myPrimitiveMask;
    float myWireWidth;
    float myOffset[2];
    float myHighlightOffset[2];
};

#endif

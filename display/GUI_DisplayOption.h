#ifndef GUI_DISPLAYOPTION_H
#define GUI_DISPLAYOPTION_H

#include "host/UT/SYS_Visibility.h"

#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/OPUI/OPUI_RotoscopeData.h"

#include <cstdint>
#include <iosfwd>

class UT_IStream;

// The kinds of object a viewport tells apart; each has its own record.
enum GUI_DetailType
{
    GUI_NON_SELECTED = 0,
    GUI_SELECTED = 1,
    GUI_TEMPLATE = 2,
    GUI_CURRENT_NON_SELECTED = 3,
    GUI_CURRENT_SELECTED = 4
};

const int GUI_NUM_DETAIL_TYPES = 5;

// The display options of one viewport: a drawing record per kind of
// object on one shared common record, the viewport flags, the flags of the
// pass being drawn, the selection mask, move-mode settings and the
// background image with its placement.
class VANTREL_API GUI_DisplayOption
{
public:
    typedef bool (GUI_DisplayOption::*FlagGetter)() const;
    typedef void (GUI_DisplayOption::*FlagSetter)(bool);

    // One row per viewport flag; a row's index is its flag's bit. The
    // table ends with a row whose keyword is null.
    struct FlagKeyword
    {
        const char *keyword;
        FlagGetter get;
        FlagSetter set;
    };
    static const FlagKeyword *flagKeywords() { return theFlagKeywords; }

    static constexpr uint32_t DEFAULT_FLAGS = 0x33D4067F;
    // The bits of a record's flag word that matching copies and compares.
    static constexpr unsigned MATCHED_RECORD_FLAGS = 0x01DFFFFF;

    GUI_DisplayOption();
    GUI_DisplayOption(const GUI_DisplayOption &src);
    ~GUI_DisplayOption();

    // Copies content into this set's own records, so references to them
    // stay valid.
    GUI_DisplayOption &operator=(const GUI_DisplayOption &src);

    GR_DisplayOption &operator[](GUI_DetailType type) { return *myRecords[type]; }
    const GR_DisplayOption &operator[](GUI_DetailType type) const
    {
        return *myRecords[type];
    }
    GR_CommonDispOption &common() { return myCommon; }
    const GR_CommonDispOption &common() const { return myCommon; }
    OPUI_RotoscopeData &getRotoscopeData() { return myRotoscopeData; }
    const OPUI_RotoscopeData &getRotoscopeData() const { return myRotoscopeData; }

    void removeUserOption(int index);
    void refreshUserOptionVersions();

    // The x-ray pass draws with faded colours; restore takes them back
    // from a set that kept the user's colours.
    void ghostColorsForXrayPass(float amount);
    void restoreColorsFromXrayPass(const GUI_DisplayOption &src);

    UT_Color &targetWireColor() { return myCommon.targetWireColor(); }
    UT_Color &selAxesColor() { return myCommon.selAxesColor(); }
    UT_Color &guide1Color() { return myCommon.guide1Color(); }
    UT_Color &guide2Color() { return myCommon.guide2Color(); }
    const UT_Color &targetWireColor() const { return myCommon.targetWireColor(); }
    const UT_Color &selAxesColor() const { return myCommon.selAxesColor(); }
    const UT_Color &guide1Color() const { return myCommon.guide1Color(); }
    const UT_Color &guide2Color() const { return myCommon.guide2Color(); }

    // Viewport flags.
    uint32_t getFlagWord() const { return myFlags; }
    bool showSelected() const { return flag(0); }
    void showSelected(bool on) { flag(0, on); }
    bool showNonSelected() const { return flag(1); }
    void showNonSelected(bool on) { flag(1, on); }
    bool showTemplates() const { return flag(2); }
    void showTemplates(bool on) { flag(2, on); }
    bool showFootprints() const { return flag(3); }
    void showFootprints(bool on) { flag(3, on); }
    bool showCurrentOutput() const { return flag(4); }
    void showCurrentOutput(bool on) { flag(4, on); }
    bool showDisplay() const { return flag(5); }
    void showDisplay(bool on) { flag(5, on); }
    bool showGuides() const { return flag(6); }
    void showGuides(bool on) { flag(6, on); }
    bool showObjectNames() const { return flag(7); }
    void showObjectNames(bool on) { flag(7, on); }
    bool showFullNames() const { return flag(8); }
    void showFullNames(bool on) { flag(8, on); }
    bool drawOrigin() const { return flag(9); }
    void drawOrigin(bool on) { flag(9, on); }
    bool drawStickyOrigin() const { return flag(10); }
    void drawStickyOrigin(bool on) { flag(10, on); }
    bool drawWalls() const { return flag(11); }
    void drawWalls(bool on) { flag(11, on); }
    bool drawXYPlane() const { return flag(12); }
    void drawXYPlane(bool on) { flag(12, on); }
    bool drawXZPlane() const { return flag(13); }
    void drawXZPlane(bool on) { flag(13, on); }
    bool drawYZPlane() const { return flag(14); }
    void drawYZPlane(bool on) { flag(14, on); }
    bool drawFieldGuide() const { return flag(15); }
    void drawFieldGuide(bool on) { flag(15, on); }
    bool drawSafeArea() const { return flag(16); }
    void drawSafeArea(bool on) { flag(16, on); }
    bool drawBackgrounds() const { return flag(17); }
    void drawBackgrounds(bool on) { flag(17, on); }
    bool drawTexturedBackgrounds() const { return flag(18); }
    void drawTexturedBackgrounds(bool on) { flag(18, on); }
    bool drawFilteredBackgrounds() const { return flag(19); }
    void drawFilteredBackgrounds(bool on) { flag(19, on); }
    bool nonselOverridesSel() const { return flag(20); }
    void nonselOverridesSel(bool on) { flag(20, on); }
    bool drawVertexAttrib2D() const { return flag(21); }
    void drawVertexAttrib2D(bool on) { flag(21, on); }
    bool autoDetectAttribType2D() const { return flag(22); }
    void autoDetectAttribType2D(bool on) { flag(22, on); }
    bool drawSpecular() const { return flag(23); }
    void drawSpecular(bool on) { flag(23, on); }
    bool drawMultiTexture() const { return flag(24); }
    void drawMultiTexture(bool on) { flag(24, on); }
    bool autoPlaceImage() const { return flag(25); }
    void autoPlaceImage(bool on) { flag(25, on); }
    bool showIKCriticalZones() const { return flag(26); }
    void showIKCriticalZones(bool on) { flag(26, on); }
    bool getDrawCameraMask() const { return flag(27); }
    void setDrawCameraMask(bool on) { flag(27, on); }
    bool currentNonselOverridesSel() const { return flag(28); }
    void currentNonselOverridesSel(bool on) { flag(28, on); }
    bool applySelectMask() const { return flag(29); }
    void applySelectMask(bool on) { flag(29, on); }

    // Flags of the pass being drawn.
    uint32_t getPassFlagWord() const { return myPassFlags; }
    bool isXrayPass() const { return passFlag(0); }
    void setXrayPass(bool on) { passFlag(0, on); }
    bool isClipOutPass() const { return passFlag(1); }
    void setClipOutPass(bool on) { passFlag(1, on); }
    bool currentlyMoving() const { return passFlag(2); }
    void currentlyMoving(bool on) { passFlag(2, on); }
    bool isObjectLevel() const { return passFlag(3); }
    void isObjectLevel(bool on) { passFlag(3, on); }
    bool showTempPopGuideSelections() const { return passFlag(4); }
    void showTempPopGuideSelections(bool on) { passFlag(4, on); }

    unsigned int getSelectMask() const { return mySelectMask; }
    void setSelectMask(unsigned int mask) { mySelectMask = mask; }

    bool moveModeOn() const { return myMoveModeOn != 0; }
    void moveModeOn(bool on) { myMoveModeOn = on ? 1 : 0; }
    int moveMode() const { return myMoveMode; }
    void moveMode(int mode) { myMoveMode = mode; }
    // Milliseconds a draw may take before moving switches to the move mode.
    int moveThreshold() const { return myMoveThreshold; }
    void moveThreshold(int ms) { myMoveThreshold = ms; }

    // Background image placement; each call copies two floats (u, v).
    void getImageMinUV(float *uv) const { copyPair(uv, myImageMinUV); }
    void setImageMinUV(float *uv) { copyPair(myImageMinUV, uv); }
    void getImageMaxUV(float *uv) const { copyPair(uv, myImageMaxUV); }
    void setImageMaxUV(float *uv) { copyPair(myImageMaxUV, uv); }
    void getImageOffset(float *uv) const { copyPair(uv, myImageOffset); }
    void setImageOffset(float *uv) { copyPair(myImageOffset, uv); }
    void getImageScale(float *uv) const { copyPair(uv, myImageScale); }
    void setImageScale(float *uv) { copyPair(myImageScale, uv); }

    // The text block: "{", the records, placement and flags, "}".
    bool save(std::ostream &os) const;
    bool load(UT_IStream &is);

    // Making the selected records follow the non-selected ones. The flag
    // switch asks for the matched bits of the flag word, the user-option
    // switch for the user option states. True when anything changed.
    bool matchSelWithNonsel(bool flags, bool user_options);
    bool matchCurrentSelWithNonsel(bool flags, bool user_options);
    bool nonselEqualToSel(bool flags, bool user_options) const;
    bool currentNonselEqualToSel(bool flags, bool user_options) const;

    // What affects how geometry is drawn: the common record, the records
    // (without their identity), their user options and "drawmultitexture".
    void copyGdpOptions(const GUI_DisplayOption &src);
    // Also compares the temporary pop-up guide pass flag. The two switches
    // go to GR_CommonDispOption::gdpOptionsEqual.
    bool gdpOptionsEqual(const GUI_DisplayOption &other, bool compare_3d,
                         bool relaxed);

private:
    bool flag(int bit) const { return (myFlags >> bit) & 1u; }
    void flag(int bit, bool on)
    {
        myFlags = on ? (myFlags | (1u << bit)) : (myFlags & ~(1u << bit));
    }
    bool passFlag(int bit) const { return (myPassFlags >> bit) & 1u; }
    void passFlag(int bit, bool on)
    {
        myPassFlags = on ? (myPassFlags | (1u << bit))
                         : (myPassFlags & ~(1u << bit));
    }
    static void copyPair(float *dst, const float *src)
    {
        dst[0] = src[0];
        dst[1] = src[1];
    }

    void initRecords();
    // The common record, then each kind's record content and user options,
    // into this set's own records.
    void copyRecords(const GUI_DisplayOption &src);
    bool matchOptions(GUI_DetailType target, GUI_DetailType source,
                      bool flags, bool user_options);
    bool optionsEqual(GUI_DetailType a, GUI_DetailType b, bool flags,
                      bool user_options) const;

    static const FlagKeyword theFlagKeywords[];

    GR_DisplayOption *myRecords[GUI_NUM_DETAIL_TYPES];
    GR_CommonDispOption myCommon;
    float myImageMinUV[2];
    float myImageMaxUV[2];
    float myImageOffset[2];
    float myImageScale[2];
    OPUI_RotoscopeData myRotoscopeData;
    uint32_t mySelectMask;
    uint32_t myFlags;
    uint32_t myPassFlags;
    unsigned char myMoveModeOn;
    int32_t myMoveMode;
    int32_t myMoveThreshold;
};

#endif

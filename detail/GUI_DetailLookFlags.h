#ifndef GUI_DetailLookFlags_h
#define GUI_DetailLookFlags_h

#include "host/UT/SYS_Visibility.h"

#include <cstdint>

// The on/off state of one detail look, one bit each in a 32-bit word.
// Getters return 0 or 1. Bit 12 and bits 22 to 31 are unused.
class VANTREL_API GUI_DetailLookFlags
{
public:
    // Bits 1, 2, 3, 10, 13 and 20 on; the rest of bits 0 to 21 off.
    GUI_DetailLookFlags()
    {
        myWord &= ~uint32_t(0x002FDBF1);
        myWord |= uint32_t(0x0010240E);
    }
    GUI_DetailLookFlags(const GUI_DetailLookFlags &src) = default;
    GUI_DetailLookFlags &operator=(const GUI_DetailLookFlags &src) = default;

    uint32_t getWord() const { return myWord; }

    int getShowAxes() const { return bit(0); }
    void setShowAxes(int on) { bit(0, on); }
    int isRenderOn() const { return bit(1); }
    void setRender(int on) { bit(1, on); }
    int isPickingOn() const { return bit(2); }
    void setPicking(int on) { bit(2, on); }
    int isDisplayOn() const { return bit(3); }
    void setDisplay(int on) { bit(3, on); }
    int isTemplated() const { return bit(4); }
    void setTemplate(int on) { bit(4, on); }
    int isFootprinted() const { return bit(5); }
    void setFootprint(int on) { bit(5, on); }
    int isXray() const { return bit(6); }
    void setXray(int on) { bit(6, on); }
    int isTargetOutput() const { return bit(7); }
    void setTargetOutput(int on) { bit(7, on); }
    int isCurrentOutput() const { return bit(8); }
    void setCurrentOutput(int on) { bit(8, on); }
    int useWireColor() const { return bit(9); }
    void setUseWireColor(int on) { bit(9, on); }
    int drawLit() const { return bit(10); }
    void setDrawLit(int on) { bit(10, on); }
    int ignoreSelection() const { return bit(11); }
    void setIgnoreSelection(int on) { bit(11, on); }
    int isSnappable() const { return bit(13); }
    void setSnappable(int on) { bit(13, on); }
    int isSecondarySelection() const { return bit(14); }
    void setSecondarySelection(int on) { bit(14, on); }
    int isObjSelection() const { return bit(15); }
    void setObjSelection(int on) { bit(15, on); }
    int isObjCurrent() const { return bit(16); }
    void setObjCurrent(int on) { bit(16, on); }
    int isObjSelectionHint() const { return bit(17); }
    void setObjSelectionHint(int on) { bit(17, on); }
    int isObjGhost() const { return bit(18); }
    void setObjGhost(int on) { bit(18, on); }
    int isWireframeOnly() const { return bit(19); }
    void setWireframeOnly(int on) { bit(19, on); }

    // The display flag with a one-deep memory (bit 20) so a temporary
    // change can be undone.
    void setDisplaySavingPrevValue(int on)
    {
        bit(20, bit(3));
        bit(3, on);
    }
    void resetDisplayUsingSavedValue() { bit(3, bit(20)); }

    int getDisplayAsSubdiv() const { return bit(21); }
    void setDisplayAsSubdiv(bool on) { bit(21, on); }

private:
    int bit(int index) const { return int((myWord >> index) & 1u); }
    void bit(int index, int on)
    {
        myWord = on ? (myWord | (1u << index)) : (myWord & ~(1u << index));
    }

    uint32_t myWord = 0;
};

#endif

#ifndef GUI_DetailRender3DFlags_h
#define GUI_DetailRender3DFlags_h

#include "host/UT/SYS_Visibility.h"

#include <cstdint>

// The state bits of a 3D detail renderer. Bits 4 to 31 are unused.
class VANTREL_API GUI_DetailRender3DFlags
{
public:
    GUI_DetailRender3DFlags() { myWord &= ~uint32_t(0xF); }

    uint32_t getWord() const { return myWord; }

    // The last shaded draw asked for a second pass.
    bool needsSecondPass() const { return bit(0); }
    void needsSecondPass(bool on) { bit(0, on); }
    bool allowShadingOpenCurves() const { return bit(1); }
    void allowShadingOpenCurves(bool on) { bit(1, on); }
    bool displayAsSubdiv() const { return bit(2); }
    void displayAsSubdiv(bool on) { bit(2, on); }
    bool useGlobalLightXform() const { return bit(3); }
    void useGlobalLightXform(bool on) { bit(3, on); }

private:
    bool bit(int index) const { return (myWord >> index) & 1u; }
    void bit(int index, bool on)
    {
        myWord = on ? (myWord | (1u << index)) : (myWord & ~(1u << index));
    }

    uint32_t myWord = 0;
};

#endif

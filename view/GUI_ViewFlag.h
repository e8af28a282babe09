#ifndef GUI_ViewFlag_h
#define GUI_ViewFlag_h

#include "host/UT/SYS_Visibility.h"

#include <cstdint>
#include <iosfwd>

class UT_IStream;

// The flag word of a camera: projection kind, the stale marks of its lazily
// built matrices, the initialised mark and a few stored switches. Its text
// form is one word: "F" followed by a letter for each set switch.
class VANTREL_API GUI_ViewFlag
{
public:
    enum Bits : uint32_t
    {
        ORTHO = 0x001,             // letter "o"
        APPLY_ASPECT = 0x002,      // letter "a"
        XFORM_STALE = 0x004,
        IXFORM_STALE = 0x008,
        B_FLAG = 0x010,            // letter "b"; stored and written only
        UNUSED = 0x020,
        ROTO_TRACKS_WINDOW = 0x040, // letter "x"
        INITIALIZED = 0x080,
        RXYZ_STALE = 0x100,

        // Groups set together by the camera when its inputs change.
        STALE_XFORMS = XFORM_STALE | IXFORM_STALE,
        STALE_ROTATION = XFORM_STALE | IXFORM_STALE | RXYZ_STALE,
        STALE_ALL_INIT = XFORM_STALE | IXFORM_STALE | RXYZ_STALE | INITIALIZED,
    };

    GUI_ViewFlag() = default;
    GUI_ViewFlag(const GUI_ViewFlag &other) = default;
    GUI_ViewFlag &operator=(const GUI_ViewFlag &other) = default;

    const char *className() const { return "GUI_ViewFlag"; }

    uint32_t word() const { return myWord; }

    bool isSet(uint32_t bits) const { return (myWord & bits) != 0; }
    void set(uint32_t bits) { myWord |= bits; }
    void clear(uint32_t bits) { myWord &= ~bits; }
    void set(uint32_t bits, bool on) { on ? set(bits) : clear(bits); }

    bool ortho() const { return isSet(ORTHO); }
    void ortho(bool on) { set(ORTHO, on); }
    bool applyAspect() const { return isSet(APPLY_ASPECT); }
    void applyAspect(bool on) { set(APPLY_ASPECT, on); }
    bool xformStale() const { return isSet(XFORM_STALE); }
    void xformStale(bool on) { set(XFORM_STALE, on); }
    bool ixformStale() const { return isSet(IXFORM_STALE); }
    void ixformStale(bool on) { set(IXFORM_STALE, on); }
    bool rotoTracksWindow() const { return isSet(ROTO_TRACKS_WINDOW); }
    void rotoTracksWindow(bool on) { set(ROTO_TRACKS_WINDOW, on); }
    bool initialized() const { return isSet(INITIALIZED); }
    bool rxyzStale() const { return isSet(RXYZ_STALE); }
    void rxyzStale(bool on) { set(RXYZ_STALE, on); }

    // Writes the one-word text form, e.g. "F" or "Foa".
    void save(std::ostream &os) const;

    // Reads one word. "+..." sets the lettered bits named, "-..." clears
    // them, any other word sets exactly the bits it names. The stale and
    // initialised bits never change. False, changing nothing, when the
    // stream holds no further word.
    bool load(UT_IStream &is);

private:
    uint32_t myWord = XFORM_STALE | IXFORM_STALE | RXYZ_STALE;
};

#endif

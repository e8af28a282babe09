#ifndef GUI_SelectionMask_h
#define GUI_SelectionMask_h

#include "host/UT/SYS_Visibility.h"

#include <cstddef>

class GR_DisplayOption;

// The selection mask of one renderer class: while an object that can be
// selected is drawn or picked, the kinds of component the user can pick are
// forced visible on its option records, and put back as they were
// afterwards. The table of rows says what is forced; the saved bits live
// here, one word for the primary and one for the selection record, so each
// renderer class keeps its own apart from the others'.
class VANTREL_API GUI_SelectionMask
{
public:
    // One forced flag: when the mask has any of maskBits and the record
    // meets the condition, the record's flag is saved into savedBit and
    // then set.
    struct Row
    {
        unsigned maskBits;
        bool (*applies)(const GR_DisplayOption &option);
        unsigned savedBit;
        unsigned flag;
    };

    template <std::size_t N>
    constexpr explicit GUI_SelectionMask(const Row (&rows)[N]) : myRows(rows), myCount(N)
    {
    }

    // Forces the rows the mask asks for, first on the primary record, then
    // on the selection record; either may be null.
    void apply(GR_DisplayOption *primary, GR_DisplayOption *selection, unsigned mask);
    // Writes the saved bits back under the same rows, each condition tested
    // again on the record as it then stands.
    void restore(GR_DisplayOption *primary, GR_DisplayOption *selection, unsigned mask) const;

    // Conditions shared by the renderers' tables.
    static bool always(const GR_DisplayOption &option);
    static bool drawnAsWire(const GR_DisplayOption &option);

private:
    void applyTo(GR_DisplayOption *option, unsigned &saved, unsigned mask) const;
    void restoreTo(GR_DisplayOption *option, unsigned saved, unsigned mask) const;

    const Row *myRows;
    std::size_t myCount;
    unsigned mySavedPrimary = 0;
    unsigned mySavedSelection = 0;
};

#endif

#ifndef VANTREL_VIEW_ViewPrefs_h
#define VANTREL_VIEW_ViewPrefs_h

#include "view/GUI_ExternalDefaultCB.h"

#include <iosfwd>

class GUI_ViewState;
struct ViewOptions;

// The demo's own entry in the default viewport settings file: the tumble
// style, saved as "tumblestyle ( N )".
class ViewPrefs : public GUI_ExternalDefaultCB
{
public:
    bool matchesKeyword(const char *keyword) override;
    bool loadKeyword(const char *keyword, UT_IStream &is) override;
    void saveDefaults(std::ostream &os) override;
};

// Must run before the first view state, which loads the defaults: points
// the search path at --prefs and defines the user options named on the
// command line, so the settings file can turn them on.
void prepareDefaults(const ViewOptions &opts);

// Applies the command line's changes to a view state that started from the
// defaults. False, with a message, for an unknown viewport flag.
bool applyViewOptions(GUI_ViewState &state, const ViewOptions &opts);

// Warns, naming the entry, about default settings that loaded but that no
// one would choose: colours outside 0 to 1, a negative wire width or level
// of detail, a zero image scale. They are kept as they are.
void warnAboutOddDefaults(const GUI_ViewState &state);

// Prints what a view state made now starts from: the default clipping
// limits, each camera's near, far and adjust-limits flag, the tumble style
// and the display option block.
void printDefaults(std::ostream &os);

#endif

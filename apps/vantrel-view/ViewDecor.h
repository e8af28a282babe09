#ifndef VANTREL_VIEW_ViewDecor_h
#define VANTREL_VIEW_ViewDecor_h

#include "host/TIL/TIL_TextureMap.h"

#include <string>
#include <vector>

namespace CLI
{
class App;
}
class GUI_ViewState;

// What the command line asked of the decorations around the objects.
// Switches left at -1 keep what the display options start from.
struct DecorOptions
{
    std::vector<std::string> grids; // "xy", "xz", "yz"
    int origin = -1;
    int stickyOrigin = -1;
    bool fieldGuide = false;
    bool safeArea = false;
    std::string backgroundImage;
    std::string snapshot;
    float snapshotAlpha = 0.5f;
};

// Adds the decoration flags to the demo's command line.
void addDecorOptions(CLI::App &app, DecorOptions &opts);

// The decorations of the demo's one 3D viewport: sets the view state's
// display options from the flags and holds the snapshot image the view
// state refers to. The scene look draws them.
class ViewDecor
{
public:
    // False, with a message on standard error, when a flag's value is bad
    // or the snapshot image cannot be read.
    bool apply(const DecorOptions &opts, GUI_ViewState &state);

private:
    TIL_TextureMap mySnapshot;
};

#endif

#ifndef VANTREL_VIEW_ViewDrawOptions_h
#define VANTREL_VIEW_ViewDrawOptions_h

#include <string>

namespace CLI
{
class App;
}
class GUI_ViewState;

// How the demo draws and picks its objects: shading, statistics, a pick
// position, the objects' axes and name labels, copies of the scene on a
// grid, and how many times the frame is drawn.
struct ViewDrawOptions
{
    // A GR_ShadingMode, or -1 for the records' own (smooth for a mesh).
    int shading = -1;
    bool stats = false;
    bool pickGiven = false;
    // Window pixels with the origin at the top left, as image viewers
    // count them.
    int pickX = 0;
    int pickY = 0;
    // Size of the pick region, right of and below (pickX, pickY).
    int pickW = 1;
    int pickH = 1;
    bool axes = false;
    bool names = false;
    // The scene's objects repeated on a grid of this many columns (along
    // x) and rows (along -z).
    int repeatColumns = 1;
    int repeatRows = 1;
    // Frames drawn; the last is measured and written.
    int frames = 1;

    // Raw texts until checked.
    std::string shadingText;
    std::string pickText;
    std::string repeatText;
};

// Adds --shading, --stats, --pick, --axes, --names, --repeat and --frames
// to the parser.
void addDrawOptions(CLI::App &app, ViewDrawOptions &opts);
// Checks what the parser took; false, with a message, for bad values.
bool finishDrawOptions(ViewDrawOptions &opts, int width, int height);
// Puts the shading and the name switch into the view state's options;
// a mesh shows smooth-shaded unless a shading was given.
void applyDrawOptions(GUI_ViewState &state, const ViewDrawOptions &opts, bool mesh);

#endif

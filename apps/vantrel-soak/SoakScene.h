#ifndef VANTREL_SOAK_SoakScene_h
#define VANTREL_SOAK_SoakScene_h

#include "detail/GUI_DetailLook.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/OP/OP_Node.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <memory>
#include <vector>

class GU_Detail;
class RE_Render;

// The scene a long run draws: a box, a sphere and a torus composed through
// a viewport's scene look, and a row of small boxes of one geometry that
// the render context draws together. The geometry changes every tenth frame
// (the sphere is built again at another resolution, or the torus is bent),
// the display options every hundredth (shading, object names, selection,
// templating), two boxes of the row move every frame (leaving the row's
// batch, and joining it again once still), and a pick pass runs halfway
// between geometry changes.
class SoakScene
{
public:
    // Frames after which the options come back to the same choice.
    static const int theOptionPeriod = 400;
    // Boxes in the row.
    static const int theRowSize = 24;

    SoakScene(RE_Render *r, short width, short height);
    ~SoakScene();
    SoakScene(const SoakScene &) = delete;
    SoakScene &operator=(const SoakScene &) = delete;

    // Edits and draws frame number frame (0 first), picking when it is a
    // pick frame.
    void drawFrame(int frame);

    // Pick records found so far, over all pick passes.
    long getPickRecords() const { return myPickRecords; }

private:
    struct Object
    {
        std::unique_ptr<OP_Node> node;
        GU_Detail *geometry = nullptr; // owned by the handle
        GU_DetailHandle handle;
        std::unique_ptr<GUI_DetailLook> look;
    };

    Object &add(const char *name, GU_Detail *gdp, float x, float y);
    void changeGeometry(int step);
    void changeOptions(int choice);
    void compose();
    void pick(int step);
    void moveRow(int frame);

    RE_Render *myRender;
    short myWidth;
    short myHeight;
    GUI_ViewState myState;
    std::unique_ptr<GUI_SceneLook> myLook;
    std::vector<std::unique_ptr<Object>> myObjects;
    GU_DetailHandle myRowGeometry;
    std::vector<std::unique_ptr<GUI_DetailLook>> myRow;
    std::vector<unsigned int> myPickBuffer;
    long myPickRecords = 0;
};

#endif

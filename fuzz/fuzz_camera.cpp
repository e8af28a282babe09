// The camera block, in the keyword form and the two older fixed layouts (the
// first byte picks which reader): whatever loads saves to text that loads
// back to the same camera.
#include "fuzz/FuzzSupport.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_IStream.h"
#include "view/GUI_ViewParameter.h"

#include <sstream>

namespace
{
std::string
saved(const GUI_ViewParameter &cam)
{
    std::ostringstream os;
    cam.save(os, '\n');
    return os.str();
}

// The older layout: flag word, then values in fixed order (see oldLoad).
std::string
oldLayout(int version)
{
    std::string text = "F 1 1 50 41.4214 1 1 1.333 0.1 10000";
    const char *identity = " 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1";
    text += identity;
    if (version < 2)
        text += identity;
    text += " 0 0 5 0 0 0";
    text += identity;
    text += identity;
    text += " 0 639 0 479 5 0.01 1 3 0 0 0 0 0 0";
    return text;
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GUI_ViewParameter homed;
    homed.setViewport(nullptr, 0, 0, 320, 240);
    homed.setView(0, 0, 320, 240);
    UT_BoundingBox box(-1, 2, -1, 1, -3, 1);
    homed.homeToBox(320, 240, box, nullptr, false, false);
    homed.trackball(12.0f, -7.0f);
    vantrel_fuzz::writeSeedsIfAsked({{"default", "k" + saved(GUI_ViewParameter())},
                                     {"homed", "k" + saved(homed)},
                                     {"old1", std::string(1, '1') + oldLayout(1)},
                                     {"old2", std::string(1, '2') + oldLayout(2)}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    GUI_ViewParameter cam;
    UT_IStream is(reinterpret_cast<const char *>(data + 1), size - 1);
    const bool ok = data[0] == '1' || data[0] == '2' ? cam.oldLoad(is, data[0] - '0') : cam.load(is);
    if (!ok)
        return 0;
    const std::string first = saved(cam);
    GUI_ViewParameter again;
    UT_IStream back(first);
    if (!again.load(back))
        vantrel_fuzz::failRoundTrip("a saved camera does not load", first);
    vantrel_fuzz::expectSameText(first, saved(again), "the camera");
    return 0;
}

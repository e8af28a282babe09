// The window-event reader: any file either loads as events a window can
// play (finite positions and wheel turns, sizes a window may have) or is
// refused with a reason that names the file.
#include "facade/WindowEvents.h"
#include "fuzz/FuzzSupport.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
std::string theInputPath;

void
removeScratch()
{
    std::remove(theInputPath.c_str());
}

bool
playable(const UI_DesktopInput &ev)
{
    const bool sized = ev.width >= 0 && ev.height >= 0 &&
                       ev.width <= UI_DesktopWindow::theMaxSide &&
                       ev.height <= UI_DesktopWindow::theMaxSide;
    return std::isfinite(ev.x) && std::isfinite(ev.y) && std::isfinite(ev.wheel) && sized;
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    theInputPath = vantrel_fuzz::scratchPath("events", "input", ".events");
    std::atexit(removeScratch);
    vantrel_fuzz::writeSeedsIfAsked(
        {{"tumble", "down 60 60\nmove 70 60\nmove 85 64\nup 100 70\nkey q\n"},
         {"buttons", "# a comment\ndown 5 5 middle shift\nup 5 5 middle\nwheel 10 10 -3\n"},
         {"resize", "resize 40 30\nkey g\nresize 0 0\nresize 8192 1\nkey escape\n"}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!vantrel_fuzz::writeFile(theInputPath, data, size))
        vantrel_fuzz::failRoundTrip("cannot write the scratch input", theInputPath);
    std::vector<UI_DesktopInput> events;
    std::string error;
    if (!vantrel::readWindowEvents(theInputPath, events, error))
    {
        if (error.find(theInputPath) == std::string::npos)
            vantrel_fuzz::failRoundTrip("a refusal does not name the file", error);
        return 0;
    }
    for (const UI_DesktopInput &ev : events)
        if (!playable(ev))
            vantrel_fuzz::failRoundTrip("an event a window cannot play was read", theInputPath);
    return 0;
}

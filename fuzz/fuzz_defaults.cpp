// The default settings file's content: whatever loads saves to text that
// loads back to the same settings.
#include "fuzz/FuzzSupport.h"
#include "host/UT/UT_IStream.h"
#include "view/GUI_ViewState.h"

#include <cstdlib>
#include <sstream>

namespace
{
std::string
saved(const GUI_ViewState &state)
{
    std::ostringstream os;
    state.saveDefaultSettings(os, nullptr);
    return os.str();
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    // No settings file of the machine's may take part.
    setenv("VANTREL_PATH", "/nonexistent-vantrel-fuzz", 1);
    GUI_ViewState changed;
    changed.getViewParameter(GUI_ViewState::GUI_VIEW_MAIN).setLimits(0.25f, 90.0f);
    changed.getDisplayOptionRef().common().backgroundColor().setRGB(0.1f, 0.2f, 0.3f);
    vantrel_fuzz::writeSeedsIfAsked({{"default", saved(GUI_ViewState())}, {"changed", saved(changed)}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GUI_ViewState state;
    UT_IStream is(reinterpret_cast<const char *>(data), size);
    if (!state.loadDefaultSettings(is, nullptr, nullptr))
        return 0;
    const std::string first = saved(state);
    GUI_ViewState again;
    UT_IStream back(first);
    std::string failed;
    if (!again.loadDefaultSettings(back, nullptr, &failed))
        vantrel_fuzz::failRoundTrip(("saved settings do not load, at " + failed).c_str(), first);
    vantrel_fuzz::expectSameText(first, saved(again), "the settings");
    return 0;
}

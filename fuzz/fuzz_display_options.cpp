// The display option block: whatever loads saves to text that loads back to
// the same options.
#include "display/GUI_DisplayOption.h"
#include "fuzz/FuzzSupport.h"
#include "host/UT/UT_IStream.h"

#include <sstream>

namespace
{
std::string
saved(const GUI_DisplayOption &options)
{
    std::ostringstream os;
    options.save(os);
    return os.str();
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GUI_DisplayOption changed;
    changed.common().backgroundColor().setRGB(0.25f, 0.5f, 0.125f);
    vantrel_fuzz::writeSeedsIfAsked({{"default", saved(GUI_DisplayOption())},
                                     {"changed", saved(changed)}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GUI_DisplayOption options;
    UT_IStream is(reinterpret_cast<const char *>(data), size);
    if (!options.load(is))
        return 0;
    const std::string first = saved(options);
    GUI_DisplayOption again;
    UT_IStream back(first);
    if (!again.load(back))
        vantrel_fuzz::failRoundTrip("saved display options do not load", first);
    vantrel_fuzz::expectSameText(first, saved(again), "the display options");
    return 0;
}
